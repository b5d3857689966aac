#pragma once
// The entity records of the sheet. Each writes its type name first and the "0" of the next record
// last, as a short list of group codes and values.

#include "output/dxf/dxf_writer.hpp"
#include "output/entity_sink.hpp"

namespace lwall {

void dxf_line(DxfWriter& out, const LineEntity& e);
// Simple text (insertion point, height, oblique angle in group 51, width factor) or aligned text
// (two alignment points, rotation, style).
void dxf_text(DxfWriter& out, const TextEntity& e);
void dxf_circle(DxfWriter& out, const CircleEntity& e);

// The drawing file as one of the sheet's entity sinks.
class DxfEntities final : public EntitySink {
public:
    explicit DxfEntities(DxfWriter& out) : out_(out) {}
    void line(const LineEntity& e) override { dxf_line(out_, e); }
    void text(const TextEntity& e) override { dxf_text(out_, e); }
    void circle(const CircleEntity& e) override { dxf_circle(out_, e); }

private:
    DxfWriter& out_;
};

}  // namespace lwall
