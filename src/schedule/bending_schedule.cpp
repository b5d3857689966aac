#include "schedule/bending_schedule.hpp"

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "output/primitives/primitives.hpp"
#include "schedule/bar_legs.hpp"
#include "schedule/bar_shape_labels.hpp"
#include "schedule/bar_shapes.hpp"
#include "schedule/quantity_basis.hpp"
#include "schedule/table_rows.hpp"

namespace lwall {

namespace {

// Base point of the legend and the table on the second sheet.
Point schedule_origin(const SheetLayout& s) {
    return {s.sheet_width + 23000 + s.scale * 23000 / 50, s.scale * 22000 / 50};
}

// The outline that encloses the legend and the heading band.
void draw_outline(Canvas& cv) { draw_polyline(cv, {{0, 0}, {0, 5000}, {kTableWidth, 5000}, {kTableWidth, 0}}); }

}  // namespace

void draw_shape_legend(RunContext& ctx) {
    Canvas& cv = ctx.canvas;
    const Point t = schedule_origin(ctx.layout);
    ShapePoints s;
    auto start = [&](double dx, double dy) {
        pen_select_layer(ctx, "D-STR-STR1");
        set_origin(cv, t.x + dx, t.y + dy);
    };

    start(1000, 4000);
    draw_shape_1_raised(cv, s, 2000, 1000, 0.3);
    pen_select_layer(ctx, "D-STR-DIM");
    caption_shape_1(cv, s, "L1", "L2");

    start(3500, 4000);
    draw_shape_2(cv, s, 1000, 2000, 1000, 0.3);
    pen_select_layer(ctx, "D-STR-DIM");
    caption_shape_2(cv, s, "L1", "L2", "L3");

    start(7000, 4000);
    draw_shape_3(cv, s, 2000, 1000, 800, 0.3);
    pen_select_layer(ctx, "D-STR-DIM");
    caption_shape_3(cv, s, "L1", "L2", "L3");

    start(1000, 1500);
    draw_shape_4(cv, s, 500, 2000, 400, 0.3);
    pen_select_layer(ctx, "D-STR-DIM");
    caption_shape_4(cv, s, "L1", "L2", "L3");

    start(3500, 1500);
    draw_shape_5(cv, s, 2000, 0.35);
    pen_select_layer(ctx, "D-STR-DIM");
    caption_shape_5(cv, s, "L1");

    start(7000, 1500);
    draw_shape_6(cv, s, 2000, 1000, 0.3);
    pen_select_layer(ctx, "D-STR-DIM");
    caption_shape_6(cv, s, "L1", "L2");
}

void draw_bending_schedule(RunContext& ctx) {
    Canvas& cv = ctx.canvas;
    const Point t = schedule_origin(ctx.layout);
    constexpr double x0 = 50;
    set_origin(cv, t.x, t.y);

    // 1. The lines above and below the heading band.
    pen_select_layer(ctx, "D-MTR-FRAM");
    draw_polyline(cv, {{0, 0}, {kTableWidth, 0}});
    draw_polyline(cv, {{0, 400}, {kTableWidth, 400}});

    // 2. Title and note. The counts are the bars to cut for the whole wall, and the note says so.
    pen_select_layer(ctx, "D-MTR-TXT");
    draw_kanji_text(cv, {1300, 5000}, {1600, 5000}, 350, u8"鉄 筋 加 工 図"_sj);
    draw_kanji_text(cv, {4050, 5000}, {4350, 5000}, 125, kNotToScale);
    const TextBuf basis = whole_wall_basis(ctx.input);
    draw_kanji_text(cv, {8000, 5000}, {8500, 5000}, 125, basis_note(basis));
    ctx.printed.schedule_basis = basis.view();

    // 3. Column headings.
    draw_kanji_text(cv, {x0, 120}, {x0 + 350, 250}, 125, u8"種 別"_sj);
    draw_kanji_text(cv, {x0 + 800, 120}, {x0 + 1300, 250}, 125, u8"形 式"_sj);
    draw_kanji_text(cv, {x0 + 2000, 120}, {x0 + 2500, 250}, 125, u8"径"_sj);
    draw_kanji_text(cv, {x0 + 3400, 120}, {x0 + 4000, 250}, 125, u8"本 数"_sj);
    draw_kanji_text(cv, {x0 + 4000, 250}, {x0 + 4500, 400}, 125, u8"長 さ"_sj);
    draw_kanji_text(cv, {x0 + 4000, 0}, {x0 + 4500, 0}, 150, "(mm)");
    draw_kanji_text(cv, {x0 + 5400, 250}, {x0 + 5900, 400}, 125, u8"Ｌ１"_sj);
    draw_kanji_text(cv, {x0 + 5400, 0}, {x0 + 5900, 0}, 150, "(mm)");
    draw_kanji_text(cv, {x0 + 6800, 250}, {x0 + 7300, 400}, 125, u8"Ｌ２"_sj);
    draw_kanji_text(cv, {x0 + 6800, 0}, {x0 + 7300, 0}, 150, "(mm)");
    draw_kanji_text(cv, {x0 + 8200, 250}, {x0 + 8700, 400}, 125, u8"Ｌ３"_sj);
    draw_kanji_text(cv, {x0 + 8200, 0}, {x0 + 8700, 0}, 150, "(mm)");

    // 4. The outline around legend and headings.
    pen_select_layer(ctx, "D-MTR-FRAM");
    draw_outline(cv);

    // Rows, in print order, each kept as printed.
    int k = 1;
    ctx.printed.schedule.clear();
    for (const ScheduleRow* row : ctx.bar_list.printed_rows()) {
        const double y = -kRowPitch * k;
        pen_select_layer(ctx, "D-MTR-MTXT");
        PrintedRow printed(cv, y, ctx.printed.schedule.emplace_back());
        printed.cell(x0, row->mark);
        printed.cell(x0 + 800, row->shape_code);
        printed.cell(x0 + 2000, row->size_text);
        printed.cell(x0 + 3200, TextBuf().integer(row->count));
        // The legs add up to the cut length as printed; a leg of length 0 leaves its cell empty.
        const PrintedLegs legs = printed_legs(*row);
        printed.cell(x0 + 4000, fmt_length(row->total_length));
        printed.cell(x0 + 5400, legs.text(1));
        printed.cell(x0 + 6800, legs.text(2));
        printed.cell(x0 + 8200, legs.text(3));
        pen_select_layer(ctx, "D-MTR-FRAM");
        draw_polyline(cv, {{0, y}, {kTableWidth, y}});
        ++k;
    }

    // Closing: the outline once more and the column lines down to the last row's line.
    pen_select_layer(ctx, "D-MTR-FRAM");
    draw_outline(cv);
    for (const double x : kColumnLines) draw_polyline(cv, {{x, 400}, {x, 300 - kRowPitch * k}});
}

}  // namespace lwall
