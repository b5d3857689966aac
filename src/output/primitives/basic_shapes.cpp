// Origin, polylines, repeated lines, circles and texts.

#include "output/dxf/dxf_entities.hpp"
#include "output/primitives/primitives.hpp"

namespace lwall {

void set_origin(Canvas& cv, double x, double y) { cv.state.origin = {x, y}; }

void draw_polyline(Canvas& cv, std::span<const Point> points) {
    const Point o = cv.state.origin;
    for (std::size_t k = 1; k < points.size(); ++k) {
        dxf_line(cv.dxf, cv.pen.layer, cv.pen.width, cv.pen.colour, points[k - 1].x + o.x, points[k - 1].y + o.y,
                 points[k].x + o.x, points[k].y + o.y);
    }
}

void draw_line_repeat(Canvas& cv, Point& p1, Point& p2, double step, int count, int kx, int ky) {
    for (int i = 0; i < count; ++i) {
        draw_polyline(cv, {p1, p2});
        p1.x += kx * step;
        p1.y += ky * step;
        p2.x += kx * step;
        p2.y += ky * step;
    }
}

void draw_circle(Canvas& cv, double x, double y, double r) {
    dxf_circle(cv.dxf, cv.pen.layer, x, y, r, cv.pen.width, cv.state.origin.x, cv.state.origin.y);
}

void draw_text(Canvas& cv, double x, double y, int height, double angle, std::string_view text) {
    dxf_text(cv.dxf, cv.pen.layer, cv.pen.width, 0, height, text, 1.0, angle, x + cv.state.origin.x,
             y + cv.state.origin.y);
}

void draw_text_styled(Canvas& cv, Point first, Point second, int height, double rotation, std::string_view text,
                      std::string_view style) {
    const Point o = cv.state.origin;
    dxf_text_styled(cv.dxf, cv.pen.layer, cv.pen.width, 0, height, text, 1.0, rotation, style, first.x + o.x,
                    first.y + o.y, second.x + o.x, second.y + o.y);
}

void draw_kanji_text(Canvas& cv, Point first, Point second, int height, std::string_view text) {
    draw_text_styled(cv, first, second, height, 0, text, "KANJI");
}

}  // namespace lwall
