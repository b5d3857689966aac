#pragma once
// The command script plenk.scr: "dimlinear" and "qleader" commands in sheet coordinates. Points
// arrive in the coordinates of the current view; the writer adds the current origin.

#include <string_view>

#include "output/primitives/canvas.hpp"

namespace lwall {

// Vertical and horizontal linear dimensions from p1 to p2 with the dimension line through p3.
void scr_dimlinear_v(Canvas& cv, Point p1, Point p2, Point p3);
void scr_dimlinear_h(Canvas& cv, Point p1, Point p2, Point p3);
// A linear dimension whose measured value is replaced by `text`.
void scr_dimlinear_text(Canvas& cv, Point p1, Point p2, std::string_view text, Point p3);
// A leader with its arrow at p1 through p2 and p3.
void scr_qleader(Canvas& cv, Point p1, Point p2, Point p3);
void scr_write_line(Canvas& cv, std::string_view text);

}  // namespace lwall
