#pragma once
// The checks a checking engineer makes before the sheet goes to the fixer. They find walls that can
// be drawn but not built as drawn (zones that do not fit, covers that leave no room, pieces longer
// than can be bought, bars that would weigh nothing in the tables); they never refuse a wall.

#include <vector>

#include "core/findings.hpp"
#include "core/wall_input.hpp"

namespace lwall {

// Every finding of the wall, in the order of the lines of the file.
std::vector<Finding> check_wall(const WallInput& w);

}  // namespace lwall
