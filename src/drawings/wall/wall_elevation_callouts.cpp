#include "drawings/wall/wall_elevation_callouts.hpp"

#include <algorithm>
#include <string>

#include "core/bar_rules.hpp"
#include "output/primitives/primitives.hpp"

namespace lwall {

namespace {

constexpr double kCalloutSize = 200;
constexpr int kCalloutHeight = 125;


void callout(RunContext& ctx, Point at, std::string_view mark, int dia) {
    pen_select_layer(ctx, "D-STR-HTXT");
    draw_bar_callout(ctx.canvas, at.x, at.y, kCalloutSize, kCalloutHeight, 0, mark, bar_size_text(dia));
}

void set_face_origin(RunContext& ctx, WallFace face) {
    const Point o = wall_face_origin(ctx, face);
    set_origin(ctx.canvas, o.x, o.y);
}

// 1. S1: arrows from the two anchors to a point 2500 left of and 1000 above the first, a line
// 1000 on to the left and the call-out at its end.
void tie_callout(RunContext& ctx, const TieAnchors& ties) {
    set_face_origin(ctx, WallFace::front);
    pen_select_layer(ctx, "D-STR-DIM");
    const Point c{ties.first.x - 2500, ties.first.y + 1000};
    draw_arrow(ctx.canvas, ties.first, c);
    draw_arrow(ctx.canvas, ties.second, c);
    draw_polyline(ctx.canvas, {c, {c.x - 1000, c.y}});
    callout(ctx, {c.x - 1000, c.y}, "S1", ctx.input.S1.dia);
}

// 2. Vertical bars of one face: a spacing chain per zone of each side, starting at the zone's first
// bar midway between two horizontal rows, and the call-out of that side's class at the chain's
// end. Zones without bars get no chain.
void vertical_bar_chains(RunContext& ctx, WallFace face, const VerticalBarLayout& v) {
    const WallInput& w = ctx.input;
    const BarGroup& g = face == WallFace::back ? w.W1 : w.W2;
    const char* name = face == WallFace::back ? "W1" : "W2";
    const double base = w.footing_thickness - w.cover2;
    const double y_right = base + (w.W3.count[1] / 2 + 1.5) * w.W3.pitch[1];
    const double y_left = base + (w.W4.count[1] / 2 + 1.5) * w.W4.pitch[1];
    set_face_origin(ctx, face);
    double shift = face == WallFace::back ? 550 : 50;  // the first call-out of the back face stands further left

    struct Zone {
        double x;
        double pitch;
        int count;
    };
    auto side = [&](double y, int direction, Zone inner, Zone outer, const std::vector<int>& classes) {
        pen_select_layer(ctx, "D-STR-DIM");
        bool drawn = false;
        for (const Zone& z : {inner, outer}) {
            if (z.count <= 0) continue;
            draw_chain_horizontal(ctx.canvas, z.x, y, 1000, z.pitch, z.count, direction);
            drawn = true;
        }
        if (!drawn) return;
        const Point e = ctx.canvas.state.chain_end;
        callout(ctx, {e.x - shift, e.y}, class_mark(name, v, classes.back()), g.dia);
        shift = 50;
    };
    side(y_right, +1, {g.pitch[3], g.pitch[3], g.count[3]},
         {g.count[3] * g.pitch[3] + g.pitch[4], g.pitch[4], g.count[4]}, v.right_class);
    side(y_left, -1, {-g.pitch[2], g.pitch[2], g.count[2]},
         {-(g.count[2] * g.pitch[2] + g.pitch[1]), g.pitch[1], g.count[1]}, v.left_class);
    // Three classes: the middle class around the reference point is named above it.
    if (v.classes == 3) callout(ctx, {-400, y_right + 250}, class_mark(name, v, 2), g.dia);
}

// 3. Horizontal bars of one face: chains up zone 1 and zone 2 of the lower-end group near the far
// end of the face, the call-out at their end and a 1500 line outward.
void horizontal_bar_callout(RunContext& ctx, WallFace face) {
    const WallInput& w = ctx.input;
    const bool back = face == WallFace::back;
    const BarGroup& lower = w.height_left >= w.height_right ? w.W3 : w.W4;
    const BarGroup& other = w.height_left >= w.height_right ? w.W4 : w.W3;
    const double x = back ? w.length_right - w.end_cover_right - 2.5 * w.W1.pitch[1]
                          : w.end_cover_left - w.length_left + 2.5 * w.W2.pitch[1];
    const double y0 = w.footing_thickness - w.cover2;
    const double y1 = y0 + lower.count[1] * lower.pitch[1];
    const double higher = std::max(0.0, other.count[1] * other.pitch[1] - lower.count[1] * lower.pitch[1]);
    set_face_origin(ctx, face);
    pen_select_layer(ctx, "D-STR-DIM");
    draw_chain_vertical(ctx.canvas, x, y0, 1000, lower.pitch[1], lower.count[1], +1);
    draw_chain_vertical(ctx.canvas, x, y1, 1000 + higher, lower.pitch[2], lower.count[2] + 1, +1);
    const Point e = ctx.canvas.state.chain_end;
    const double outward = back ? 1500 : -1500;
    callout(ctx, back ? e : Point{e.x - 1500, e.y}, back ? "W3" : "W4", back ? w.W3.dia : w.W4.dia);
    pen_select_layer(ctx, "D-STR-DIM");
    draw_polyline(ctx.canvas, {e, {e.x + outward, e.y}});
}

// 4. Bars under the sloped top: an arrow up from each piece, a line toward the lower end's side
// (right when the left end is higher) and the call-out.
void sloped_row_callouts(RunContext& ctx, const WallHorizontalBars& horizontal) {
    const double side = ctx.input.height_left > ctx.input.height_right ? 1500 : -1500;
    set_origin(ctx.canvas, 0, 0);
    for (const CalloutEntry& c : horizontal.callouts) {
        pen_select_layer(ctx, "D-STR-DIM");
        const Point up{c.at.x, c.at.y + 1500};
        draw_arrow(ctx.canvas, c.at, up);
        draw_polyline(ctx.canvas, {up, {up.x + side, up.y}});
        pen_select_layer(ctx, "D-STR-HTXT");
        draw_bar_callout(ctx.canvas, up.x + side, up.y, kCalloutSize, kCalloutHeight, 0, c.mark, c.size);
    }
}

// 5. W5, in the back-face view: chains over its zones on both sides, a leader up
// and to the right from the end of the right-hand chain and the call-out. The chains run under the
// top of the first class; with two classes 250 under the top at the reference point (top rising to
// the right) or at the lower right end; with three classes 250 under the lower end, so that they
// stay inside the wall however steep the top.
void cap_bar_callout(RunContext& ctx, const WallVerticalBars& vertical) {
    const WallInput& w = ctx.input;
    const BarGroup& g = w.W5;
    const bool one_class = vertical.classes == 1;
    double h = w.height_left < w.height_right ? w.wall_height : w.height_right;
    if (vertical.classes == 3) h = std::min(w.height_left, w.height_right);
    const double y = one_class ? ctx.bar_list.fixed(1).len1 - g.pitch[3] / 2 : w.footing_thickness + h - 250;
    const double outer = one_class ? 1250 : 800;
    set_face_origin(ctx, WallFace::back);
    pen_select_layer(ctx, "D-STR-DIM");
    Canvas& cv = ctx.canvas;
    Point end{0, y};
    if (g.count[3] > 0) {
        draw_chain_horizontal(cv, g.pitch[3] - g.opt[2], y, 0, g.pitch[3], g.count[3], +1);
        end = cv.state.chain_end;
    }
    if (g.count[4] > 0) {
        draw_chain_horizontal(cv, g.count[3] * g.pitch[3] + g.pitch[4] + g.opt[3], y, outer, g.pitch[4], g.count[4], +1);
        end = cv.state.chain_end;
    }
    if (g.count[2] > 0) draw_chain_horizontal(cv, -g.pitch[2], y, 0, g.pitch[2], g.count[2], -1);
    if (g.count[1] > 0) draw_chain_horizontal(cv, -(g.count[2] * g.pitch[2] + g.pitch[1]), y, outer, g.pitch[1], g.count[1], -1);
    draw_polyline(cv, {end, {end.x, end.y + 1200}, {end.x + 1000, end.y + 1200}});
    callout(ctx, {end.x + 1000 - 1050, end.y + 1200}, "W5", g.dia);
}

}  // namespace

void draw_wall_callouts(RunContext& ctx, const WallVerticalBars& vertical, const TieAnchors& ties,
                        const WallHorizontalBars& horizontal) {
    tie_callout(ctx, ties);
    vertical_bar_chains(ctx, WallFace::back, vertical.w1);
    vertical_bar_chains(ctx, WallFace::front, vertical.w2);
    horizontal_bar_callout(ctx, WallFace::back);
    horizontal_bar_callout(ctx, WallFace::front);
    sloped_row_callouts(ctx, horizontal);
    cap_bar_callout(ctx, vertical);
}

}  // namespace lwall
