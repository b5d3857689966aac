// Dimensions drawn as plain lines with tick arrowheads and a label.

#include <cmath>
#include <numbers>

#include "output/primitives/primitives.hpp"

namespace lwall {

namespace {

void draw_label(Canvas& cv, Point first, Point second, double height, double rotation, std::string_view text) {
    draw_text_styled(cv, first, second, static_cast<int>(std::floor(height)), rotation, text,
                     cv.state.dim_text_style);
}

}  // namespace

void draw_dim_vertical(Canvas& cv, Point p1, Point p2, Point line_at, Point text_at, double height,
                       std::string_view text) {
    const double xd = line_at.x;
    const double yd = line_at.y;
    draw_polyline(cv, {p1, {xd, yd}, {xd, p2.y}, p2});
    // Both ticks open toward the inside of the dimension line.
    const double len = yd > p2.y ? kTickLength : -kTickLength;
    draw_arrowhead_at_start(cv, {xd, yd}, {xd, p2.y}, len, tick_half_width());
    draw_arrowhead_at_start(cv, {xd, p2.y}, {xd, yd}, -len, tick_half_width());
    draw_label(cv, text_at, {text_at.x, text_at.y + 200}, height, 90, text);
}

void draw_dim_horizontal(Canvas& cv, Point p1, Point p2, Point line_at, Point text_at, double height,
                         std::string_view text) {
    const double xd = line_at.x;
    const double yd = line_at.y;
    draw_polyline(cv, {p1, {xd, yd}, {p2.x, yd}, p2});
    const double len = xd > p2.x ? kTickLength : -kTickLength;
    draw_arrowhead_at_start(cv, {xd, yd}, {p2.x, yd}, len, tick_half_width());
    draw_arrowhead_at_start(cv, {p2.x, yd}, {xd, yd}, -len, tick_half_width());
    draw_label(cv, text_at, {text_at.x + 200, text_at.y}, height, xd == p2.x ? 90 : 0, text);
}

void draw_dim_aligned(Canvas& cv, Point p1, Point p2, double offset, double height, std::string_view text) {
    const Point o1 = geom_point_normal(p1, p2, offset);
    const Point o2 = geom_point_normal(p2, p1, offset);
    draw_polyline(cv, {p1, o1, o2, p2});
    draw_arrowhead_at_start(cv, o1, o2, -kTickLength, tick_half_width());
    draw_arrowhead_at_start(cv, o2, o1, kTickLength, tick_half_width());
    const double rotation =
        o1.x == o2.x ? 90.0 : std::atan((o1.y - o2.y) / (o1.x - o2.x)) * 180.0 / std::numbers::pi;
    const double lx = (p1.x + p2.x) / 2 - static_cast<double>(text.size()) * height / 2;
    const double ly = (o1.y + o2.y) / 2 + 50;
    draw_label(cv, {lx, ly}, {lx + 200, ly}, height, rotation, text);
}

}  // namespace lwall
