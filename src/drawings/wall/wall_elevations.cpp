#include "drawings/wall/wall_elevations.hpp"

namespace lwall {

// TODO(#3): the elevations, their bars and the bar list rows 1 onward.
void draw_wall_elevations(RunContext&) {}

}  // namespace lwall
