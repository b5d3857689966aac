#include "drawings/section_footing/footing_plan.hpp"

#include <cmath>
#include <optional>
#include <string>

#include "core/bar_rules.hpp"
#include "core/run_failure.hpp"
#include "core/sjis.hpp"
#include "core/wall_fields.hpp"
#include "drawings/section_footing/bar_labels.hpp"
#include "output/primitives/primitives.hpp"
#include "output/script/script_writer.hpp"

namespace lwall {

namespace {

constexpr double kLabelHeight = 125;

// The local names of the plan. x runs across the footing as in the section, y along the wall
// from its reference point; the upper half (y > 0) shows the top face, the lower half the bottom.
struct PlanNames {
    const WallInput& w;
    double T, Bl, Br, Hf, c1, c2, c3, c4, c5, c6, ct;
    double Ll, Lr, el, er, Lmax;
    double L;       // run of a longitudinal bar
    double xL, xR;  // footing ends
    // Ends of a longitudinal bar along the wall, each within its end cover. On a wall whose ends
    // lie symmetric about the reference point they are -L/2 and L/2.
    double y_left, y_right;
};

PlanNames plan_names(const WallInput& w) {
    const double T = w.wall_thickness;
    const double Bl = w.footing_left_width;
    const double Br = w.footing_right_width;
    const double Ll = w.length_left;
    const double Lr = w.length_right;
    const double el = w.end_cover_left;
    const double er = w.end_cover_right;
    return {w,
            T, Bl, Br, w.footing_thickness, w.cover1, w.cover2, w.cover3, w.cover4, w.cover5, w.cover6,
            w.cover_wall_top,
            Ll, Lr, el, er, w.max_bar_length,
            Ll + Lr - el - er,
            -T / 2 - Bl, T / 2 + Br,
            -(Ll - el), Lr - er};
}

// Labels start before the middle of what they measure by half their Shift_JIS byte count,
// rounded down, times the text height.
double centred(double middle, std::string_view label) {
    return middle - static_cast<double>(label.size() / 2) * kLabelHeight;
}

// The DXF part of a dimension from a to b, its line at x = line_x (vertical) or y = line_y
// (horizontal), the label `offset` beyond the line.
void dim_v(Canvas& cv, Point a, Point b, double line_x, double offset, std::string_view label) {
    draw_dim_vertical(cv, a, b, {line_x, a.y}, {line_x + offset, centred((a.y + b.y) / 2, label)}, kLabelHeight,
                      label);
}

void dim_h(Canvas& cv, Point a, Point b, double line_y, double offset, std::string_view label) {
    draw_dim_horizontal(cv, a, b, {a.x, line_y}, {centred((a.x + b.x) / 2, label), line_y + offset}, kLabelHeight,
                        label);
}

// A plain dimension, script and DXF, labelled with the distance it measures.
void plain_dim_v(Canvas& cv, Point a, Point b, double line_x, double offset) {
    scr_dimlinear_v(cv, a, b, {line_x, a.y});
    dim_v(cv, a, b, line_x, offset, fmt_length(std::fabs(b.y - a.y)));
}

void plain_dim_h(Canvas& cv, Point a, Point b, double line_y, double offset) {
    scr_dimlinear_h(cv, a, b, {a.x, line_y});
    dim_h(cv, a, b, line_y, offset, fmt_length(std::fabs(b.x - a.x)));
}

// "%d×%3.0lf", "=%5.0lf" and "%d×%3.0lf = %5.0lf" of a zone.
TextBuf zone_count_label(int count, double pitch) {
    TextBuf t;
    t.integer(count).text(u8"×"_sj).fixed(pitch, 3, 0);
    return t;
}

TextBuf zone_total_label(int count, double pitch) {
    TextBuf t;
    t.text("=").fixed(count * pitch, 5, 0);
    return t;
}

TextBuf zone_script_text(int count, double pitch) {
    TextBuf t;
    t.integer(count).text(u8"×"_sj).fixed(pitch, 3, 0).text(" = ").fixed(count * pitch, 5, 0);
    return t;
}

struct PairOffsets {
    double count_label;
    double total_label;
};

// A zone of `count` spacings of `pitch` from a to b: a single label of its length when it holds
// one spacing, otherwise the label pair (two DXF dimensions over the same points).
void zone_dim_v(Canvas& cv, Point a, Point b, double line_x, int count, double pitch) {
    if (count == 1) {
        dim_v(cv, a, b, line_x, -50, fmt_length(std::fabs(b.y - a.y)));
        return;
    }
    dim_v(cv, a, b, line_x, -200, zone_count_label(count, pitch));
    dim_v(cv, a, b, line_x, -50, zone_total_label(count, pitch));
}

void zone_dim_h(Canvas& cv, Point a, Point b, double line_y, int count, double pitch, PairOffsets pair) {
    scr_dimlinear_text(cv, a, b, zone_script_text(count, pitch), {a.x, line_y});
    if (count == 1) {
        dim_h(cv, a, b, line_y, 50, fmt_length(std::fabs(b.x - a.x)));
        return;
    }
    dim_h(cv, a, b, line_y, pair.count_label, zone_count_label(count, pitch));
    dim_h(cv, a, b, line_y, pair.total_label, zone_total_label(count, pitch));
}

// Visits the bars of a longitudinal layer after its first one: zones from the last in use to
// the first, count[i] bars each, x moving left by pitch[i] before each bar.
template <typename Visit>
void walk_longitudinal_bars(const BarGroup& g, double x, Visit&& visit) {
    for (int i = g.zones; i >= 1; --i) {
        for (int j = 0; j < g.count[i]; ++j) {
            x -= g.pitch[i];
            visit(x);
        }
    }
}

void fill_longitudinal_row(ScheduleRow& row, std::string_view mark, const BarGroup& g, double total) {
    row.mark = mark;
    row.shape_code = "5";
    row.size_text = bar_size_string(g.dia);
    row.count = zone_count_sum(g) + 1;
    row.total_length = total;
    row.len1 = total;  // a straight bar: its one leg is its length
    row.unit_mass = bar_unit_mass(g.dia);
}

// The console line and the box are the drawing program's own; the detail names the maximum member
// length and the wall's length, the two values the sentence asks to change, and by how much.
[[noreturn]] void stop_member_too_long(const WallInput& w, double second, double max_length, double run) {
    RunFailure f(kExitMemberLength, msg::member_too_long(), msg::member_box_caption(), msg::member_box_text());
    f.detail = wall_field_message(w, "max_bar_length", msg::member_too_long_detail(second, max_length, run));
    f.file = kWallFileName;
    f.line = wall_field_line(w, "max_bar_length");
    f.field = "max_bar_length";
    f.fields = {"max_bar_length", "length_left", "length_right"};
    throw f;
}

// Height and row step of the S2 ties, from the F1 pitch: 250 and 125 carry ties; any other pitch
// keeps the rule it is given (none at first).
struct TieRule {
    int s = 0;       // row step, in pitches
    double h = 0;    // tie height
    bool carries_ties() const { return s != 0; }
};

TieRule tie_rule(double f1_pitch, TieRule otherwise = {}) {
    if (f1_pitch == 250) return {2, 500};
    if (f1_pitch == 125) return {4, 500};
    return otherwise;
}

// Tie columns O = 1, 3, 5 ... stand on the F3 bars of zones 3 and 2, counted from the heel.
double tie_column_x(const PlanNames& p, int column) {
    const BarGroup& F3 = p.w.F3;
    const int a = F3.count[3];
    const double x0 = p.T / 2 + p.Br - p.c6;
    if (column <= a) return x0 - F3.pitch[3] * column;
    return x0 - a * F3.pitch[3] - (column - a) * F3.pitch[2];
}

// Columns 1, 5, 9, 13 and 17 start one tie height up, staggering them against their neighbours.
double tie_column_offset(int column, double h) {
    return column == 1 || column == 5 || column == 9 || column == 13 || column == 17 ? h : 0;
}

int last_tie_column(const WallInput& w) { return w.F3.count[3] + w.F3.count[2] - 1; }

long long floor_div(long long a, long long b) {
    const long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Ties V = 1 ... v_max of one column, each 2h above the one before from `offset`, as long as the
// top of a tie, (2V - 1) h + offset, stays at or below `limit`.
long long ties_in_column(double offset, double h, long long v_max, double limit) {
    if (v_max < 1) return 0;
    const auto top = [&](long long v) { return static_cast<double>(2 * v - 1) * h + offset; };
    const double estimate = std::floor((limit - offset + h) / (2 * h));
    long long n = estimate < 0 ? 0 : estimate > static_cast<double>(v_max) ? v_max : static_cast<long long>(estimate);
    while (n > 0 && top(n) > limit) --n;  // the estimate is off by at most one either way
    while (n < v_max && top(n + 1) <= limit) ++n;
    return n;
}

long long drawn_ties_v_max(const WallInput& w, TieRule r) { return floor_div(w.F1.count[2], 2LL * r.s) + 1; }
double drawn_ties_limit(const WallInput& w) { return w.F1.count[2] * w.F1.pitch[2]; }

long long counted_ties_v_max(const WallInput& w, TieRule r) {
    return floor_div(static_cast<long long>(w.F1.count[1]) + w.F1.count[2], 2LL * r.s) + 2;
}
double counted_ties_limit(const WallInput& w) {
    return w.F1.count[1] * w.F1.pitch[1] + w.F1.count[3] * w.F1.pitch[3];
}

// Step 1: outline.
void draw_plan_outline(RunContext& ctx, const PlanNames& p) {
    pen_select_layer(ctx, "D-STR");
    set_origin(ctx.canvas, ctx.layout.footing_view2_x, ctx.layout.footing_view2_y);
    draw_polyline(ctx.canvas, {{p.xL, p.Lr}, {p.xR, p.Lr}, {p.xR, -p.Ll}, {p.xL, -p.Ll}, {p.xL, p.Lr}});
}

// Step 2: overall length of the wall on both sides.
void draw_overall_length_dims(RunContext& ctx, const PlanNames& p) {
    pen_select_layer(ctx, "D-STR-DIM");
    plain_dim_v(ctx.canvas, {p.xL - 100, -p.Ll}, {p.xL - 100, p.Lr}, p.xL - 1100, -50);
    plain_dim_v(ctx.canvas, {p.xR + 100, -p.Ll}, {p.xR + 100, p.Lr}, p.xR + 1600, -50);
}

// Steps 3 and 4: the spacing of the transverse bars on the right, F1 up the upper half and F2
// down the lower half. Each half is dimensioned over the zones its bars are drawn in (zone 2
// from the centre line, then zone 1), then the rest up to the footing end, every segment
// labelled with the zone it spans.
void draw_transverse_spacing_dims(RunContext& ctx, const PlanNames& p) {
    Canvas& cv = ctx.canvas;
    const double xe = p.xR + 100;
    const double xd = p.xR + 1100;
    cv.state.dim_text_style = "KANJI";

    const BarGroup& F1 = p.w.F1;
    const double t1 = F1.count[2] * F1.pitch[2];
    const double t2 = t1 + F1.count[1] * F1.pitch[1];
    TextBuf first;
    first.integer(F1.count[2]).text(u8"×"_sj).fixed(F1.pitch[2], 3, 0).text(" \\P= ").fixed(t1, 5, 0);
    scr_dimlinear_text(cv, {xe, 0}, {xe, t1}, first, {xd, 0});
    zone_dim_v(cv, {xe, 0}, {xe, t1}, xd, F1.count[2], F1.pitch[2]);
    scr_dimlinear_text(cv, {xe, t1}, {xe, t2}, zone_script_text(F1.count[1], F1.pitch[1]), {xd, t1});
    zone_dim_v(cv, {xe, t1}, {xe, t2}, xd, F1.count[1], F1.pitch[1]);
    // The rest up to the end carries its length in the script too, like the zones before it.
    const TextBuf top_rest = fmt_length(std::fabs(p.Lr - t2));
    scr_dimlinear_text(cv, {xe, t2}, {xe, p.Lr}, top_rest, {xd, t2});
    dim_v(cv, {xe, t2}, {xe, p.Lr}, xd, 200, top_rest);

    const BarGroup& F2 = p.w.F2;
    const double b1 = -F2.count[2] * F2.pitch[2];
    const double b2 = b1 - F2.count[1] * F2.pitch[1];
    scr_dimlinear_text(cv, {xe, 0}, {xe, b1}, zone_script_text(F2.count[2], F2.pitch[2]), {xd, 0});
    zone_dim_v(cv, {xe, 0}, {xe, b1}, xd, F2.count[2], F2.pitch[2]);
    scr_dimlinear_text(cv, {xe, b1}, {xe, b2}, zone_script_text(F2.count[1], F2.pitch[1]), {xd, b1});
    zone_dim_v(cv, {xe, b1}, {xe, b2}, xd, F2.count[1], F2.pitch[1]);
    const TextBuf bottom_rest = fmt_length(std::fabs(b2 + p.Ll));
    scr_dimlinear_text(cv, {xe, b2}, {xe, -p.Ll}, bottom_rest, {xd, b2});
    dim_v(cv, {xe, b2}, {xe, -p.Ll}, xd, 200, bottom_rest);
}

// Step 5: width, covers and the zones of the longitudinal bars, F3 along the top edge and F4
// along the bottom edge.
void draw_longitudinal_spacing_dims(RunContext& ctx, const PlanNames& p) {
    Canvas& cv = ctx.canvas;
    {
        const double ye = p.Lr + 100;
        const double line = p.Lr + 1100;
        plain_dim_h(cv, {p.xL, ye}, {p.xR, ye}, p.Lr + 1600, 50);
        plain_dim_h(cv, {p.xL, ye}, {p.xL + p.c4, ye}, line, -200);
        const BarGroup& F3 = p.w.F3;
        double x = p.xL + p.c3;
        for (int i = 1; i <= F3.zones; ++i) {
            const double next = x + F3.count[i] * F3.pitch[i];
            const PairOffsets pair = i % 2 == 0 ? PairOffsets{-300, -450} : PairOffsets{200, 50};
            zone_dim_h(cv, {x, ye}, {next, ye}, line, F3.count[i], F3.pitch[i], pair);
            x = next;
        }
        plain_dim_h(cv, {p.xR - p.c4, ye}, {p.xR, ye}, line, -200);
    }
    {
        const double ye = -p.Ll - 100;
        const double line = -p.Ll - 1100;
        plain_dim_h(cv, {p.xL, ye}, {p.xR, ye}, -p.Ll - 1600, 50);
        plain_dim_h(cv, {p.xL + p.c4, ye}, {p.xL, ye}, line, -200);
        const BarGroup& F4 = p.w.F4;
        double x = p.xL + p.c4;
        for (int i = 1; i <= F4.zones; ++i) {
            const double next = x + F4.count[i] * F4.pitch[i];
            const PairOffsets pair = i % 2 == 0 ? PairOffsets{-300, -450} : PairOffsets{350, 50};
            zone_dim_h(cv, {x, ye}, {next, ye}, line, F4.count[i], F4.pitch[i], pair);
            x = next;
        }
        plain_dim_h(cv, {p.xR - p.c4, ye}, {p.xR, ye}, line, -200);
    }
}

// Step 6: centre line, the arrows of the two faces and their labels.
void draw_centre_line_and_faces(RunContext& ctx, const PlanNames& p) {
    Canvas& cv = ctx.canvas;
    const double x = p.xL - 1500;
    pen_by_colour_name(cv.pen, "D-BMK", u8"黒"_sj, 0.13);
    draw_polyline(cv, {{x, 0}, {p.xR + 1500, 0}});
    draw_arrow(cv, {x, -1500}, {x, 0});
    pen_select_layer(ctx, "D-STR-HTXT");
    draw_text_styled(cv, {x, -2800.0 / 3}, {x - 50, -2800.0 / 3 + 50}, 200, 90, u8"下 面 "_sj, "KANJI");
    draw_arrow(cv, {x, 1500}, {x, 0});
    draw_text_styled(cv, {x, 500}, {x, 550}, 200, 90, u8"上 面 "_sj, "KANJI");
    draw_text_styled(cv, {p.xL - 2000, -700}, {p.xL - 2000, -200}, 400, 90, u8"底　版"_sj, "KANJI");
    draw_text_styled(cv, {p.xL - 2000, 800}, {p.xL - 2000, 1100}, 300, 90, scale_label(ctx.layout.scale), "KANJI");
}

// Step 7: transverse bars, F1 (zones 2 then 1) up the upper half, F2 down the lower half.
void draw_transverse_bars(RunContext& ctx, const PlanNames& p) {
    Canvas& cv = ctx.canvas;
    pen_select_layer(ctx, "D-STR-STR1");
    const BarGroup& F1 = p.w.F1;
    const double f1_left = p.xR - p.c4 - ctx.bar_list.fixed(BarList::kF1).len2;
    Point a{f1_left, F1.pitch[2]};
    Point b{p.xR - p.c4, F1.pitch[2]};
    draw_line_repeat(cv, a, b, F1.pitch[2], F1.count[2], 0, 1);
    const double y1 = F1.count[2] * F1.pitch[2] + F1.pitch[1];
    a = {f1_left, y1};
    b = {p.xR - p.c4, y1};
    draw_line_repeat(cv, a, b, F1.pitch[1], F1.count[1], 0, 1);

    const BarGroup& F2 = p.w.F2;
    a = {p.xL + p.c4, -F2.pitch[2]};
    b = {p.xR - p.c4, -F2.pitch[2]};
    draw_line_repeat(cv, a, b, F2.pitch[2], F2.count[2], 0, -1);
    const double y2 = -F2.count[2] * F2.pitch[2] - F2.pitch[1];
    a = {p.xL + p.c4, y2};
    b = {p.xR - p.c4, y2};
    draw_line_repeat(cv, a, b, F2.pitch[1], F2.count[1], 0, -1);
}

// The lap of a split longitudinal bar, for the check against the lap the bending drawings state.
void record_splice(RunContext& ctx, const char* first, const char* second, double overlap, int dia) {
    ctx.handed.laps.push_back({BarLap::Kind::splice, first, second, overlap, stated_lap_length(dia), 0, dia});
}

// Steps 8 and 9: top longitudinal bars F3 in the upper half, from the heel toward the toe. A bar
// longer than the maximum member length is made of two pieces whose laps alternate from bar to
// bar: every second bar shows its lap in this half.
void draw_top_longitudinal_bars(RunContext& ctx, const PlanNames& p) {
    Canvas& cv = ctx.canvas;
    const BarGroup& F3 = p.w.F3;
    const double x_first = p.xR - p.c3;
    draw_polyline(cv, {{x_first, 0}, {x_first, p.y_right}});
    if (p.L <= p.Lmax) {
        walk_longitudinal_bars(F3, x_first, [&](double x) { draw_polyline(cv, {{x, 0}, {x, p.y_right}}); });
        fill_longitudinal_row(ctx.bar_list.fixed(BarList::kF3), "F3", F3, p.L);
        return;
    }
    draw_polyline(cv, {{p.xR - p.c4, 0}, {p.xR - p.c4, p.y_right}});
    const double second = lapped_second_piece(p.L, p.Lmax, F3.dia);
    if (second > p.Lmax) stop_member_too_long(p.w, second, p.Lmax, p.L);
    int k = 1;
    walk_longitudinal_bars(F3, x_first, [&](double x) {
        ++k;
        if (k % 2 != 0) {
            draw_polyline(cv, {{x, p.y_right}, {x, 0}});
            return;
        }
        // The first piece runs from the left bar end, the second from the right one.
        draw_polyline(cv, {{x, p.y_left + p.Lmax}, {x, 0}});
        draw_polyline(cv, {{x + F3.dia, p.y_right}, {x + F3.dia, p.y_right - second}});
    });
    const double first = std::fabs(p.Lmax - p.L / 2) + p.L / 2;
    fill_longitudinal_row(ctx.bar_list.fixed(BarList::kF3), "F3-1", F3, first);
    fill_longitudinal_row(ctx.bar_list.fixed(BarList::kF3Second), "F3-2", F3, second);
    record_splice(ctx, "F3-1", "F3-2", first + second - p.L, F3.dia);
}

// Step 10: bottom longitudinal bars F4 in the lower half, mirrored: the first bar at the heel end
// of the zones, laps of the split bars in this half on every second bar.
void draw_bottom_longitudinal_bars(RunContext& ctx, const PlanNames& p) {
    Canvas& cv = ctx.canvas;
    const BarGroup& F4 = p.w.F4;
    double zones_length = 0;
    for (int i = 1; i <= 5; ++i) zones_length += F4.count[i] * F4.pitch[i];
    const double x_first = p.xL + p.c4 + zones_length;
    draw_polyline(cv, {{x_first, 0}, {x_first, p.y_left}});
    if (p.L <= p.Lmax) {
        walk_longitudinal_bars(F4, x_first, [&](double x) { draw_polyline(cv, {{x, 0}, {x, p.y_left}}); });
        fill_longitudinal_row(ctx.bar_list.fixed(BarList::kF4), "F4", F4, p.L);
        return;
    }
    draw_polyline(cv, {{x_first, 0}, {x_first, p.y_left}});
    const double second = lapped_second_piece(p.L, p.Lmax, F4.dia);
    int k = 1;
    walk_longitudinal_bars(F4, x_first, [&](double x) {
        ++k;
        if (k % 2 != 0) {
            draw_polyline(cv, {{x, p.y_left}, {x, 0}});
            return;
        }
        // The first piece runs from the right bar end, the second from the left one.
        draw_polyline(cv, {{x, p.y_right - p.Lmax}, {x, 0}});
        draw_polyline(cv, {{x + F4.dia, p.y_left}, {x + F4.dia, p.y_left + second}});
    });
    const double first = std::fabs(p.L / 2 - p.Lmax) + p.L / 2;
    fill_longitudinal_row(ctx.bar_list.fixed(BarList::kF4), "F4-1", F4, first);
    fill_longitudinal_row(ctx.bar_list.fixed(BarList::kF4Second), "F4-2", F4, second);
    record_splice(ctx, "F4-1", "F4-2", first + second - p.L, F4.dia);
}

// Step 11: S2 ties in the upper half, in columns on the F3 bars, staggered; returns the point
// the call-out points at: the middle of the first tie drawn (the first of column 1 whenever
// that column holds one), none when no tie is drawn.
std::optional<Point> draw_s2_ties(RunContext& ctx, const PlanNames& p) {
    Canvas& cv = ctx.canvas;
    pen_select_layer(ctx, "D-STR-STR1");
    const WallInput& w = p.w;
    const TieRule r = tie_rule(w.F1.pitch[2]);
    std::optional<Point> anchor;
    if (!r.carries_ties()) return anchor;
    const long long v_max = drawn_ties_v_max(w, r);
    const double limit = drawn_ties_limit(w);
    for (int column = 1; column <= last_tie_column(w); column += 2) {
        const double xc = tie_column_x(p, column) - w.S2.dia;
        const double offset = tie_column_offset(column, r.h);
        for (long long v = 1; v <= v_max; ++v) {
            const double y0 = static_cast<double>(2 * v - 2) * r.h + offset;
            if (y0 + r.h > limit) break;
            draw_polyline(cv, {{xc + 50, y0 - 50}, {xc, y0}, {xc, y0 + r.h}, {xc + 50, y0 + r.h + 50}});
            if (!anchor) anchor = Point{xc, y0 + r.h / 2};
        }
    }
    return anchor;
}

// Step 12: row 52, the S2 ties of the whole footing (two bars to a tie in the schedule).
void fill_s2_row(RunContext& ctx, const PlanNames& p) {
    const WallInput& w = p.w;
    ScheduleRow& row = ctx.bar_list.fixed(BarList::kS2);
    row.mark = "S2";
    row.shape_code = "3";
    row.size_text = bar_size_string(w.S2.dia);
    row.count = static_cast<int>(2 * count_s2_ties(w).counted);
    row.len2 = p.Hf - p.c2 - p.c1 + (w.F1.dia + w.F2.dia) / 2 + w.S2.dia;
    row.len3 = 2 * w.F2.pitch[1] + w.F1.dia + w.S2.dia;
    row.total_length = std::floor((2 * row.len2 + row.len3 + 200) / 10) * 10 + 10;
    row.len1 = (row.total_length - row.len3 - 2 * row.len2) / 2;
    row.unit_mass = bar_unit_mass(w.S2.dia);
}

// Step 13: the S2 call-out, pointing at the first tie.
void draw_s2_callout(RunContext& ctx, const PlanNames& p, Point anchor) {
    Canvas& cv = ctx.canvas;
    pen_select_layer(ctx, "D-STR-DIM");
    const double X = anchor.x;
    const double Y = anchor.y;
    draw_arrow(cv, {X, Y}, {X + 500, Y + 1000});
    draw_polyline(cv, {{X + 500, Y + 1000}, {X + 1500, Y + 1000}});
    draw_footing_callout(cv, X + 500, Y + 1000, "S2", p.w.S2.dia);
}

// Step 14: spacing indicators of F3, F4, F1 and F2 with their call-outs.
void draw_spacing_indicators(RunContext& ctx, const PlanNames& p) {
    Canvas& cv = ctx.canvas;
    const WallInput& w = p.w;
    const auto callout_at_chain_end = [&](double dx, std::string_view mark, int dia) {
        pen_select_layer(ctx, "D-STR-HTXT");
        draw_footing_callout(cv, cv.state.chain_end.x + dx, cv.state.chain_end.y, mark, dia);
    };
    {
        // From the toe end of the F3 bars, cover3 in from the toe as the bars and their
        // dimensions start.
        const BarGroup& F3 = w.F3;
        pen_select_layer(ctx, "D-STR-DIM");
        const double x0 = p.xL + p.c3;
        const double y = 3.5 * w.F1.pitch[2];
        draw_chain_horizontal(cv, x0, y, 1000, F3.pitch[1], F3.count[1], +1);
        const double x2 = x0 + F3.count[1] * F3.pitch[1];
        draw_chain_horizontal(cv, x2, y, 1000, F3.pitch[2], F3.count[2], +1);
        draw_chain_horizontal(cv, x2 + F3.pitch[2], y, 1000, F3.pitch[2], F3.count[2], +1);
        if (F3.count[3] != 0) {
            draw_chain_horizontal(cv, x2 + F3.count[2] * F3.pitch[2] + F3.pitch[3], y, 1000, F3.pitch[3],
                                  F3.count[3], +1);
        }
        callout_at_chain_end(-550, "F3", F3.dia);
    }
    {
        // From the toe end of the F4 bars, cover4 in from the toe; the same overshoot as the
        // top layer's chains.
        const BarGroup& F4 = w.F4;
        pen_select_layer(ctx, "D-STR-DIM");
        const double y = -3.5 * F4.pitch[3];
        double x = p.xL + p.c4;
        for (int i = 1; i <= 5; ++i) {
            draw_chain_horizontal(cv, x, y, 1000, F4.pitch[i], i == 5 ? F4.count[5] + 1 : F4.count[i], +1);
            x += F4.count[i] * F4.pitch[i];
        }
        callout_at_chain_end(-550, "F4", F4.dia);
    }
    // F1 up the upper half, F2 down the lower half with the same overshoot.
    const auto transverse = [&](const BarGroup& g, std::string_view mark, double x, int direction) {
        pen_select_layer(ctx, "D-STR-DIM");
        draw_chain_vertical(cv, x, direction * g.pitch[2], 500, g.pitch[2], g.count[2], direction);
        const double y1 = direction * (g.count[2] * g.pitch[2] + g.pitch[1]);
        draw_chain_vertical(cv, x, y1, 500, g.pitch[1], g.count[1], direction);
        const Point end = cv.state.chain_end;
        callout_at_chain_end(p.T / 2 + p.Br - 50, mark, g.dia);
        pen_select_layer(ctx, "D-STR-DIM");
        draw_polyline(cv, {end, {end.x + p.T / 2 + p.Br + 1200, end.y}});
    };
    transverse(w.F1, "F1", p.xR - (2.5 * w.F3.pitch[3] + p.c6), +1);
    transverse(w.F2, "F2", (p.xL + p.Br) / 2 + w.F4.pitch[2] / 2, -1);
}

// Step 15: the wall faces over the top-face half.
void draw_wall_faces(RunContext& ctx, const PlanNames& p) {
    Canvas& cv = ctx.canvas;
    pen_select_layer(ctx, "D-STR");
    const BarGroup& F1 = p.w.F1;
    const double top = F1.count[2] * F1.pitch[2] + F1.count[1] * F1.pitch[1] + p.ct;
    draw_polyline(cv, {{-p.T / 2, 0}, {-p.T / 2, top}});
    draw_polyline(cv, {{p.T / 2, 0}, {p.T / 2, top}});
}

}  // namespace

S2TieTotals count_s2_ties(const WallInput& w) {
    const TieRule drawn = tie_rule(w.F1.pitch[2]);
    // The count keeps the drawing's rule when F1.pitch[1] carries none; with neither pitch
    // carrying ties there are none to count (the rule would step by zero).
    const TieRule counted = tie_rule(w.F1.pitch[1], drawn);
    S2TieTotals totals;
    for (int column = 1; column <= last_tie_column(w); column += 2) {
        if (drawn.carries_ties()) {
            totals.drawn += ties_in_column(tie_column_offset(column, drawn.h), drawn.h, drawn_ties_v_max(w, drawn),
                                           drawn_ties_limit(w));
        }
        if (counted.carries_ties()) {
            totals.counted += ties_in_column(tie_column_offset(column, counted.h), counted.h,
                                             counted_ties_v_max(w, counted), counted_ties_limit(w));
        }
    }
    return totals;
}

void draw_footing_plan(RunContext& ctx) {
    const PlanNames p = plan_names(ctx.input);
    draw_plan_outline(ctx, p);                      // 1
    draw_overall_length_dims(ctx, p);               // 2
    draw_transverse_spacing_dims(ctx, p);           // 3, 4
    draw_longitudinal_spacing_dims(ctx, p);         // 5
    draw_centre_line_and_faces(ctx, p);             // 6
    draw_transverse_bars(ctx, p);                   // 7
    draw_top_longitudinal_bars(ctx, p);             // 8, 9
    draw_bottom_longitudinal_bars(ctx, p);          // 10
    const std::optional<Point> anchor = draw_s2_ties(ctx, p);  // 11
    fill_s2_row(ctx, p);                            // 12
    if (anchor) draw_s2_callout(ctx, p, *anchor);   // 13
    draw_spacing_indicators(ctx, p);                // 14
    draw_wall_faces(ctx, p);                        // 15
}

}  // namespace lwall
