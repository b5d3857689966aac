#pragma once
// Geometry shared by the two wall elevations: where each view sits on the sheet, the height of the
// wall top along the wall, and the positions of the bars laid out in zones from the reference
// point. Model coordinates: x = 0 at the reference point, the left end at -length_left, the right
// end at +length_right; y = 0 at the underside of the footing.

#include <vector>

#include "context/run_context.hpp"

namespace lwall {

enum class WallFace { back, front };

// Origin of the back-face view (elevation_x, elevation_y) or of the front-face view below it.
Point wall_face_origin(const RunContext& ctx, WallFace face);

// True when the wall top slopes along the wall (the two end heights differ).
inline bool wall_top_slopes(const WallInput& w) { return w.height_left != w.height_right; }

// Height of the concrete top at x: the straight outline from the left end to the right end.
double wall_outline_top(const WallInput& w, double x);

// The line the cap bars hang from: footing + wall_height - cover_wall_top at the reference point,
// rising toward each end with the slope of that side. A side of no length stays level.
double cap_bar_top(const WallInput& w, double x);

// The bars of one side of the reference point, outward: their x and the spacing that leads to each
// from the bar before it.
struct SideBars {
    std::vector<double> x;
    std::vector<double> pitch;

    int size() const { return static_cast<int>(x.size()); }
};

// Bars along the wall (W1, W2, W5 grid, S1 columns): left of the reference point zone 2 then zone
// 1 outward, right of it zone 3 then zone 4 outward, as the bottom dimension chain shows them.
SideBars left_side_bars(const BarGroup& g);
SideBars right_side_bars(const BarGroup& g);

}  // namespace lwall
