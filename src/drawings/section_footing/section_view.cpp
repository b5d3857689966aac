#include "drawings/section_footing/section_view.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/bar_rules.hpp"
#include "core/sjis.hpp"
#include "drawings/section_footing/bar_arrangement_view.hpp"
#include "drawings/section_footing/bar_labels.hpp"
#include "output/primitives/primitives.hpp"
#include "output/script/script_writer.hpp"

namespace lwall {

namespace {

constexpr double kLabelHeight = 125;

// The label start: half the label's length, one character per Shift_JIS byte, before the middle.
double centred(double middle, std::string_view label) {
    return middle - static_cast<double>(label.size()) * kLabelHeight / 2;
}

// A vertical dimension from a to b with its line at x = line_x: the script line first, then the
// lines and the label of the distance, `label_dx` left or right of the line.
void section_dim_v(Canvas& cv, Point a, Point b, double line_x, double label_dx = -50) {
    const TextBuf label = fmt_length(std::fabs(a.y - b.y));
    scr_dimlinear_v(cv, a, b, {line_x, a.y});
    draw_dim_vertical(cv, a, b, {line_x, a.y}, {line_x + label_dx, centred((a.y + b.y) / 2, label)}, kLabelHeight,
                      label);
}

void section_dim_h(Canvas& cv, Point a, Point b, double line_y, bool with_drawing = true) {
    scr_dimlinear_h(cv, a, b, {a.x, line_y});
    if (!with_drawing) return;
    const TextBuf label = fmt_length(std::fabs(a.x - b.x));
    draw_dim_horizontal(cv, a, b, {a.x, line_y}, {centred((a.x + b.x) / 2, label), line_y + 50}, kLabelHeight,
                        label);
}

// One row of bars seen end-on, stepping up the wall or across the footing.
struct DotRow {
    int dia;
    double x, y, pitch;
    int count;
};

void draw_dots(Canvas& cv, const DotRow& r, int kx, int ky) {
    if (r.dia != 0) draw_dot_row(cv, r.x, r.y, r.dia, r.pitch, r.count, kx, ky);
}

// Steps of the S1 spacing indicator, by the number of spacings N1, N2 of the two lowest zones of
// the horizontal bars; none for N2 above 3 (or below 0).
struct S1Chain {
    bool drawn = false;
    int steps = 0;
    bool second = false;  // N2 = 3 with N1 odd: one more step to the third zone
};

S1Chain s1_chain(int n1, int n2) {
    const bool even = n1 % 2 == 0;
    switch (n2) {
        case 0: return {true, even ? (n1 - 4) / 2 + 1 : (n1 - 5) / 2 + 1, false};
        case 1: return {true, even ? (n1 - 4) / 2 + 1 : (n1 - 3) / 2 + 1, false};
        case 2: return {true, even ? (n1 - 2) / 2 + 1 : (n1 - 3) / 2 + 1, false};
        case 3: return {true, even ? (n1 - 2) / 2 + 1 : (n1 - 3) / 2 + 1, !even};
        default: return {};
    }
}

}  // namespace

double s1_straight_length(const WallInput& w) {
    return (w.wall_thickness - w.cover3 - w.cover4) + (w.W1.dia + w.W2.dia) / 2 + w.W3.dia + w.W4.dia + w.S1.dia;
}

double s1_cut_length(double straight) { return std::floor((straight + 200) / 10) * 10 + 10; }

void draw_section_view(RunContext& ctx) {
    const WallInput& w = ctx.input;
    Canvas& cv = ctx.canvas;
    HandedValues& handed = ctx.handed;
    const double T = w.wall_thickness;
    const double Bl = w.footing_left_width;
    const double Br = w.footing_right_width;
    const double Hf = w.footing_thickness;
    const double Hs = std::max(w.height_left, w.height_right);
    const double Hw = w.wall_height;
    const double c1 = w.cover1;
    const double c2 = w.cover2;
    const double c3 = w.cover3;
    const double c4 = w.cover4;
    const double c5 = w.cover5;
    const double c6 = w.cover6;
    const double ct = w.cover_wall_top;
    const double ox = ctx.layout.section_x;
    const double oy = ctx.layout.section_y;
    cv.state.dim_ext_gap = 100;

    // 1. Outline (points 4 to 6 coincide at the wall top).
    pen_select_layer(ctx, "D-STR");
    set_origin(cv, ox, oy);
    const Point outline[] = {{T / 2 + Br, 0},      {T / 2 + Br, Hf},  {T / 2, Hf},       {T / 2, Hf + Hs},
                             {T / 2, Hf + Hs},     {T / 2, Hf + Hs},  {-T / 2, Hf + Hs}, {-T / 2, Hf},
                             {-T / 2 - Bl, Hf},    {-T / 2 - Bl, 0},  {T / 2 + Br, 0}};
    draw_polyline(cv, outline);

    // 2. Title.
    {
        TextBuf title;
        title.text(u8"断　面　図　S=1:"_sj).fixed(ctx.layout.scale, 3, 0);
        pen_select_layer(ctx, "D-STR-HTXT");
        draw_text_styled(cv, {T / 2 - 2000, Hf + Hs + 2000}, {T / 2 - 1500, Hf + Hs + 2500}, 400, 0, title, "KANJI");
    }

    // 3. Dimensions, extension lines 100 clear of the outline.
    {
        pen_select_layer(ctx, "D-STR-DIM");
        const double xl = -T / 2 - Bl - 100;
        section_dim_v(cv, {-T / 2 - 100, Hf + Hs}, {xl, Hf}, -T / 2 - Bl - 2100);
        section_dim_v(cv, {xl, Hf}, {xl, 0}, -T / 2 - Bl - 2100);
        section_dim_v(cv, {-T / 2 - 100, Hf + Hs}, {xl, 0}, -T / 2 - Bl - 2600);
        section_dim_v(cv, {T / 2 + Br + 100, 0}, {T / 2 + Br + 100, Hf}, T / 2 + Br + 1600);
        const double yt = Hf + Hs + 100;
        section_dim_h(cv, {-T / 2 - Bl, Hf + 100}, {-T / 2, yt}, Hf + Hs + 1100, false);
        section_dim_h(cv, {-T / 2, yt}, {T / 2, yt}, Hf + Hs + 1100);
        section_dim_h(cv, {T / 2, yt}, {T / 2 + Br, Hf + 100}, Hf + Hs + 1100);
        section_dim_h(cv, {-T / 2 - Bl, -100}, {T / 2 + Br, -100}, -1100);
        const double xc = -T / 2 - Bl - 1600;
        section_dim_v(cv, {xl, Hf}, {xl, Hf - c2}, xc);
        section_dim_v(cv, {xl, Hf - c2}, {xl, c1}, xc, -200);
        section_dim_v(cv, {xl, c1}, {xl, 0}, xc);
    }

    // 4. W2, front face.
    {
        pen_select_layer(ctx, "D-STR-STR1");
        set_origin(cv, ox, oy);
        const double x2 = -T / 2 + c3;
        const double y2 = w.W2.dia + c1;
        draw_polyline(cv, {{x2 + handed.w2_foot_length, y2}, {x2, y2}, {x2, y2 + handed.w2_rise_length}});
        pen_select_layer(ctx, "D-STR-DIM");
        const double ym = y2 + handed.w2_rise_length / 2;
        draw_arrow(cv, {x2, ym}, {x2 - 2000, ym});
        pen_select_layer(ctx, "D-STR-HTXT");
        draw_footing_callout(cv, x2 - 2000, ym, ctx.handed.w2_picked_mark, w.W2.dia);
    }

    // 5. W1, back face.
    {
        pen_select_layer(ctx, "D-STR-STR1");
        const double x1 = T / 2 - c6;
        const double y1 = w.W1.dia + c1;
        draw_polyline(cv, {{x1 + handed.w1_foot_length, y1}, {x1, y1}, {x1, y1 + handed.w1_rise_length}});
        pen_select_layer(ctx, "D-STR-DIM");
        const double ym = y1 + handed.w1_rise_length / 2;
        draw_arrow(cv, {x1, ym}, {x1 + 2000, ym});
        pen_select_layer(ctx, "D-STR-HTXT");
        draw_footing_callout(cv, x1 + 700, ym, ctx.handed.w1_picked_mark, w.W1.dia);
    }

    // 6. W5, the cap bar.
    {
        pen_select_layer(ctx, "D-STR-STR1");
        const double leg = handed.w5_leg_length;
        const double width = T - c3 - c4;
        const double yt = Hf + Hs - ct;
        const double xa = -width / 2 - 10;
        const double xb = xa + width + 20;
        draw_polyline(cv, {{xa, yt - leg}, {xa, yt}, {xb, yt}, {xb, yt - leg}});
        pen_select_layer(ctx, "D-STR-DIM");
        const double xm = (xa + xb) / 2;
        draw_leader(cv, {xm, yt}, {xm, yt + 500}, {xm + 1500, yt + 500});
        pen_select_layer(ctx, "D-STR-HTXT");
        draw_footing_callout(cv, xm + 100, yt + 500, "W5", w.W5.dia);
    }

    const double xr = T / 2 + Br - c4;  // heel end of the footing bars
    const double yF = Hf - c2;          // level of the top footing bar

    // 7. F1, the top footing bar with its leg down the heel end.
    {
        pen_select_layer(ctx, "D-STR-STR1");
        handed.f1_anchorage_extension = bar_extension_length(w.F1.dia);
        const double run = Bl + T + Br - c6 - c5;
        draw_polyline(cv, {{xr, c1}, {xr, yF}, {xr - run, yF}});
        pen_select_layer(ctx, "D-STR-DIM");
        const Point p1{xr / 2, yF}, p2{xr / 2, yF + 500}, p3{xr / 2 + 1500, yF + 500};
        scr_qleader(cv, p1, p2, p3);
        draw_leader(cv, p1, p2, p3);
        pen_select_layer(ctx, "D-STR-HTXT");
        draw_footing_callout(cv, xr / 2 + 100, yF + 500, "F1", w.F1.dia);
    }

    // 8. F2, the bottom footing bar; its toe leg is the leg of the bar list (15 d cut to the
    // room between the covers), so that it stays in the footing.
    {
        pen_select_layer(ctx, "D-STR-STR1");
        const double xl = -T / 2 - Bl + c4;
        draw_polyline(cv, {{xr, Hf - c2}, {xr, c1}, {xl, c1}, {xl, c1 + f2_end_leg(w)}});
        pen_select_layer(ctx, "D-STR-DIM");
        const double xm = (Br - Bl) / 2;
        draw_leader(cv, {xm, c1}, {xm, c1 - 1000}, {xm - 1500, c1 - 1000});
        pen_select_layer(ctx, "D-STR-HTXT");
        draw_footing_callout(cv, xm - 1550, c1 - 1000, "F2", w.F2.dia);
    }

    // 9. Bars seen end-on: the horizontal wall bars up both faces, the longitudinal footing bars
    // across both layers.
    {
        pen_select_layer(ctx, "D-STR-STR1");
        const BarGroup& W3 = w.W3;
        const BarGroup& W4 = w.W4;
        const double ys = Hf - c2;
        const double x_front = -T / 2 + c5 - W4.dia;
        const double y_front = ys + W4.opt[1] / 2;
        const double x_back = T / 2 - c6 + W3.dia / 2;
        const double y_back = ys + W3.dia / 2;
        DotRow front1, front2, back1, back2;
        if (w.height_left == w.height_right) {
            front1 = {W4.dia, x_front, y_front, W4.pitch[1], W4.count[1]};
            front2 = {W4.opt[1], x_front, y_front + W4.count[1] * W4.pitch[1], W4.pitch[2], W4.count[2]};
            back1 = {W3.dia, x_back, y_back, W3.pitch[1], W3.count[1]};
            back2 = {W3.opt[1], x_back, y_back + W3.count[1] * W3.pitch[1], W3.pitch[2], W3.count[2]};
        } else {
            // One group for both faces: W4 when the left end is higher, else W3.
            const bool left_higher = w.height_left > w.height_right;
            const BarGroup& G = left_higher ? W4 : W3;
            const int n1 = left_higher ? W4.count[1] + 1 : W3.count[1];
            const double y2 = ys + G.opt[1] / 2 + G.count[1] * G.pitch[1];
            front1 = {G.dia, x_front, y_front, G.pitch[1], n1};
            front2 = {G.opt[1], -T / 2 + c5 - G.dia, y2, G.pitch[2], G.count[2]};
            back1 = {G.dia, x_back, y_back, G.pitch[1], n1};
            back2 = {G.opt[1], x_back, y2, G.pitch[2], G.count[2]};
        }
        draw_dots(cv, front1, 0, 1);
        draw_dots(cv, front2, 0, 1);
        draw_dot(cv, -T / 2 + c5 - W3.dia, Hf + Hs - ct, W3.dia);
        draw_dots(cv, back1, 0, 1);
        draw_dots(cv, back2, 0, 1);
        draw_dot(cv, T / 2 - c6 + W3.dia / 2, Hf + Hs - ct, W4.dia);

        // Each zone starts after the one before, drawn or not.
        const auto footing_layer = [&](const BarGroup& g, double y) {
            double x = -T / 2 - Bl + c4;
            draw_dots(cv, {g.dia, x, y, g.pitch[1], g.count[1]}, 1, 0);
            x += g.count[1] * g.pitch[1];
            draw_dots(cv, {g.opt[1], x, y, g.pitch[2], g.count[2]}, 1, 0);
            x += g.count[2] * g.pitch[2];
            draw_dots(cv, {g.opt[2], x, y, g.pitch[3], g.count[3] + 1}, 1, 0);
        };
        footing_layer(w.F3, Hf - c2 + w.F3.opt[1]);
        footing_layer(w.F4, c2 - w.F4.dia);
    }

    // 10. S1 ties across the wall, on every second row of the lower-end group's two lowest zones.
    const bool w3_rows = w.height_left <= w.height_right;
    const BarGroup& G = w3_rows ? w.W3 : w.W4;
    const int N1 = G.count[1];
    const int N2 = G.count[2];
    const double p1 = G.pitch[1];
    const double p2 = G.pitch[2];
    const double ys = Hf - c2;
    const auto tie_y = [&](int k) { return k < N1 ? ys + k * p1 : ys + N1 * p1 + (k - N1) * p2; };
    pen_select_layer(ctx, "D-STR-STR1");
    for (int k = 2; k <= N1 + N2 - 2; k += 2) draw_polyline(cv, {{-T / 2 + c3, tie_y(k)}, {T / 2 - c4, tie_y(k)}});

    // 11. S1 spacing indicator.
    pen_select_layer(ctx, "D-STR-DIM");
    const S1Chain chain = s1_chain(N1, N2);
    if (chain.drawn) {
        draw_chain_vertical(cv, -20, ys + 2 * p1, 0, 2 * p1, chain.steps, +1);
        if (chain.second) {
            // Without an overshoot, like the chain it continues.
            const Point end = cv.state.chain_end;
            draw_chain_vertical(cv, end.x, end.y, 0, w.W4.pitch[1] + w.W3.pitch[3], 1, +1);
        }
    }

    // 12. S1 leader, from the end of the indicator (from the lowest tie when there is none), and
    // row 51.
    {
        const double ye = chain.drawn ? cv.state.chain_end.y : tie_y(2);
        draw_polyline(cv, {{-20, ye}, {-20, Hf + Hs + 1000}, {-1500, Hf + Hs + 1000}});
        pen_select_layer(ctx, "D-STR-HTXT");
        draw_footing_callout(cv, -1500, Hf + Hs + 1000, "S1", w.S1.dia);
        ScheduleRow& row = ctx.bar_list.fixed(BarList::kS1);
        const double s = s1_straight_length(w);
        row.mark = "S1";
        row.shape_code = "6";
        row.size_text = bar_size_string(w.S1.dia);
        row.unit_mass = bar_unit_mass(w.S1.dia);
        row.len2 = s;
        row.total_length = s1_cut_length(s);
        row.len1 = (row.total_length - s) / 2;
    }

    // 13. S2 ties in the footing, from the heel toward the toe on every second F3 bar of zone 3.
    const int m = (w.F3.count[2] + w.F3.count[3]) / 2;
    std::vector<double> tie_x(static_cast<std::size_t>(std::max(m, 0)));
    pen_select_layer(ctx, "D-STR-STR1");
    for (int i = 1; i <= m; ++i) {
        const double x = T / 2 + Br - c6 - (2 * i - 1) * w.F3.pitch[3];
        draw_polyline(cv, {{x, Hf - c2}, {x, c1}});
        tie_x[static_cast<std::size_t>(m - i)] = x;
    }

    // 14. S2 spacing indicator, leader and call-out. A single tie gets the chain's one step of
    // 250; without ties in the section there is nothing to indicate, and none is drawn.
    if (m >= 1) {
        pen_select_layer(ctx, "D-STR-DIM");
        const double step = m >= 2 ? tie_x[1] - tie_x[0] : 2 * w.F3.pitch[3];
        draw_chain_horizontal(cv, tie_x[0], Hf / 2, 500, step, m, +1);
        const Point e = cv.state.chain_end;
        draw_polyline(cv, {e, {e.x, e.y + 1000}, {e.x + 1500, e.y + 1000}});
        pen_select_layer(ctx, "D-STR-HTXT");
        draw_footing_callout(cv, e.x, e.y + 1000, "S2", w.S2.dia);
    }

    // 15. Cover dimensions, labelled with the covers.
    {
        pen_select_layer(ctx, "D-STR-DIM");
        const double yc = Hf + Hw - ct - 2.5 * w.W3.pitch[1];
        const double xc = T / 2 + Br - c6 - 2.5 * w.F3.pitch[5];
        scr_dimlinear_h(cv, {-T / 2, yc}, {-T / 2 + c3, yc}, {-T / 2, yc + 10});
        draw_dim_horizontal(cv, {-T / 2, yc}, {-T / 2 + c3, yc}, {-T / 2, yc + 10}, {-T / 2 - c3 / 2, yc + 30},
                            kLabelHeight, fmt_length(std::fabs(c3)));
        scr_dimlinear_h(cv, {T / 2, yc}, {T / 2 - c4, yc}, {T / 2, yc + 10});
        draw_dim_horizontal(cv, {T / 2, yc}, {T / 2 - c4, yc}, {T / 2, yc + 10}, {T / 2 - c4 / 3, yc + 30},
                            kLabelHeight, fmt_length(std::fabs(c4)));
        draw_dim_vertical(cv, {xc, Hf}, {xc, Hf - c2}, {xc - 10, Hf}, {xc + 10, Hf - c2 / 3}, kLabelHeight,
                          fmt_length(std::fabs(c2)));
        draw_dim_vertical(cv, {xc, c1}, {xc, 0}, {xc - 10, c1}, {xc - 110, -c1 / 3}, kLabelHeight,
                          fmt_length(std::fabs(c1)));
    }
}

}  // namespace lwall
