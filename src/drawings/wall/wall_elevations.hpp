#pragma once

#include "context/run_context.hpp"

namespace lwall {

// The back-face and front-face elevations of the wall with all their bars; fixes the lengths and
// pieces of W1 to W4, the W5 leg and the number of S1 ties. The first drawing of every run.
void draw_wall_elevations(RunContext& ctx);

}  // namespace lwall
