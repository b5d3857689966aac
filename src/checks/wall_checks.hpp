#pragma once
// The checks a checking engineer makes before the sheet goes to the fixer. They find walls that can
// be drawn but not built as drawn (zones that do not fit, covers that leave no room, pieces longer
// than can be bought, bars that would weigh nothing in the tables); they never refuse a wall.

#include <string>
#include <vector>

#include "input/wall_input.hpp"

namespace lwall {

struct Finding {
    int line = 0;         // line of PlenkL.dat
    std::string message;  // "PlenkL.dat line <n>, <field>: <what is wrong and by how much>"
};

// Every finding of the wall, in the order of the lines of the file.
std::vector<Finding> check_wall(const WallInput& w);

}  // namespace lwall
