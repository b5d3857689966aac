#pragma once
// Walls and run contexts for the tests of the footing views and the section, and the checks a
// drawing checker makes on them: bars inside the concrete, dimension labels equal to what they
// measure.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "context/run_context.hpp"
#include "test_support.hpp"

namespace lwall::test {

// PlenkL.dat of a level wall whose bars all fit its concrete (covers 100 but cover4 80, every zone
// inside),
// with some of its 43 lines replaced (line number, new text).
std::string fitting_wall(const std::map<int, std::string>& replaced = {});

// A context as the footing drawing finds it: the wall read and checked, the sheet laid out, the
// example layers loaded, and what the wall elevations leave filled in by hand (W1 in row 1 with
// a rise of 2260 and a foot of 240, W2 in row 2 with 2305 and 195, a W5 leg of 260).
std::unique_ptr<RunContext> footing_context(std::string_view wall_text);

struct Segment {
    double x1, y1, x2, y2;
};

// The LINEs of one layer, moved into view coordinates (origin subtracted).
std::vector<Segment> lines_on(const std::vector<DxfEntity>& e, std::string_view layer, Point origin);

// One dimension drawn as lines and a label: the distance between its two measured points and
// the label text.
struct DrawnDimension {
    bool vertical;
    double measured;
    std::string label;
};
std::vector<DrawnDimension> drawn_dimensions(const std::vector<DxfEntity>& e);

// Checks that a dimension's label states what it measures: a plain length, "=total", or
// "count×pitch" whose product is the length. Fails the test otherwise.
void expect_label_matches(const DrawnDimension& d);

// The "dimlinear" commands of a script: the two measured points and the replacing text (empty
// for a plain dimension).
struct ScriptDimension {
    Point p1, p2;
    char direction;  // 'V', 'H' or 'M'
    std::string text;
};
std::vector<ScriptDimension> script_dimensions(std::string_view script);

// True when a number that is not finite reached the text.
bool has_nan_or_inf(std::string_view text);

}  // namespace lwall::test
