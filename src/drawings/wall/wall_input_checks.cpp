#include "drawings/wall/wall_input_checks.hpp"

namespace lwall {

void check_wall_elevation_input(const WallInput&) {}

}  // namespace lwall
