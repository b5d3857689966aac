#pragma once
// Walls for the wall-elevation tests, a run of the elevation drawing on one of them, and the bars
// read back from the drawn entities by what they look like.

#include <memory>
#include <string>
#include <vector>

#include "drawings/wall/wall_geometry.hpp"
#include "test_support.hpp"

namespace lwall::test {

WallInput example_wall(std::string_view example);

// The level example (10 m long, 2 m high, footing 1800 wide) with a spacing of its own for every
// zone: W1, W2 and W5 on each side of the reference point, each side ending at or inside its end
// cover (W2's left side exactly at it); F1 and F2 over the two halves of the plan; F3 and F4
// across the footing from cover to cover. W3 and W4 are one grid of rows, 6 x 250 then 2 x 150,
// W3 of D13 and W4 of D16.
WallInput level_wall();

// The sloped example with other end heights: 12 m long, reference point in the middle, wall_height
// the mean of the two (so the top is straight through it), and the W3/W4 rows filling each end up
// to the top less cover at `row_pitch` (the group reaching the higher end gets the extra rows).
// W1, W2 and W5 have a spacing of their own for every zone, each side filling the 5900 up to its
// end cover.
WallInput sloped_wall(double height_left, double height_right, double row_pitch = 250);

// Checks the input, lays out the sheet and draws the wall elevations on a fresh context.
std::unique_ptr<RunContext> draw_elevations(const WallInput& w);

struct Line {
    double x1, y1, x2, y2;  // in the coordinates of the face's view
};

// The bar lines of one face, sorted by what they look like: vertical lines standing on cover1
// (W1/W2), vertical lines hanging from the top (W5), the two strokes of each tie (S1), and the
// other lines (W3/W4, the row at cover1 included).
struct FaceBars {
    std::vector<Line> standing;
    std::vector<Line> hanging;
    std::vector<Line> tie_strokes;
    std::vector<Line> horizontal;
};
FaceBars face_bars(const RunContext& ctx, WallFace face);

// Sum of the counts of the used bar list rows whose mark is `mark` or starts with `mark` + "-".
int listed_bars(const BarList& list, const std::string& mark);

}  // namespace lwall::test
