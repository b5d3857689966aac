#pragma once
// A picture of the sheet as SVG: one of the sheet's entity sinks, beside the drawing file. Every
// LINE, TEXT and CIRCLE is drawn with its numbers as the drawing file holds them (whole drawing
// units, halves away from zero), so the picture and the drawing cannot disagree. Colours are the CAD colour numbers on a dark ground,
// line widths the pen widths at the sheet's scale, texts UTF-8 in a Japanese font.

#include <string>
#include <string_view>
#include <vector>

#include "core/layer_table.hpp"
#include "core/sheet_frames.hpp"
#include "output/entity_sink.hpp"

namespace lwall {

class SvgWriter final : public EntitySink {
public:
    // The layers give the colour of texts and circles; the scale turns pen widths into lines.
    void set_layers(const LayerTable& layers) { layers_ = &layers; }
    void set_scale(double scale) { scale_ = scale; }
    // A frame of a scale of its own (the tables' frames at 1:50 beside a sheet at a larger scale):
    // its lines and circles get the pen widths at that scale.
    void set_frame_scale(double x0, double x1, double scale) { frame_scales_.push_back({x0, x1, scale}); }

    void line(const LineEntity& e) override;
    // A text stands left-aligned at its (first) insertion point; an aligned text is rotated
    // counterclockwise by its rotation, a simple one is upright.
    void text(const TextEntity& e) override;
    void circle(const CircleEntity& e) override;

    // The whole document, sized `pixel_width` wide, framing everything drawn.
    std::string document(int pixel_width) const;

private:
    int layer_colour(std::string_view layer) const;
    double stroke(double width, double x) const;

    struct FrameScale {
        double x0, x1, scale;
    };
    const LayerTable* layers_ = nullptr;
    double scale_ = 1;
    std::vector<FrameScale> frame_scales_;
    std::string body_;
    Extent drawn_;  // what the picture frames
};

}  // namespace lwall
