// Origin, polylines, repeated lines, circles and texts.

#include "output/primitives/primitives.hpp"

namespace lwall {

void set_origin(Canvas& cv, double x, double y) { cv.state.origin = {x, y}; }

int open_block(Canvas& cv, BlockRole role) { return cv.recording != nullptr ? cv.recording->open_block(role) : -1; }

void select_block(Canvas& cv, int block) {
    if (cv.recording != nullptr && block >= 0) cv.recording->select_block(block);
}

void draw_polyline(Canvas& cv, std::span<const Point> points) {
    const Point o = cv.state.origin;
    for (std::size_t k = 1; k < points.size(); ++k) {
        cv.drawn().line({cv.pen.layer, cv.pen.colour, cv.pen.width, points[k - 1].x + o.x, points[k - 1].y + o.y,
                         points[k].x + o.x, points[k].y + o.y});
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
    cv.drawn().circle({cv.pen.layer, cv.pen.width, x + cv.state.origin.x, y + cv.state.origin.y, r});
}

void draw_text(Canvas& cv, double x, double y, int height, double angle, std::string_view text) {
    TextEntity e;
    e.layer = cv.pen.layer;
    e.width = cv.pen.width;
    e.height = height;
    e.text = text;
    e.angle = angle;
    e.x1 = x + cv.state.origin.x;
    e.y1 = y + cv.state.origin.y;
    cv.drawn().text(e);
}

void draw_text_styled(Canvas& cv, Point first, Point second, int height, double rotation, std::string_view text,
                      std::string_view style) {
    const Point o = cv.state.origin;
    TextEntity e;
    e.form = TextForm::aligned;
    e.layer = cv.pen.layer;
    e.width = cv.pen.width;
    e.height = height;
    e.text = text;
    e.angle = rotation;
    e.style = style;
    e.x1 = first.x + o.x;
    e.y1 = first.y + o.y;
    e.x2 = second.x + o.x;
    e.y2 = second.y + o.y;
    cv.drawn().text(e);
}

void draw_kanji_text(Canvas& cv, Point first, Point second, int height, std::string_view text) {
    draw_text_styled(cv, first, second, height, 0, text, "KANJI");
}

}  // namespace lwall
