#pragma once
// The checks a checking engineer makes before the sheet goes to the fixer. They find walls that can
// be drawn but not built as drawn (zones that do not fit, covers that leave no room, pieces longer
// than can be bought, bars that would weigh nothing in the tables); they never refuse a wall.

#include <vector>

#include "core/bar_list.hpp"
#include "core/findings.hpp"
#include "core/wall_input.hpp"

namespace lwall {

// Every finding of the wall, in the order of the lines of the file.
std::vector<Finding> check_wall(const WallInput& w);

// The laps the drawings laid out against their rules: two pieces of a bar against the lap the
// bending drawings state, a face's vertical bars against 20 diameters of the cap bar's legs.
std::vector<Finding> check_laps(const WallInput& w, const std::vector<BarLap>& laps);

// Adds findings, keeping them in the order of the lines of the file.
void add_findings(std::vector<Finding>& to, std::vector<Finding> more);

}  // namespace lwall
