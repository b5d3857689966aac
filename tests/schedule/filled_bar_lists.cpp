#include "filled_bar_lists.hpp"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/bar_rules.hpp"
#include "drawings/section_footing/footing_views.hpp"
#include "drawings/section_footing/section_view.hpp"
#include "drawings/wall/wall_elevations.hpp"
#include "drawings/wall/wall_test_support.hpp"
#include "input/wall_file.hpp"
#include "test_support.hpp"

namespace lwall::test {

ScheduleRow bar_row(std::string mark, std::string shape, std::string size, int count, double total, double len1,
                    double len2, double len3, double unit_mass) {
    ScheduleRow r;
    r.mark = std::move(mark);
    r.shape_code = std::move(shape);
    r.size_text = std::move(size);
    r.count = count;
    r.total_length = total;
    r.len1 = len1;
    r.len2 = len2;
    r.len3 = len3;
    r.unit_mass = unit_mass;
    return r;
}

namespace {

void lay_out(RunContext& ctx, const WallInput& wall) {
    ctx.input = wall;
    ctx.layout = compute_sheet_layout(ctx.input);
    load_example_layers(ctx);
}

}  // namespace

void fill_by_drawing(RunContext& ctx, const WallInput& wall) {
    lay_out(ctx, wall);
    draw_wall_elevations(ctx);
    draw_footing_views(ctx);
    draw_section_view(ctx);
}

void fill_level_wall(RunContext& ctx) {
    lay_out(ctx, level_wall());
    const double d13 = bar_unit_mass(13);
    const double d16 = bar_unit_mass(16);
    BarList& b = ctx.bar_list;
    HandedValues& h = ctx.handed;

    // Vertical wall bars, one class: top 400 + 2000 - 100; W1 (D16) leg 19 x 16 = 304 gives
    // 2500 in all, W2 (D13) leg 15 x 13 = 195 gives 2000. The bars of the four zones and the
    // reference bar: 9 + 8 + 12 + 15 + 1 and 18 + 11 + 6 + 12 + 1.
    b.fixed(1) = bar_row("W1", "1", "D16", 45, 2500, 2196, 304, 0, d16);
    b.fixed(2) = bar_row("W2", "1", "D13", 48, 2000, 1805, 195, 0, d13);
    h.wall_bar_classes.w1[1] = {2196, 304};
    h.wall_bar_classes.w2[1] = {1805, 195};
    h.wall_vertical_row_kinds = 1;
    h.wall_vertical_class_count = 1;

    // Horizontal bars: run 10000 - 200 = 9800 fits the maximum 12000; 6 + 2 + 1 rows per face,
    // W3 of D13 and W4 of D16.
    h.w3_piece_count = 1;
    b.piece(7) = bar_row("W3-1", "5", "D13", 9, 9800, 9800, 0, 0, d13);
    b.piece(8) = bar_row("W4-1", "5", "D16", 9, 9800, 9800, 0, 0, d16);

    // Cap bars on a level top, 300 - 100 - 100 across, with legs as under a sloped top: W2 leaves
    // 2300 - 100 - 1805 = 395 under the top, and the legs reach 20 x 13 below that, 655; the
    // bending drawings count them.
    b.fixed(BarList::kW5) = bar_row("W5", "6", "D13", 0, 1410, 655, 100, 0, d13);
    // F1: anchorage 20 x 16, run 1800 - 200, its down leg the cap's leg cut to the footing less its
    // covers, 400 - 200; 14 + 8 + 10 + 11 bars. F2: legs cut to 200, 20 + 6 + 12 + 10 bars.
    b.fixed(BarList::kF1) = bar_row("F1", "4", "D16", 43, 2120, 320, 1600, 200, d16);
    b.fixed(BarList::kF2) = bar_row("F2", "2", "D16", 48, 2000, 200, 1600, 0, d16);
    // F3, F4 unsplit: 2 x (5000 - 100), 2 + 2 + 4 + 1 and 2 + 2 + 6 + 1 bars.
    b.fixed(BarList::kF3) = bar_row("F3", "5", "D13", 9, 9800, 9800, 0, 0, d13);
    b.fixed(BarList::kF4) = bar_row("F4", "5", "D13", 11, 9800, 9800, 0, 0, d13);
    // S1: straight part 100 + 14 + 13 + 16 + 13 = 156, cut 360. Ties on the 46 W2 bars between
    // the two end ones, from 300 + 4 x 250 (odd) or 2 x 250 (even), every 1000 up to 2400 - 400:
    // 23 x 1 + 23 x 2.
    b.fixed(BarList::kS1) = bar_row("S1", "6", "D13", 69, 360, 102, 156, 0, d13);
    // S2: 229 high, 2 x 150 + 16 + 13 = 329 wide, cut 990. Tie columns 1, 3 and 5 over F3's heel
    // zones (4 + 2 - 1), counted up to 14 x 200 + 10 x 150 = 4300 with the rule of F1.pitch[2]
    // (250; F1.pitch[1] has none): four a column, two bars each.
    b.fixed(BarList::kS2) = bar_row("S2", "3", "D13", 24, 990, 101.5, 229, 329, d13);
}

WallInput sloped_example() {
    WallInput w = read_wall_input(example_file("sloped", "PlenkL.dat"));
    // F1: 10 x 250 then 17 x 200 to the right end cover, 20 x 100 and 13 x 300 over the left half;
    // F2: 8 x 300 then 14 x 250 to the left, 13 x 200 and 22 x 150 over the right half.
    w.F1.pitch = {0, 200, 250, 100, 300, 0};
    w.F1.count = {0, 17, 10, 20, 13, 0};
    w.F2.pitch = {0, 250, 300, 200, 150, 0};
    w.F2.count = {0, 14, 8, 13, 22, 0};
    // Toe to heel, 2150 - 2 x 100: F3 600 + 450 + 900, F4 800 + 250 + 900.
    w.F3.pitch = {0, 300, 150, 100, 0, 0};
    w.F3.count = {0, 2, 3, 9, 0, 0};
    w.F4.pitch = {0, 200, 250, 150, 0, 0};
    w.F4.count = {0, 4, 1, 6, 0, 0};
    return w;
}

void fill_sloped_example(RunContext& ctx, double max_bar_length) {
    lay_out(ctx, sloped_example());
    ctx.input.max_bar_length = max_bar_length;
    ctx.input.W3.zones = 1;
    ctx.input.W4.zones = 1;
    const double d13 = bar_unit_mass(13);
    const double d16 = bar_unit_mass(16);
    BarList& b = ctx.bar_list;
    HandedValues& h = ctx.handed;

    // Two length classes: the lower end (top 2350) and the mean height (top 2650).
    b.fixed(1) = bar_row("W1-1", "1", "D16", 24, 2000, 1760, 240, 0, d16);
    b.fixed(2) = bar_row("W2-1", "1", "D13", 24, 2000, 1805, 195, 0, d13);
    b.fixed(3) = bar_row("W1-2", "1", "D16", 23, 2500, 2260, 240, 0, d16);
    b.fixed(4) = bar_row("W2-2", "1", "D13", 23, 2500, 2305, 195, 0, d13);
    h.wall_bar_classes.w1[1] = {1760, 240};
    h.wall_bar_classes.w2[1] = {1805, 195};
    h.wall_bar_classes.w1[2] = {2260, 240};
    h.wall_bar_classes.w2[2] = {2305, 195};
    h.wall_vertical_row_kinds = 2;
    h.wall_vertical_class_count = 2;

    // Horizontal bars: run 11800; two rows under the sloped top, 6883 and 1966 long; the bar
    // along the top is floor(sqrt(11800^2 + 600^2)) = 11815 long.
    h.sloped_row_count = 2;
    const int per_face = 9;  // W4.count[1] + W4.count[2] + 1, the lower end's rows
    int r = 7;
    for (const char* face : {"W3-", "W4-"}) {
        const std::string m = face;
        const int first = r;
        if (max_bar_length < 11800) {
            // Pieces of 9000 and 3500; the first sloped row 3500 + 4000, the second one piece;
            // the top bar 9000 + 3500.
            h.w3_piece_count = 2;
            b.piece(r++) = bar_row(m + "1", "5", "D13", per_face, 9000, 9000, 0, 0, d13);
            b.piece(r++) = bar_row(m + "2", "5", "D13", per_face, 3500, 3500, 0, 0, d13);
            b.piece(r++) = bar_row(m + "3", "5", "D13", 1, 3500, 3500, 0, 0, d13);
            b.piece(r++) = bar_row(m + "4", "5", "D13", 1, 4000, 4000, 0, 0, d13);
            b.piece(r++) = bar_row(m + "5", "5", "D13", 1, 1966, 1966, 0, 0, d13);
            b.piece(r++) = bar_row(m + "6", "5", "D13", 1, 9000, 9000, 0, 0, d13);
            b.piece(r++) = bar_row(m + "7", "5", "D13", 1, 3500, 3500, 0, 0, d13);
            (first == 7 ? h.sloped_back : h.sloped_front) = {{6883, 1966}, {2, 1}};
        } else {
            // One-piece rows; on the back face row 8 is the front face's twin, never printed;
            // the bar along the top is 11810 + 500.
            h.w3_piece_count = 1;
            b.piece(r++) = bar_row(m + "1", "5", "D13", per_face, 11800, 11800, 0, 0, d13);
            if (first == 7) b.piece(r++) = bar_row("", "", "", per_face, 11800, 11800, 0, 0, d13);
            b.piece(r++) = bar_row(m + "2", "5", "D13", 1, 6883, 6883, 0, 0, d13);
            b.piece(r++) = bar_row(m + "3", "5", "D13", 1, 1966, 1966, 0, 0, d13);
            b.piece(r++) = bar_row(m + "4", "5", "D13", 1, max_bar_length, max_bar_length, 0, 0, d13);
            b.piece(r++) = bar_row(m + "5", "5", "D13", 1, 500, 500, 0, 0, d13);
            (first == 7 ? h.sloped_back : h.sloped_front) = {{6883, 1966}, {1, 1}};
        }
    }

    b.fixed(BarList::kW5) = bar_row("W5", "6", "D13", 0, 2250, 1050, 150, 0, d13);
    b.fixed(BarList::kF1) = bar_row("F1", "4", "D16", 17 + 10 + 20 + 13, 2520, 320, 1950, 250, d16);
    b.fixed(BarList::kF2) = bar_row("F2", "2", "D16", 14 + 8 + 13 + 22, 2430, 240, 1950, 0, d16);
    if (max_bar_length < 11800) {
        // Split: |9000 - 5900| + 5900 and (floor((2800 + 500) / 500) + 1) x 500.
        // F3: 2 + 3 + 9 + 1 bars, F4: 4 + 1 + 6 + 1.
        b.fixed(BarList::kF3) = bar_row("F3-1", "5", "D16", 15, 9000, 9000, 0, 0, d16);
        b.fixed(BarList::kF3Second) = bar_row("F3-2", "5", "D16", 15, 3500, 3500, 0, 0, d16);
        b.fixed(BarList::kF4) = bar_row("F4-1", "5", "D16", 12, 9000, 9000, 0, 0, d16);
        b.fixed(BarList::kF4Second) = bar_row("F4-2", "5", "D16", 12, 3500, 3500, 0, 0, d16);
    } else {
        b.fixed(BarList::kF3) = bar_row("F3", "5", "D16", 15, 11800, 11800, 0, 0, d16);
        b.fixed(BarList::kF4) = bar_row("F4", "5", "D16", 12, 11800, 11800, 0, 0, d16);
    }
    // S1: 45 tie columns between the first and the last W2 bar, every even one with two ties and
    // the odd ones with two only where the top has risen enough (x >= 0), else one: 46 + 33.
    b.fixed(BarList::kS1) = bar_row("S1", "6", "D13", 79, 410, 103.5, 203, 0, d13);
    // S2: columns 1, 3 ... 11 over F3's heel zones (9 + 3 - 1) hold five ties each up to
    // 17 x 200 + 20 x 100 = 5400 (the rule of F1.pitch[2], 250); both legs count.
    b.fixed(BarList::kS2) = bar_row("S2", "3", "D13", 60, 1290, 101.5, 279, 529, d13);
}

std::vector<std::vector<std::string>> table_cells(const std::vector<DxfEntity>& entities, double x_from,
                                                  double x_to, double y_from, double y_to) {
    std::map<double, std::map<double, std::string>, std::greater<>> by_height;
    for (const DxfEntity& e : entities) {
        if (e.type != "TEXT" || e.get(8) != "D-MTR-MTXT") continue;
        const double x = e.num(10);
        const double y = e.num(20);
        if (x >= x_from && x < x_to && y >= y_from && y < y_to) by_height[y][x] = e.get(1);
    }
    std::vector<std::vector<std::string>> rows;
    for (const auto& [y, cells] : by_height) {
        rows.emplace_back();
        for (const auto& [x, text] : cells) rows.back().push_back(text);
    }
    return rows;
}

}  // namespace lwall::test
