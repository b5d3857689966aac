// Arrows, leaders and the ticks of dimensions and spacing chains.

#include <cmath>
#include <numbers>

#include "output/primitives/primitives.hpp"

namespace lwall {

namespace {

double degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

// The two strokes of an open arrowhead at p, opening along the direction t (degrees).
void draw_head(Canvas& cv, Point p, double t_degrees) {
    const double t = t_degrees * std::numbers::pi / 180.0;
    const double w = kArrowLength * std::tan(15.0 * std::numbers::pi / 180.0);
    const double c = std::cos(t);
    const double s = std::sin(t);
    draw_polyline(cv, {p, {p.x + kArrowLength * c - w * s, p.y + kArrowLength * s + w * c}});
    draw_polyline(cv, {p, {p.x + kArrowLength * c + w * s, p.y + kArrowLength * s - w * c}});
}

}  // namespace

double tick_half_width() { return kTickLength * std::tan(15.0 * std::numbers::pi / 180.0); }

void draw_arrow(Canvas& cv, Point p1, Point p2) {
    double t = 0;
    if (p1.x == p2.x) t = p1.y < p2.y ? 90 : 270;
    else if (p1.y == p2.y) t = p1.x < p2.x ? 0 : 180;
    else {
        t = degrees(std::atan((p1.y - p2.y) / (p1.x - p2.x)));
        if (t < 0) t += 180;
    }
    draw_polyline(cv, {p1, p2});
    draw_head(cv, p1, t);
}

void draw_leader(Canvas& cv, Point p1, Point p2, Point p3) {
    double t = 0;
    if (p1.x == p2.x) t = p1.y < p2.y ? 90 : 270;
    else t = degrees(std::atan((p1.y - p2.y) / (p1.x - p2.x)));
    draw_polyline(cv, {p1, p2});
    draw_polyline(cv, {p2, p3});
    draw_head(cv, p1, t);
}

void draw_arrowhead_at_start(Canvas& cv, Point p1, Point p2, double len, double half_width) {
    const Point q = geom_point_along(p1, p2, -len);
    const Point r1 = geom_point_normal(q, p2, half_width);
    const Point r2 = geom_point_normal(q, p2, -half_width);
    draw_polyline(cv, {p1, r1});
    draw_polyline(cv, {p1, r2});
}

void draw_arrowhead_at_end(Canvas& cv, Point p1, Point p2, double len, double half_width) {
    const Point q = geom_point_along(p2, p1, len);
    const Point r1 = geom_point_normal(q, p2, half_width);
    const Point r2 = geom_point_normal(q, p2, -half_width);
    draw_polyline(cv, {p2, r1});
    draw_polyline(cv, {p2, r2});
}

}  // namespace lwall
