#pragma once
// Shape builders of the bending drawings: each fills the corner points of one bar shape in the
// frame of the current origin, multiplies them by the drawing factor f and draws them as an open
// polyline on the current pen. The annotators of bar_shape_labels.hpp read the same points back.
//
// Shape types, in the legs Ｌ１, Ｌ２, Ｌ３ of the schedule: 1 an L (vertical leg, foot to the
// right), 2 a U open upwards, 3 a closed hoop with hooks, 4 a crank, 5 a straight bar, 6 a U open
// downwards (cap).

#include <array>
#include <span>
#include <string_view>

#include "output/primitives/canvas.hpp"

namespace lwall {

// The corner points of one drawn shape: pt[1] ... pt[count] (pt[0] unused), after scaling.
struct ShapePoints {
    std::array<Point, 7> pt{};
    int count = 0;

    const Point& operator[](int i) const { return pt[static_cast<std::size_t>(i)]; }
    std::span<const Point> points() const { return {pt.data() + 1, static_cast<std::size_t>(count)}; }
};

// Type 1: P1 (0, a), P2 (0, 0), P3 (b, 0).
void draw_shape_1(Canvas& cv, ShapePoints& s, double a, double b, double f);
// Type 1 lifted by 50: P1 (0, 50 + a), P2 (0, 50), P3 (b, 50).
void draw_shape_1_raised(Canvas& cv, ShapePoints& s, double a, double b, double f);
// Type 2: P1 (0, a), P2 (0, 0), P3 (b, 0), P4 (b, c).
void draw_shape_2(Canvas& cv, ShapePoints& s, double a, double b, double c, double f);
// Type 3: P1 (c, 0), P2 (0, 0), P3 (0, b), P4 (a, b), P5 (a, 0), P6 (a - c, 0).
void draw_shape_3(Canvas& cv, ShapePoints& s, double a, double b, double c, double f);
// Type 4: P1 (0, a), P2 (0, 0), P3 (b, 0), P4 (b, -c).
void draw_shape_4(Canvas& cv, ShapePoints& s, double a, double b, double c, double f);
// Type 5: P1 (0, 0), P2 (a, 0).
void draw_shape_5(Canvas& cv, ShapePoints& s, double a, double f);
// Type 5 along a sloped wall top: P1 (0, 0), P2 (run, (h_right - h_left) / run * b). A run of 0
// is a bar standing upright: P2 (0, h_right - h_left).
void draw_shape_5_inclined(Canvas& cv, ShapePoints& s, double run, double b, double h_left, double h_right, double f);
// Type 5 in two lapped pieces over `run`: piece 1 P1 (0, 0), P2 (piece1, 0); piece 2, the number
// printed in piece2_text long, ends at the far end 20 higher so that the lap shows.
void draw_shape_5_lapped(Canvas& cv, ShapePoints& first, ShapePoints& second, double run, double piece1,
                         std::string_view piece2_text, double f);
// The same along the slope g = (h_right - h_left) / run: piece 1 from (0, 0) to (piece1, piece1 g),
// piece 2 from x = run - max_bar_length to x = run, 20 higher. A run of 0 draws both pieces level.
void draw_shape_5_lapped_inclined(Canvas& cv, ShapePoints& first, ShapePoints& second, double run, double piece1,
                                  double h_left, double h_right, double max_bar_length, double f);
// Type 6: P1 (0, 50), P2 (0, 50 + a), P3 (b, 50 + a), P4 (b, 50).
void draw_shape_6(Canvas& cv, ShapePoints& s, double a, double b, double f);

}  // namespace lwall
