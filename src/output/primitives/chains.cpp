// Spacing indicators: a line with a tick at every bar position of a zone.

#include "output/primitives/primitives.hpp"

namespace lwall {

void draw_chain_vertical(Canvas& cv, double x, double y, double overshoot, double step, int count, int direction) {
    Point prev{x, y};
    Point cur{x, y};
    for (int i = 0; i <= count; ++i) {
        draw_polyline(cv, {prev, cur});  // the first segment has zero length
        draw_arrowhead_at_end(cv, cur, prev, direction * kTickLength, tick_half_width());
        prev = cur;
        cur = {x, cur.y + direction * step};
    }
    const Point end = geom_point_along(prev, cur, direction * overshoot);
    draw_polyline(cv, {prev, end});
    cv.state.chain_end = end;
}

void draw_chain_horizontal(Canvas& cv, double x, double y, double overshoot, double step, int count, int direction) {
    if (count == 1) step = 250;
    Point prev{x, y};
    // The first, almost zero-length segment is not vertical, so its tick lies along the x axis.
    Point cur{x + 0.01, y};
    for (int i = 0; i <= count; ++i) {
        draw_polyline(cv, {prev, cur});
        draw_arrowhead_at_end(cv, cur, prev, direction * kTickLength, tick_half_width());
        prev = cur;
        cur = {cur.x + direction * step, y};
    }
    const Point end = geom_point_along(prev, cur, direction * overshoot);
    draw_polyline(cv, {prev, end});
    // Right of the view's zero the outer of the two points is the one with the larger x.
    if (end.x > 0) cv.state.chain_end = end.x > cur.x ? end : cur;
    else cv.state.chain_end = end.x <= cur.x ? end : cur;
}

}  // namespace lwall
