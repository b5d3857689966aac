#pragma once
// The bars drawn into the two elevations besides the horizontal ones: the vertical bars W1 and W2
// by length class, the cap bars W5 hanging from the top, and the ties S1 on the front face with
// their count.

#include "drawings/wall/wall_bar_lengths.hpp"

namespace lwall {

// W1 on the back face, W2 on the front face; the bar at the reference point stands on the centre
// line and has no line of its own.
void draw_wall_vertical_bars(RunContext& ctx, const WallVerticalBars& bars);

// Length of the W5 legs: the most that any class of W1 or W2 leaves under the top where it meets
// it, plus 20 diameters of W5; level and sloped tops alike.
double wall_cap_bar_leg(const WallInput& w, const WallVerticalBars& bars);

// The W5 bars of both faces, their leg written to w5_leg_length; the shortest lap of each face's
// vertical bars with them goes to the handed laps.
void draw_wall_cap_bars(RunContext& ctx, const WallVerticalBars& bars);

// Where the S1 call-out arrows start: the second tie of the fourth and of the sixth tie column.
struct TieAnchors {
    Point first;
    Point second;
};

// The S1 ties of the front face; their number goes to the count of bar list row 51.
TieAnchors draw_wall_ties(RunContext& ctx, const WallVerticalBars& bars);

}  // namespace lwall
