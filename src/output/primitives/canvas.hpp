#pragma once
// The destination of all drawing: both output files, the current pen and the shared drawing
// state. Every drafting primitive draws with the current pen at the current origin.

#include <string>

#include "input/layer_table.hpp"
#include "output/dxf/dxf_writer.hpp"
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
    OutputSink dxf_out;  // Lwall.dxf
    OutputSink scr_out;  // plenk.scr
    DxfWriter dxf{dxf_out};
    CurrentPen pen;
    DrawingState state;
};

}  // namespace lwall
