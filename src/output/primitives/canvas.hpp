#pragma once
// The destination of all drawing: the entity sinks (the drawing file, and the picture or any other
// view added to `entities`), the script, the current pen and the shared drawing state. Every
// drafting primitive draws with the current pen at the current origin. While `recording` is set,
// entities and script commands go to it instead, kept per block until the blocks are placed.

#include <string>

#include "core/layer_table.hpp"
#include "output/block_recording.hpp"
#include "output/dxf/dxf_entities.hpp"
#include "output/dxf/dxf_writer.hpp"
#include "output/entity_sink.hpp"
#include "output/output_sink.hpp"
#include "output/primitives/geometry.hpp"

namespace lwall {

struct DrawingState {
    Point origin;                  // origin of the view being drawn; changed only by set_origin
    Point chain_end;               // end point of the last spacing chain, in view coordinates
    std::string dim_text_style;    // style of dimension labels: empty until the footing plan
    double dim_ext_gap = 0;        // gap between a measured point and its extension line
};

struct Canvas {
    Canvas() { entities.add(dxf_entities); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    OutputSink dxf_out;  // Lwall.dxf
    OutputSink scr_out;  // plenk.scr
    DxfWriter dxf{dxf_out};
    DxfEntities dxf_entities{dxf};
    EntityFanOut entities;  // every entity drawn: the drawing file first, then any other sink added
    CurrentPen pen;
    DrawingState state;
    BlockRecording* recording = nullptr;

    // Where the primitives hand their entities.
    EntitySink& drawn() { return recording != nullptr ? static_cast<EntitySink&>(*recording) : entities; }
};

}  // namespace lwall
