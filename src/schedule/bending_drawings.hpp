#pragma once
// The bending drawings "鉄 筋 加 工 図": every bar of the bar list drawn at true size with its legs
// dimensioned and its call-out label, at fixed places on the second sheet.

#include "context/run_context.hpp"

namespace lwall {

// Draws the wall vertical bars by length class, the horizontal bars of both faces (the full
// rows, the rows cut short by a sloped top and the bar along the sloped top), W5, F1, F2, F3,
// F4, S1 and S2. Leaves the number of horizontal-bar rows drawn in
// ctx.handed.wall_horizontal_drawn_rows and writes the W5 count into bar-list row 40. A bar whose
// row is not in use is neither drawn nor counted, so the drawings and the count stand for the
// printed rows.
void draw_bending_drawings(RunContext& ctx);

}  // namespace lwall
