#pragma once
// Call-outs and counts shared by the footing views and the section: the call-out of a bar mark
// and the bar count of a mark's zones.

#include <string>
#include <string_view>

#include "core/bar_rules.hpp"
#include "core/wall_input.hpp"
#include "output/primitives/canvas.hpp"

namespace lwall {

// The call-out of every footing and section bar: the mark ringed by a circle of size 200, text
// height 125, upright, and the bar size beside it; drawn with the current pen.
void draw_footing_callout(Canvas& cv, double x, double y, std::string_view mark, int diameter);

// count[1] + ... + count[5]: the spacings of all five zones of a mark.
int zone_count_sum(const BarGroup& g);

}  // namespace lwall
