#pragma once
// Run contexts filled as the drawings before the final step leave them, worked out by hand from
// the level wall of the wall tests and the bundled sloped example, so that the schedule, the
// bending drawings and the tables can be tested on their own.

#include <string>
#include <vector>

#include "context/run_context.hpp"
#include "test_support.hpp"

namespace lwall::test {

// A row of the bar list.
ScheduleRow bar_row(std::string mark, std::string shape, std::string size, int count, double total, double len1,
                    double len2 = 0, double len3 = 0, double unit_mass = 0);

// The level wall (test::level_wall: the level example, 10 m long and 2 m high, with a spacing of
// its own for every zone; one length class, one-piece horizontal bars). Input, sheet and layers
// as a run makes them; bar list and handed values as the wall elevations, the footing views and
// the section view leave them.
void fill_level_wall(RunContext& ctx);

// The sloped example (heights 2000 and 2600 over 12 m; run 11800) with a spacing of its own for
// every zone of its footing bars: F1 and F2 over the two halves of the plan, F3 and F4 across
// the footing from cover to cover.
WallInput sloped_example();

// The bar list of sloped_example(). With `max_bar_length` 9000 (the example) every horizontal bar
// is two pieces; with 11810 the full rows are one piece while the 11815 long bar along the sloped
// top is two.
void fill_sloped_example(RunContext& ctx, double max_bar_length = 9000);

// A wall as a whole run leaves it for the final step: laid out and drawn by the wall elevations,
// the footing views and the section view.
void fill_by_drawing(RunContext& ctx, const WallInput& wall);

// The texts of layer "D-MTR-MTXT" whose insertion point lies in [x_from, x_to) x [y_from, y_to),
// read as a table: one row per insertion height from the top down, its cells from left to right.
std::vector<std::vector<std::string>> table_cells(const std::vector<DxfEntity>& entities, double x_from,
                                                  double x_to, double y_from = -1e9, double y_to = 1e9);

}  // namespace lwall::test
