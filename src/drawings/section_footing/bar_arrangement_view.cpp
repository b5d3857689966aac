#include "drawings/section_footing/bar_arrangement_view.hpp"

#include <algorithm>
#include <cmath>

#include "core/bar_rules.hpp"
#include "core/sheet_frames.hpp"
#include "core/sjis.hpp"
#include "drawings/section_footing/bar_labels.hpp"
#include "output/primitives/primitives.hpp"
#include "output/script/script_writer.hpp"

namespace lwall {

namespace {

void fill_row(ScheduleRow& row, std::string_view mark, std::string_view shape, int diameter, int count) {
    row.mark = mark;
    row.shape_code = shape;
    row.size_text = bar_size_string(diameter);
    row.count = count;
    row.unit_mass = bar_unit_mass(diameter);
}

}  // namespace

void pick_wall_bar_legs(RunContext& ctx) {
    const BarList& rows = ctx.bar_list;
    HandedValues& h = ctx.handed;
    const auto take = [&](int w1_row, int w2_row) {
        h.w1_rise_length = rows.fixed(w1_row).len1;
        h.w1_foot_length = rows.fixed(w1_row).len2;
        h.w2_rise_length = rows.fixed(w2_row).len1;
        h.w2_foot_length = rows.fixed(w2_row).len2;
        if (rows.fixed(w1_row).used()) h.w1_picked_mark = rows.fixed(w1_row).mark;
        if (rows.fixed(w2_row).used()) h.w2_picked_mark = rows.fixed(w2_row).mark;
    };
    // None of the three tests holds only when the three classes are equally long; rows 1 and 2
    // then stand for them all (instead of the zero lengths the tests alone would leave).
    take(1, 2);
    if (rows.fixed(1).len1 > rows.fixed(3).len1) take(1, 2);
    if (rows.fixed(3).len1 > rows.fixed(5).len1) take(3, 4);
    if (rows.fixed(5).len1 > rows.fixed(1).len1) take(5, 6);
}

double f2_end_leg(const WallInput& w) {
    return std::min(bar_length_by_rule(w.F2.dia, kRuleBentLeg),
                    w.footing_thickness - w.cover2 - w.cover1);
}

void draw_bar_arrangement_view(RunContext& ctx) {
    const WallInput& w = ctx.input;
    const SheetLayout& sheet = ctx.layout;
    Canvas& cv = ctx.canvas;
    HandedValues& handed = ctx.handed;
    const double T = w.wall_thickness;
    const double Bl = w.footing_left_width;
    const double Br = w.footing_right_width;
    const double Hf = w.footing_thickness;
    const double Hw = w.wall_height;
    const double c1 = w.cover1;
    const double c2 = w.cover2;
    const double c3 = w.cover3;
    const double c4 = w.cover4;
    const double c5 = w.cover5;
    const double c6 = w.cover6;
    const double ct = w.cover_wall_top;
    cv.state.dim_ext_gap = 100;

    // 1. The sheet frames are drawn with the sheet set, once it is known what each holds.

    // 2. The view, without a concrete outline.
    pen_select_layer(ctx, "D-STR");
    set_origin(cv, sheet.footing_view1_x, sheet.footing_view1_y);

    // 3. Sheet title.
    pen_select_layer(ctx, "D-STR-HTXT");
    draw_text_styled(cv, {T / 2 - 1500, Hf + Hw + 1500}, {T / 2 - 1000, Hf + Hw + 1500}, 400, 0,
                     u8"鉄 筋 組 立 図"_sj, "KANJI");
    draw_text_styled(cv, {T / 2 + 1400, Hf + Hw + 1500}, {T / 2 + 1700, Hf + Hw + 1500}, 300, 0,
                     scale_label(sheet.scale), "KANJI");

    // 4. The W1/W2 bar of the section.
    pick_wall_bar_legs(ctx);

    // 5. W1, back face.
    {
        pen_select_layer(ctx, "D-STR-STR1");
        const double x = T / 2 - c4;
        const double y = w.W1.dia + c1;
        draw_polyline(cv, {{x + handed.w1_foot_length, y}, {x, y}, {x, y + handed.w1_rise_length}});
        pen_select_layer(ctx, "D-STR-DIM");
        const double ym = y + handed.w1_rise_length / 2;
        draw_arrow(cv, {x, ym}, {x + 2000, ym});
        draw_footing_callout(cv, x + 500, ym, handed.w1_picked_mark, w.W1.dia);
    }

    // 6. W2, front face.
    {
        pen_select_layer(ctx, "D-STR-STR1");
        const double x = -T / 2 + c3;
        const double y = w.W2.dia + c1;
        draw_polyline(cv, {{x + handed.w2_foot_length, y}, {x, y}, {x, y + handed.w2_rise_length}});
        pen_select_layer(ctx, "D-STR-DIM");
        const double ym = y + handed.w2_rise_length / 2;
        draw_arrow(cv, {x, ym}, {x - 2000, ym});
        draw_footing_callout(cv, x - 2000, ym, handed.w2_picked_mark, w.W2.dia);
    }

    // 7. W5, the cap bar over the higher end of the wall top.
    {
        pen_select_layer(ctx, "D-STR-STR1");
        const double leg = handed.w5_leg_length;
        const double width = T - c3 - c4;
        const double xa = -width / 2 - 10;
        const double xb = xa + width + 20;
        const double yt = Hf + std::max(w.height_left, w.height_right) - ct;
        draw_polyline(cv, {{xa, yt - leg}, {xa, yt}, {xb, yt}, {xb, yt - leg}});
        pen_select_layer(ctx, "D-STR-DIM");
        const double xq = (xa + xb) / 2 + 40;
        const Point p1{xq, yt}, p2{xq, yt + ct + 500}, p3{xq + 1500, yt + ct + 500};
        scr_qleader(cv, p1, p2, p3);
        draw_leader(cv, p1, p2, p3);
        draw_footing_callout(cv, xq, yt + ct + 500, "W5", w.W5.dia);
        ScheduleRow& row = ctx.bar_list.fixed(BarList::kW5);
        fill_row(row, "W5", "6", w.W5.dia, zone_count_sum(w.W5) + 1);
        row.len1 = leg;
        row.len2 = width;
        row.total_length = width + 2 * leg;
    }

    // 8. F1, the top transverse footing bar.
    {
        handed.f1_anchorage_extension = bar_extension_length(w.F1.dia);
        pen_by_colour_name(cv.pen, "D-STR-STR1", u8"黄"_sj, 0.5);
        const double d = w.F1.dia;
        const double run = Bl + T + Br - c6 - c5;
        const double x2 = T / 2 + Br - c4 + d;
        const double yF = Hf - c2;
        const double x3 = x2 - run - 2 * d;
        draw_polyline(cv, {{x2, c1}, {x2, yF}, {x3, yF}, {x3, yF + wall_bar_anchor_leg(w, d, kRuleBentLeg)}});
        pen_by_colour_name(cv.pen, "D-STR-HTXT", u8"空"_sj, 0.13);
        const Point p1{x2 / 2, yF}, p2{x2 / 2, yF + 500}, p3{x2 / 2 + 1500, yF + 500};
        scr_qleader(cv, p1, p2, p3);
        draw_leader(cv, p1, p2, p3);
        draw_footing_callout(cv, x2 / 2, yF + 500, "F1", w.F1.dia);
        ScheduleRow& row = ctx.bar_list.fixed(BarList::kF1);
        fill_row(row, "F1", "4", w.F1.dia, zone_count_sum(w.F1));
        row.len1 = handed.f1_anchorage_extension;
        row.len2 = run;
        row.len3 = std::min(handed.w5_leg_length, Hf - c2 - c1);
        row.total_length = row.len1 + row.len2 + row.len3;
    }

    // 9. F2, the bottom transverse footing bar, with its end leg cut to the footing.
    {
        pen_by_colour_name(cv.pen, "D-STR-STR1", u8"黄"_sj, 0.5);
        const double leg = f2_end_leg(w);
        const double xr = T / 2 + Br - c4;
        const double xl = -T / 2 - Bl + c4 - w.F2.dia;
        const double toe_leg = wall_bar_anchor_leg(w, w.F2.dia, kRuleBentLeg);
        draw_polyline(cv, {{xr, c1 + leg}, {xr, c1}, {xl, c1}, {xl, c1 + toe_leg}});
        pen_by_colour_name(cv.pen, "D-STR-HTXT", u8"空"_sj, 0.13);
        const Point p1{xr / 2, c1}, p2{xr / 2, c1 - 1000}, p3{xr / 2 - 2000, c1 - 1000};
        scr_qleader(cv, p1, p2, p3);
        draw_leader(cv, p1, p2, p3);
        draw_footing_callout(cv, xr / 2 - 2000, c1 - 1000, "F2", w.F2.dia);
        ScheduleRow& row = ctx.bar_list.fixed(BarList::kF2);
        fill_row(row, "F2", "2", w.F2.dia, zone_count_sum(w.F2));
        row.len1 = leg;
        row.len2 = Bl + T + Br - 2 * c4;
        row.total_length = 2 * leg + row.len2;
    }
}

}  // namespace lwall
