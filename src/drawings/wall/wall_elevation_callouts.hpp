#pragma once
// The spacing indicators and bar call-outs of the two wall elevations, drawn after all bars.

#include "drawings/wall/wall_elevation_bars.hpp"
#include "drawings/wall/wall_horizontal_bars.hpp"

namespace lwall {

void draw_wall_callouts(RunContext& ctx, const WallVerticalBars& vertical, const TieAnchors& ties,
                        const WallHorizontalBars& horizontal);

}  // namespace lwall
