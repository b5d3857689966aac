#include "schedule/bar_shapes.hpp"

#include <initializer_list>

#include "output/primitives/primitives.hpp"
#include "core/printed_number.hpp"

namespace lwall {

namespace {

// Fills points 1 ... n, scales them by f and draws them.
void build(Canvas& cv, ShapePoints& s, std::initializer_list<Point> points, double f) {
    s = {};
    for (const Point& p : points) s.pt[static_cast<std::size_t>(++s.count)] = p;
    scale_points(f, std::span<Point>(s.pt.data() + 1, static_cast<std::size_t>(s.count)));
    draw_polyline(cv, s.points());
}

// Rise per unit of run of a bar along the sloped top; a bar with no run is given none, so that
// nothing divides by zero.
double slope(double run, double h_left, double h_right) { return run == 0 ? 0.0 : (h_right - h_left) / run; }

}  // namespace

void draw_shape_1(Canvas& cv, ShapePoints& s, double a, double b, double f) {
    build(cv, s, {{0, a}, {0, 0}, {b, 0}}, f);
}

void draw_shape_1_raised(Canvas& cv, ShapePoints& s, double a, double b, double f) {
    build(cv, s, {{0, 50 + a}, {0, 50}, {b, 50}}, f);
}

void draw_shape_2(Canvas& cv, ShapePoints& s, double a, double b, double c, double f) {
    build(cv, s, {{0, a}, {0, 0}, {b, 0}, {b, c}}, f);
}

void draw_shape_3(Canvas& cv, ShapePoints& s, double a, double b, double c, double f) {
    build(cv, s, {{c, 0}, {0, 0}, {0, b}, {a, b}, {a, 0}, {a - c, 0}}, f);
}

void draw_shape_4(Canvas& cv, ShapePoints& s, double a, double b, double c, double f) {
    build(cv, s, {{0, a}, {0, 0}, {b, 0}, {b, -c}}, f);
}

void draw_shape_5(Canvas& cv, ShapePoints& s, double a, double f) { build(cv, s, {{0, 0}, {a, 0}}, f); }

void draw_shape_5_inclined(Canvas& cv, ShapePoints& s, double run, double b, double h_left, double h_right,
                           double f) {
    // Every caller passes b = run, so with no run the bar rises the whole height difference.
    const double rise = run == 0 ? h_right - h_left : (h_right - h_left) / run * b;
    build(cv, s, {{0, 0}, {run, rise}}, f);
}

void draw_shape_5_lapped(Canvas& cv, ShapePoints& first, ShapePoints& second, double run, double piece1,
                         std::string_view piece2_text, double f) {
    const double piece2 = read_printed_number(piece2_text);
    build(cv, first, {{0, 0}, {piece1, 0}}, f);
    build(cv, second, {{run - piece2, 20}, {run, 20}}, f);
}

void draw_shape_5_lapped_inclined(Canvas& cv, ShapePoints& first, ShapePoints& second, double run, double piece1,
                                  double h_left, double h_right, double max_bar_length, double f) {
    const double g = slope(run, h_left, h_right);
    build(cv, first, {{0, 0}, {piece1, piece1 * g}}, f);
    build(cv, second, {{run - max_bar_length, g * (run - max_bar_length) + 20}, {run, run * g + 20}}, f);
}

void draw_shape_6(Canvas& cv, ShapePoints& s, double a, double b, double f) {
    build(cv, s, {{0, 50}, {0, 50 + a}, {b, 50 + a}, {b, 50}}, f);
}

}  // namespace lwall
