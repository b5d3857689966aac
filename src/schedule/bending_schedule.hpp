#pragma once
// The bending schedule "鉄 筋 加 工 図": the legend of the six shape types above the column
// headings, then one row per bar of the bar list in print order. Its counts are the bars to cut for
// the whole wall, and its note says so with the wall's length: "(延長 10.0m当たり)".

#include "context/run_context.hpp"

namespace lwall {

// The six shape types drawn small with their legs named L1, L2, L3 and captioned "形 式 N".
void draw_shape_legend(RunContext& ctx);

// Frame, title, headings and one row per used bar-list row: mark, shape type, size, count, cut
// length and the legs Ｌ１ Ｌ２ Ｌ３.
void draw_bending_schedule(RunContext& ctx);

}  // namespace lwall
