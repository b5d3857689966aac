#include "schedule/mass_table.hpp"

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "output/primitives/primitives.hpp"
#include "schedule/bar_shapes.hpp"
#include "core/printed_number.hpp"
#include "schedule/quantity_basis.hpp"
#include "schedule/table_rows.hpp"

namespace lwall {

namespace {

constexpr double kIconFactor = 0.4;

// Index of `size_text` among the eleven bar sizes, or -1.
int size_index(std::string_view size_text) {
    for (std::size_t i = RebarMassTotals::kSizes.size(); i-- > 0;) {
        if (size_text == RebarMassTotals::kSizes[i]) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

void draw_mass_icons(RunContext& ctx) {
    Canvas& cv = ctx.canvas;
    const SheetLayout& s = ctx.layout;
    const HandedValues& h = ctx.handed;
    const Point column{s.sheet_width + 41200 + s.scale * 23000 / 50, s.scale * 22000 / 50};
    ShapePoints p;
    int j = 0;
    // Icon j stands in the j-th printed row of the table.
    auto next_icon = [&](double dx, double dy) {
        ++j;
        set_origin(cv, column.x + dx, column.y - kRowPitch * j + dy);
    };

    pen_select_layer(ctx, "D-STR-STR1");
    for (int i = 0; i < 2 * h.wall_vertical_class_count; ++i) {
        next_icon(600, 0);
        draw_shape_1_raised(cv, p, 700, 400, kIconFactor);
    }
    for (int i = 0; i < h.wall_horizontal_drawn_rows; ++i) {
        next_icon(300, 100);
        draw_shape_5(cv, p, 1500, kIconFactor);
    }
    next_icon(300, 50);
    draw_shape_6(cv, p, 500, 1500, kIconFactor);  // W5
    next_icon(300, 150);
    draw_shape_4(cv, p, 250, 1500, 250, kIconFactor);  // F1
    next_icon(300, 50);
    draw_shape_2(cv, p, 500, 1500, 500, kIconFactor);  // F2
    for (int i = 0; i < 2 * h.w3_piece_count; ++i) {
        next_icon(300, 100);
        draw_shape_5(cv, p, 1500, kIconFactor);  // F3, F4
    }
    next_icon(300, 50);
    draw_shape_6(cv, p, 500, 1500, kIconFactor);  // S1
    next_icon(300, 50);
    draw_shape_3(cv, p, 1500, 500, 300, kIconFactor);  // S2
}

void draw_mass_table(RunContext& ctx) {
    Canvas& cv = ctx.canvas;
    const SheetLayout& s = ctx.layout;
    RebarMassTotals& totals = ctx.mass_totals;
    constexpr double x0 = 50;
    set_origin(cv, s.sheet_width + 33000 + s.scale * 23000 / 50, s.scale * 22000 / 50);

    // 1. Title and note: the masses are those of the bars of the whole wall.
    pen_select_layer(ctx, "D-MTR-TXT");
    draw_kanji_text(cv, {1300, 1000}, {1600, 1000}, 400, u8"鉄 筋 質 量 表"_sj);
    draw_kanji_text(cv, {4400, 1000}, {4700, 1000}, 125, kNotToScale);
    const TextBuf basis = whole_wall_basis(ctx.input);
    draw_kanji_text(cv, {8000, 1000}, {8500, 1000}, 125, basis_note(basis));
    ctx.printed.mass_basis = basis.view();

    // 2. The lines above and below the headings.
    pen_select_layer(ctx, "D-MTR-FRAM");
    draw_polyline(cv, {{0, 700}, {kTableWidth, 700}});
    draw_polyline(cv, {{0, 0}, {kTableWidth, 0}});

    // 3. Headings.
    pen_select_layer(ctx, "D-MTR-TXT");
    draw_kanji_text(cv, {x0, 300}, {x0 + 350, 300}, 125, u8"種 別"_sj);
    draw_kanji_text(cv, {x0 + 800, 300}, {x0 + 1300, 300}, 125, u8"径"_sj);
    draw_kanji_text(cv, {x0 + 2000, 500}, {x0 + 2500, 500}, 125, u8"長 さ"_sj);
    draw_kanji_text(cv, {x0 + 2000, 100}, {x0 + 2500, 100}, 150, "(mm)");
    draw_kanji_text(cv, {x0 + 3400, 300}, {x0 + 4000, 300}, 125, u8"本 数"_sj);
    draw_kanji_text(cv, {x0 + 4000, 500}, {x0 + 4500, 500}, 125, u8"単位質量"_sj);
    draw_kanji_text(cv, {x0 + 4000, 100}, {x0 + 4500, 100}, 150, "(kg/m)");
    draw_kanji_text(cv, {x0 + 5400, 500}, {x0 + 6000, 500}, 125, u8"１本当り質量"_sj);
    draw_kanji_text(cv, {x0 + 5400, 100}, {x0 + 5800, 100}, 150, "(kg)");
    draw_kanji_text(cv, {x0 + 6900, 500}, {x0 + 7400, 500}, 125, u8"質 量"_sj);
    draw_kanji_text(cv, {x0 + 6900, 100}, {x0 + 7400, 100}, 150, "(kg)");
    draw_kanji_text(cv, {x0 + 8300, 300}, {x0 + 8800, 300}, 125, u8"摘 要"_sj);

    // Rows, in print order, summing the row masses.
    totals = {};
    int k = 1;
    ctx.printed.mass.clear();
    for (const ScheduleRow* row : ctx.bar_list.printed_rows()) {
        const double y = -kRowPitch * k;
        pen_select_layer(ctx, "D-MTR-MTXT");
        PrintedRow printed(cv, y, ctx.printed.mass.emplace_back());
        printed.cell(x0, row->mark);
        printed.cell(x0 + 800, row->size_text);
        printed.cell(x0 + 2000, fmt_length(row->total_length));
        printed.cell(x0 + 3300, TextBuf().integer(row->count));
        printed.cell(x0 + 4100, TextBuf().fixed(row->unit_mass, 5, 3));
        TextBuf one_bar;
        one_bar.fixed(row->total_length / 1000 * row->unit_mass, 5, 3);
        printed.cell(x0 + 5450, one_bar);
        // The row mass is what the sheet shows: the printed one-bar mass times the count.
        const double mass = read_printed_number(one_bar) * row->count;
        printed.cell(x0 + 6900, TextBuf().fixed(mass, 5, 3));
        if (const int i = size_index(row->size_text); i >= 0) {
            totals.mass_by_size[static_cast<std::size_t>(i)] += mass;
            totals.size_used[static_cast<std::size_t>(i)] = true;
        }
        totals.mass_total += mass;
        pen_select_layer(ctx, "D-MTR-FRAM");
        draw_polyline(cv, {{0, y}, {kTableWidth, y}});
        ++k;
    }
    for (const bool used : totals.size_used) totals.sizes_used += used ? 1 : 0;

    pen_select_layer(ctx, "D-MTR-FRAM");
    for (const double x : kColumnLines) draw_polyline(cv, {{x, 700}, {x, 300 - kRowPitch * k}});
}

}  // namespace lwall
