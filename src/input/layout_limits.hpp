#pragma once
// Limits that keep the work of a run proportional to a real wall: a layout that no wall could hold
// is an input mistake, refused before anything is drawn, so that no run draws millions of bars.

#include "core/wall_input.hpp"

namespace lwall {

// Centre spacing below which bars cannot be placed side by side.
inline constexpr double kMinBarSpacing = 25;
// The zones of a mark may reach past the concrete, but not more than this many times its size.
inline constexpr double kMaxZoneOverreach = 2;

// The ends of a sloped wall may rise above the height limit, which holds at the reference point,
// but not to more than this above the footing.
inline constexpr double kMaxEndHeight = 6000;

// Refuses (status 6, naming the line and field) a negative size of the concrete, a wall end higher
// than kMaxEndHeight, a negative number of spacings, a zone with bars
// spaced closer than kMinBarSpacing, and a mark whose zones span more than kMaxZoneOverreach times
// the wall length (W1, W2, W5, F1, F2), the wall height (W3, W4) or the footing width (F3, F4).
void check_layout_limits(const WallInput& w);

}  // namespace lwall
