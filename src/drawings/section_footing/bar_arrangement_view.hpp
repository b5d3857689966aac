#pragma once
// The first half of the footing drawing: both sheet frames, the sheet title and the bar
// arrangement view of W1, W2, W5, F1 and F2 with their call-outs.

#include "context/run_context.hpp"

namespace lwall {

// Picks the W1/W2 bar that the section draws from the length classes of rows 1 to 6 into the
// four leg values of ctx.handed.
void pick_wall_bar_legs(RunContext& ctx);

// The end leg of the bottom transverse bar F2: 15 d, cut to the room between the covers.
double f2_end_leg(const WallInput& w);

// Draws the frames, the title and the arrangement view; fills rows 40 (W5), 41 (F1), 42 (F2),
// the W1/W2 leg values and the F1 anchorage extension. Leaves the pen on "D-STR-HTXT".
void draw_bar_arrangement_view(RunContext& ctx);

}  // namespace lwall
