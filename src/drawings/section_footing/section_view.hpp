#pragma once

#include "context/run_context.hpp"

namespace lwall {

// Straight length of the tie S1 across the wall, and its cut length: 200 added, floored to
// 10 mm, then 10 more (an exact multiple of 10 still gains 10).
double s1_straight_length(const WallInput& w);
double s1_cut_length(double straight);

// The cross-section of the wall with its bars, dimensions and covers; fills row 51 (S1) except
// its count, which the wall elevations give. The third drawing of every run.
void draw_section_view(RunContext& ctx);

}  // namespace lwall
