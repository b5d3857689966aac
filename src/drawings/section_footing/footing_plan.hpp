#pragma once
// The second half of the footing drawing: the plan of the footing slab with the top face (upper
// half) and the bottom face (lower half), the longitudinal bars split over the maximum member
// length, the S2 ties and the member-length check.

#include "context/run_context.hpp"

namespace lwall {

// The S2 ties of the footing plan: those drawn in the upper half, and those counted for the
// bending schedule (a second pass over the same columns along the F1 zones 1 and 3).
struct S2TieTotals {
    long long drawn = 0;
    long long counted = 0;
};
S2TieTotals count_s2_ties(const WallInput& w);

// Draws the plan and fills rows 44, 45, 48, 49 and 52; sets the dimension text style "KANJI".
// Throws RunFailure with status 5 (console line and message box) when the second piece of a
// split F3 bar is longer than the maximum member length.
void draw_footing_plan(RunContext& ctx);

}  // namespace lwall
