#pragma once
// Points and the pure geometry helpers of the drafting primitives.

#include <span>

namespace lwall {

struct Point {
    double x = 0;
    double y = 0;
};

// The point at distance |d| from p1 on the line through p1 and p2: d > 0 moves toward larger x
// (larger y on a vertical line), d <= 0 the other way, whatever the order of p1 and p2.
Point geom_point_along(Point p1, Point p2, double d);

// The point at distance |d| from p1 perpendicular to the line p1-p2: d > 0 to the upper side
// (the left side on a vertical line), d <= 0 to the other.
Point geom_point_normal(Point p1, Point p2, double d);

double abs_value(double v);

// A coordinate of a block moved by the whole offset d, as the files write it: rounded to whole drawing
// units first (halves away from zero), so that every position the block writes moves by exactly d
// and none shifts against the others where a coordinate changes sign. Unmoved (d = 0), it stays as
// it is.
double moved_by(double v, double d);

// Multiplies every point by f in place.
void scale_points(double f, std::span<Point> points);

}  // namespace lwall
