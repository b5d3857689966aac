// Bars seen end-on and bar call-outs.

#include "output/primitives/primitives.hpp"

namespace lwall {

void draw_dot(Canvas& cv, double x, double y, int rings) {
    for (int i = 1; i <= rings; ++i) draw_circle(cv, x, y, i * 0.5);
}

void draw_dot_row(Canvas& cv, double x, double y, int rings, double step, int count, int kx, int ky) {
    for (int i = 0; i < count; ++i) {
        draw_dot(cv, x, y, rings);
        x += kx * step;
        y += ky * step;
    }
}

void draw_bar_callout(Canvas& cv, double x, double y, double r, int height, double angle, std::string_view mark,
                      std::string_view size) {
    draw_text(cv, x, y + 125, height, angle, mark);
    draw_circle(cv, x + r - 80, y + r, r);
    draw_text(cv, x + 600, y, height, angle, size);
}

}  // namespace lwall
