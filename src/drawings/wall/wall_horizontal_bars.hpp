#pragma once
// The horizontal wall bars W3 (back face) and W4 (front face): the run between the end covers,
// the two-piece split over the maximum member length with its staggered laps, the rows cut short
// by a sloped top, the bar along the sloped top, and the bar list rows from row 7 onward.

#include <string>
#include <vector>

#include "drawings/wall/wall_geometry.hpp"

namespace lwall {

// A call-out to draw later for one bar piece under the sloped top: the middle of its line on the
// sheet, its mark and its size.
struct CalloutEntry {
    Point at;
    std::string mark;
    std::string size;
};

// What the horizontal bars leave for the rest of the elevation drawing.
struct WallHorizontalBars {
    int last_back_row = 0;  // the last W3 row; the W4 rows follow it
    std::vector<CalloutEntry> callouts;
};

// Run of a horizontal bar: from xL = end_cover_left - length_left to xR = length_right -
// end_cover_right, R long.
struct HorizontalRun {
    double x_left = 0;
    double x_right = 0;
    double length = 0;
};
HorizontalRun horizontal_run(const WallInput& w);

// A row cut short by the sloped top: its height, where it starts (the higher end) and ends.
struct SlopedRow {
    double y = 0;
    double x_start = 0;
    double x_end = 0;
    double length = 0;
};

// The rows under the sloped top, the same on both faces; none on a level wall.
std::vector<SlopedRow> wall_sloped_rows(const WallInput& w);

// Draws the rows of one face in its view and fills their bar list rows. The back face must be
// drawn first: the front-face rows follow its last row.
void draw_wall_horizontal_bars(RunContext& ctx, WallFace face, WallHorizontalBars& bars);

}  // namespace lwall
