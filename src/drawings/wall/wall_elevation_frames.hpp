#pragma once
// The frame of each wall elevation: the outline, the dimension chains on both sides and below
// (in the drawing and in the script), the centre line through the reference point and the titles.

#include "drawings/wall/wall_geometry.hpp"

namespace lwall {

void draw_wall_elevation_frame(RunContext& ctx, WallFace face);

}  // namespace lwall
