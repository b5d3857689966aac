#include "schedule/bending_drawings.hpp"

#include <algorithm>
#include <cmath>

#include "core/bar_rules.hpp"
#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "output/primitives/primitives.hpp"
#include "schedule/bar_legs.hpp"
#include "schedule/bar_shape_labels.hpp"
#include "schedule/bar_shapes.hpp"

namespace lwall {

namespace {

constexpr double kTrueSize = 1;

// The lap as the drawings state it: rounded down to 10 mm and followed by 以上 ("at least").
TextBuf lap_text(int dia, int width) {
    TextBuf t;
    t.fixed(stated_lap_length(dia), width, 0).text(u8"以上"_sj);
    return t;
}

// The piece that completes a bar of `length` made of two whose other piece is the maximum member
// length.
double completing_piece(double length, int dia, double max_bar_length) {
    return lapped_second_piece(length, max_bar_length, dia);
}

// Each bar's drawing (its shape, dimensions and label) is a block of its own.
void start_shape(RunContext& ctx, Point origin) {
    open_block(ctx.canvas, BlockRole::drawing);
    pen_select_layer(ctx, "D-STR-STR1");
    set_origin(ctx.canvas, origin.x, origin.y);
}

void straight_bar(RunContext& ctx, Point origin, double length, std::string_view text1, const ScheduleRow& bar) {
    ShapePoints s;
    start_shape(ctx, origin);
    draw_shape_5(ctx.canvas, s, length, kTrueSize);
    pen_select_layer(ctx, "D-STR-DIM");
    label_shape_5(ctx.canvas, s, text1, bar);
}

// A bar in two lapped pieces over `run`: piece 1 from its start, piece 2 to its end. Each piece is
// dimensioned with the length of its own row and labelled with that row, so that its mark, count,
// size and length are those the schedule lists for it.
void lapped_bar(RunContext& ctx, Point origin, double run, const ScheduleRow& piece1, const ScheduleRow& piece2,
                const TextBuf& lap) {
    ShapePoints first, second;
    const TextBuf text1 = fmt_length(run);
    const TextBuf text2 = fmt_length(piece1.len1);
    const TextBuf text4 = fmt_length(piece2.len1);
    start_shape(ctx, origin);
    draw_shape_5_lapped(ctx.canvas, first, second, run, piece1.len1, text4, kTrueSize);
    pen_select_layer(ctx, "D-STR-DIM");
    label_shape_5_lapped(ctx.canvas, first, second, text1, text2, lap, text4, piece1, piece2);
}

// The number of rows among `rows` that are in use; a drawing stands for these rows.
int used_rows(std::initializer_list<const ScheduleRow*> rows) {
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const ScheduleRow* r) { return r->used(); }));
}

// The wall vertical bars, one drawing per length class of W1 (type 1) and W2 (type 1 raised).
void draw_wall_vertical_bars(RunContext& ctx, Point base) {
    struct Placement {
        int row;
        int length_class;
        bool back_face;  // W1; W2 on the front face
        Point offset;
    };
    static constexpr Placement kOneClass[] = {{1, 1, true, {3500, -1000}}, {2, 1, false, {1000, -1000}}};
    static constexpr Placement kClasses[] = {{1, 1, true, {2500, 0}},  {2, 1, false, {0, 0}},
                                             {3, 2, true, {8500, 0}},  {4, 2, false, {6000, 0}},
                                             {5, 3, true, {14500, 0}}, {6, 3, false, {12000, 0}}};
    std::span<const Placement> bars;
    switch (ctx.handed.wall_vertical_row_kinds) {
        case 1: bars = kOneClass; break;
        case 2: bars = std::span(kClasses).first(4); break;
        case 3:
        case 4: bars = kClasses; break;
        default: break;
    }
    const WallBarClasses& classes = ctx.handed.wall_bar_classes;
    for (const Placement& p : bars) {
        const ScheduleRow& row = ctx.bar_list.fixed(p.row);
        if (!row.used()) continue;
        const auto index = static_cast<std::size_t>(p.length_class);
        const WallBarClass& c = p.back_face ? classes.w1[index] : classes.w2[index];
        const double a = std::floor(c.piece);
        const double b = std::floor(c.leg);
        const PrintedLegs legs = printed_legs(row);
        ShapePoints s;
        start_shape(ctx, {base.x + p.offset.x, base.y + p.offset.y});
        if (p.back_face) draw_shape_1(ctx.canvas, s, a, b, kTrueSize);
        else draw_shape_1_raised(ctx.canvas, s, a, b, kTrueSize);
        pen_select_layer(ctx, "D-STR-DIM");
        label_shape_1(ctx.canvas, s, legs.text(1), legs.text(2), row);
    }
}

// The horizontal bars of one face: where they stand and how they are made.
struct Face {
    Point base;
    int dia;
    const SlopedRows& sloped;
    int full_row;          // row of the full-length bar
    int first_sloped_row;  // row of the first piece under the sloped top
};

// Distance between the drawings of the rows under the sloped top.
double sloped_row_spacing(int rows) {
    if (rows == 1 || rows == 2) return 6000;
    if (rows == 3 || rows == 4) return 5000;
    if (rows == 5 || rows == 6) return 4000;
    return 7000;
}

// Draws one face and returns the row that follows its last row. The rows are walked by the pieces
// each bar is made of, so the next face starts on its own first row whatever the pieces were.
int draw_horizontal_face(RunContext& ctx, const Face& face) {
    const WallInput& w = ctx.input;
    const SheetLayout& sheet = ctx.layout;
    const BarList& list = ctx.bar_list;
    int& drawn_rows = ctx.handed.wall_horizontal_drawn_rows;
    const double run = run_along_wall(w);
    const double max_length = w.max_bar_length;

    // Full-length bar.
    const ScheduleRow& full = list.piece(face.full_row);
    const int full_pieces = run <= max_length ? 1 : 2;
    if (full_pieces == 1) {
        if (full.used()) straight_bar(ctx, face.base, run, fmt_length(full.len1), full);
        drawn_rows += used_rows({&full});
    } else {
        // Row `full_row` is the piece of the maximum member length, the next row the piece that
        // completes the bar; the drawing starts with the completing piece.
        const ScheduleRow& completing = list.piece(face.full_row + 1);
        if (full.used()) lapped_bar(ctx, face.base, run, completing, full, lap_text(face.dia, 5));
        drawn_rows += used_rows({&full, &completing});
    }
    if (w.height_left == w.height_right) return face.full_row + full_pieces;

    // Rows under the sloped top. A row whose pieces the bar list does not hold is not drawn.
    const int n = ctx.handed.sloped_row_count;
    const double spacing = sloped_row_spacing(n);
    const int known = static_cast<int>(std::min(face.sloped.length.size(), face.sloped.pieces.size()));
    const int sloped_rows = std::clamp(n, 0, known);
    int g = face.first_sloped_row;
    for (int h = 1; h <= sloped_rows; ++h) {
        const auto k = static_cast<std::size_t>(h - 1);
        const Point origin{face.base.x, (35000 - h * spacing) / 2 * sheet.scale / 50};
        const int pieces = face.sloped.pieces[k] == 1 ? 1 : 2;
        const ScheduleRow& first = list.piece(g);
        if (pieces == 1) {
            if (first.used()) straight_bar(ctx, origin, first.len1, fmt_length(first.len1), first);
            drawn_rows += used_rows({&first});
        } else {
            const ScheduleRow& second = list.piece(g + 1);
            const double length = face.sloped.length[k];
            if (first.used()) lapped_bar(ctx, origin, length, first, second, lap_text(face.dia, 5));
            drawn_rows += used_rows({&first, &second});
        }
        g += pieces;
    }

    // The bar along the sloped top, below the sloped rows.
    const double y0 = sloped_rows >= 1 ? 0 : face.base.y;
    const Point origin{face.base.x, (35000 - (n + 1) * spacing) / 2 * sheet.scale / 50 + y0 - 1000};
    const double rise = w.height_right - w.height_left;
    const double along_top = std::floor(std::sqrt(run * run + rise * rise));
    const ScheduleRow& top = list.piece(g);
    ShapePoints first, second;
    if (along_top <= max_length) {
        if (top.used()) {
            start_shape(ctx, origin);
            draw_shape_5_inclined(ctx.canvas, first, run, run, w.height_left, w.height_right, kTrueSize);
            pen_select_layer(ctx, "D-STR-DIM");
            label_shape_5_inclined(ctx.canvas, first, fmt_length(along_top), top);
        }
        drawn_rows += used_rows({&top});
        return g + 1;
    }
    // Row g is the piece of the maximum member length from the higher end, row g + 1 the piece that
    // completes the bar; the drawing starts with the completing piece.
    const double piece1 = completing_piece(along_top, face.dia, max_length);
    const ScheduleRow& completing = list.piece(g + 1);
    if (top.used()) {
        start_shape(ctx, origin);
        draw_shape_5_lapped_inclined(ctx.canvas, first, second, run, piece1, w.height_left, w.height_right,
                                     max_length, kTrueSize);
        pen_select_layer(ctx, "D-STR-DIM");
        label_shape_5_lapped_inclined(ctx.canvas, first, second, fmt_length(along_top), fmt_length(completing.len1),
                                      lap_text(face.dia, 4), fmt_length(top.len1), completing, top);
    }
    drawn_rows += used_rows({&top, &completing});
    return g + 2;
}

void draw_wall_horizontal_bars(RunContext& ctx) {
    const WallInput& w = ctx.input;
    const SheetLayout& s = ctx.layout;
    const Point back_base{s.sheet_width + 2000 + s.scale * 2000 / 50, s.scale * 17500 / 50};
    const Point front_base{s.sheet_width + 22000 + s.scale * 2000 / 50, s.scale * 17500 / 50};
    ctx.handed.wall_horizontal_drawn_rows = 0;
    // Row 7 is the back face's full bar, row 8 its second piece or, for a one-piece bar on a
    // sloped wall, the front face's twin row that is never printed; the sloped rows follow from 9.
    const int front_row = draw_horizontal_face(
        ctx, {back_base, w.W3.dia, ctx.handed.sloped_back, BarList::kFirstPieceRow, BarList::kFirstPieceRow + 2});
    const int front_pieces = run_along_wall(w) <= w.max_bar_length ? 1 : 2;
    draw_horizontal_face(ctx, {front_base, w.W4.dia, ctx.handed.sloped_front, front_row, front_row + front_pieces});
}

// Straight footing bars F3, F4: one bar of Ｌ１, or two lapped pieces: the row's own first piece
// and the completing piece of the next row, drawn completing piece first.
void draw_footing_bar(RunContext& ctx, Point origin, int row, int second_row, int dia) {
    const WallInput& w = ctx.input;
    const ScheduleRow& bar = ctx.bar_list.fixed(row);
    if (!bar.used()) return;
    const double run = run_along_wall(w);
    if (run <= w.max_bar_length) {
        straight_bar(ctx, origin, bar.len1, fmt_length(bar.len1), bar);
        return;
    }
    lapped_bar(ctx, origin, run, ctx.bar_list.fixed(second_row), bar, lap_text(dia, 4));
}

void draw_other_bars(RunContext& ctx) {
    const WallInput& w = ctx.input;
    const SheetLayout& s = ctx.layout;
    BarList& list = ctx.bar_list;
    Canvas& cv = ctx.canvas;
    const double e = s.elevation_x + 15000;
    const double ey = s.elevation_y;
    ShapePoints p;

    // W5: its count first, so that the schedule and the mass table print it.
    ScheduleRow& cap = list.fixed(BarList::kW5);
    cap.count = w.W5.count[1] + w.W5.count[2] + w.W5.count[3] + w.W5.count[4] + w.W5.count[5] + 1;
    // The legs are dimensioned as the schedule prints them, adding up to the cut length.
    if (cap.used()) {
        const PrintedLegs legs = printed_legs(cap);
        start_shape(ctx, {e, ey - 12000});
        draw_shape_6(cv, p, std::floor(cap.len1), std::floor(cap.len2), kTrueSize);
        pen_select_layer(ctx, "D-STR-DIM");
        label_shape_6(cv, p, legs.text(1), legs.text(2), cap);
    }

    if (const ScheduleRow& f1 = list.fixed(BarList::kF1); f1.used()) {
        const PrintedLegs legs = printed_legs(f1);
        start_shape(ctx, {e, ey + 4000});
        draw_shape_4(cv, p, f1.len1, f1.len2, f1.len3, kTrueSize);
        pen_select_layer(ctx, "D-STR-DIM");
        label_shape_4(cv, p, legs.text(1), legs.text(2), legs.text(3), f1);
    }

    if (const ScheduleRow& f2 = list.fixed(BarList::kF2); f2.used()) {
        const PrintedLegs legs = printed_legs(f2);
        start_shape(ctx, {e, ey});
        draw_shape_2(cv, p, f2.len1, f2.len2, f2.len1, kTrueSize);
        pen_select_layer(ctx, "D-STR-DIM");
        label_shape_2(cv, p, legs.text(1), legs.text(2), legs.text(1), f2);
    }

    draw_footing_bar(ctx, {s.table_x - 5000, ey - 16000}, BarList::kF3, BarList::kF3Second, w.F3.dia);
    draw_footing_bar(ctx, {s.table_x - 5000, ey - 21000}, BarList::kF4, BarList::kF4Second, w.F4.dia);

    if (const ScheduleRow& s1 = list.fixed(BarList::kS1); s1.used()) {
        const PrintedLegs legs = printed_legs(s1);
        start_shape(ctx, {e, ey - 4000});
        draw_shape_6(cv, p, s1.len1, s1.len2, kTrueSize);
        pen_select_layer(ctx, "D-STR-DIM");
        label_shape_6(cv, p, legs.text(1), legs.text(2), s1);
    }

    if (const ScheduleRow& s2 = list.fixed(BarList::kS2); s2.used()) {
        const PrintedLegs legs = printed_legs(s2);
        start_shape(ctx, {e, ey - 8000});
        draw_shape_3(cv, p, s2.len3, s2.len2, s2.len1, kTrueSize);
        pen_select_layer(ctx, "D-STR-DIM");
        label_shape_3(cv, p, legs.text(1), legs.text(2), legs.text(3), s2);
    }
}

}  // namespace

void draw_bending_drawings(RunContext& ctx) {
    const SheetLayout& s = ctx.layout;
    const Point base{s.sheet_width + 2000 + s.scale * 2000 / 50, s.scale * 22000 / 50};

    open_block(ctx.canvas, BlockRole::heading);
    pen_select_layer(ctx, "D-MTR-TXT");
    set_origin(ctx.canvas, base.x, base.y);
    draw_text_styled(ctx.canvas, {5000, 3000}, {5500, 3000}, 400, 0, u8"鉄 筋 加 工 図"_sj, "KANJI");
    // Every bar at true size, so to the scale of the frame the views stand in.
    draw_text_styled(ctx.canvas, {7900, 3000}, {8200, 3000}, 300, 0, scale_label(s.scale), "KANJI");

    draw_wall_vertical_bars(ctx, base);
    draw_wall_horizontal_bars(ctx);
    draw_other_bars(ctx);
}

}  // namespace lwall
