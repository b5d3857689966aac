#include "output/primitives/geometry.hpp"

#include <cmath>

#include "core/number_format.hpp"

namespace lwall {

Point geom_point_along(Point p1, Point p2, double d) {
    const double dist = std::fabs(d);
    if (p1.x == p2.x) return {p1.x, d > 0 ? p1.y + dist : p1.y - dist};
    const double m = (p2.y - p1.y) / (p2.x - p1.x);
    const double c = (p2.x * p1.y - p1.x * p2.y) / (p2.x - p1.x);
    const double k = std::sqrt(m * m + 1.0);
    const double x = d > 0 ? p1.x + dist / k : p1.x - dist / k;
    return {x, m * x + c};
}

Point geom_point_normal(Point p1, Point p2, double d) {
    const double dist = std::fabs(d);
    if (p1.x == p2.x) return {d > 0 ? p1.x - dist : p1.x + dist, p1.y};
    const double m = (p2.y - p1.y) / (p2.x - p1.x);
    const double k = std::sqrt(m * m + 1.0);
    if (d > 0) return {p1.x - dist * m / k, p1.y + dist / k};
    return {p1.x + dist * m / k, p1.y - dist / k};
}

double abs_value(double v) { return std::fabs(v); }

void scale_points(double f, std::span<Point> points) {
    for (Point& p : points) {
        p.x *= f;
        p.y *= f;
    }
}

double moved_by(double v, double d) { return d == 0 ? v : round_half_away(v) + d; }

}  // namespace lwall
