#pragma once
// Lengths of the vertical wall bars W1 (back face) and W2 (front face): the bent leg at the foot,
// the 500-mm length rule, the length classes under a sloped top, which bar belongs to which class,
// and bar list rows 1-6.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "drawings/wall/wall_geometry.hpp"

namespace lwall {

// A vertical bar standing at cover1 and reaching up to `top`: leg plus straight part is the
// largest multiple of 500 not above the room available plus the leg.
WallBarClass fit_bar_to_500(const WallInput& w, double top, double leg);

// How many length classes (1 to 3) the two marks need under a sloped top: the smaller of the two
// marks' counts. Fills wall_bar_classes with the trial lengths, wall_bar_totals and
// class_zone_limit.
int wall_bar_class_count(const WallInput& w, HandedValues& h);

// One vertical mark laid out in the elevation: its length classes (1 ... classes) with the number
// of bars of each, and the class of every bar.
struct VerticalBarLayout {
    int classes = 1;
    std::array<WallBarClass, 4> cls{};
    std::array<int, 4> count{};
    SideBars left;
    SideBars right;
    std::vector<int> left_class;
    std::vector<int> right_class;
    int reference_class = 1;  // the bar at the reference point

    // Every bar with its x and class: the reference bar, the left side, the right side.
    void for_each_bar(const std::function<void(double x, int cls)>& f) const;
};

// Mark of a class of W1 or W2: the bare mark when the mark has one class ("W1", "W1-2").
std::string class_mark(std::string_view name, const VerticalBarLayout& v, int cls);

struct WallVerticalBars {
    bool sloped = false;
    int classes = 1;
    VerticalBarLayout w1;
    VerticalBarLayout w2;
};

// Fixes the classes of W1 and W2, writes bar list rows 1-6 and the handed class values.
WallVerticalBars lay_out_wall_vertical_bars(RunContext& ctx);

}  // namespace lwall
