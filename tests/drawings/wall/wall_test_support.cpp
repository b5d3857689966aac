#include "drawings/wall/wall_test_support.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "drawings/wall/wall_elevations.hpp"
#include "drawings/wall/wall_input_checks.hpp"
#include "input/wall_file.hpp"

namespace lwall::test {

WallInput example_wall(std::string_view example) { return read_wall_input(example_file(example, "PlenkL.dat")); }

namespace {

// Zones 1 (outer) and 2 (inner) left of the reference point, 3 (inner) and 4 (outer) right of it.
void set_zones(BarGroup& g, std::array<double, 4> pitch, std::array<int, 4> count) {
    for (int i = 1; i <= 4; ++i) {
        g.pitch[i] = pitch[static_cast<std::size_t>(i - 1)];
        g.count[i] = count[static_cast<std::size_t>(i - 1)];
    }
}

}  // namespace

WallInput level_wall() {
    WallInput w = example_wall("level");
    set_zones(w.F1, {200, 250, 150, 300}, {14, 8, 10, 11});   // right half 2000 + 2800, left 1500 + 3300
    set_zones(w.F2, {150, 300, 200, 250}, {20, 6, 12, 10});   // left half 1800 + 3000, right 2400 + 2500
    w.F3.pitch = {0, 250, 150, 200, 0, 0};                      // toe to heel: 500 + 300 + 800 = 1800 - 200
    w.F3.count = {0, 2, 2, 4, 0, 0};
    w.F4.pitch = {0, 200, 300, 100, 0, 0};                      // 400 + 600 + 600
    w.F4.count = {0, 2, 2, 6, 0, 0};
    set_zones(w.W1, {300, 250, 150, 200}, {9, 8, 12, 15});    // 2000 + 2700 left, 1800 + 3000 right
    set_zones(w.W2, {150, 200, 300, 250}, {18, 11, 6, 12});   // 2200 + 2700 left, 1800 + 3000 right
    set_zones(w.W5, {200, 300, 125, 250}, {14, 7, 16, 11});   // 2100 + 2800 left, 2000 + 2750 right
    for (BarGroup* g : {&w.W3, &w.W4}) {
        g->pitch[1] = 250;
        g->pitch[2] = 150;
        g->count[1] = 6;
        g->count[2] = 2;
    }
    w.W4.dia = w.W4.opt[1] = 16;
    return w;
}

WallInput sloped_wall(double height_left, double height_right, double row_pitch) {
    WallInput w = example_wall("sloped");
    set_zones(w.W1, {300, 200, 250, 150}, {13, 10, 8, 26});   // 2000 + 3900 on each side
    set_zones(w.W2, {200, 150, 300, 100}, {19, 14, 7, 38});   // 2100 + 3800
    set_zones(w.W5, {150, 250, 200, 300}, {26, 8, 10, 13});   // 2000 + 3900
    w.height_left = height_left;
    w.height_right = height_right;
    w.wall_height = (height_left + height_right) / 2;
    const double first_row = w.footing_thickness - w.cover2;
    auto rows_up_to = [&](double height) {
        return static_cast<int>(std::floor((w.footing_thickness + height - w.cover_wall_top - first_row) / row_pitch));
    };
    w.W3.pitch[1] = w.W4.pitch[1] = row_pitch;
    // The W4 rows reach the higher end when it is the left one, the W3 rows when it is the right
    // one, so W4 fills the left end and W3 the right end.
    w.W4.count[1] = rows_up_to(height_left);
    w.W3.count[1] = rows_up_to(height_right);
    w.W3.count[2] = w.W4.count[2] = 0;
    return w;
}

std::unique_ptr<RunContext> draw_elevations(const WallInput& w) {
    auto ctx = std::make_unique<RunContext>();
    load_example_layers(*ctx);
    ctx->input = w;
    check_wall_elevation_input(ctx->input);
    ctx->layout = compute_sheet_layout(ctx->input);
    draw_wall_elevations(*ctx);
    return ctx;
}

FaceBars face_bars(const RunContext& ctx, WallFace face) {
    const Point o = wall_face_origin(ctx, face);
    const WallInput& w = ctx.input;
    const double top = w.footing_thickness + std::max(w.height_left, w.height_right);
    FaceBars bars;
    for (const DxfEntity& e : entities(ctx.canvas)) {
        if (e.type != "LINE" || e.get(8) != "D-STR-STR1") continue;
        const Line l{e.num(10) - o.x, e.num(20) - o.y, e.num(11) - o.x, e.num(21) - o.y};
        // Bars lie within the face's own band (the other face lies wall_height + 5000 away).
        if (l.y1 < -100 || l.y1 > top + 100) continue;
        const double dx = l.x2 - l.x1;
        const double dy = l.y2 - l.y1;
        if (std::fabs(dx) == 50 && std::fabs(dy) == 50) bars.tie_strokes.push_back(l);
        else if (dx == 0 && l.y1 == std::round(w.cover1) && dy > 0) bars.standing.push_back(l);
        else if (dx == 0) bars.hanging.push_back(l);
        else bars.horizontal.push_back(l);
    }
    return bars;
}

int listed_bars(const BarList& list, const std::string& mark) {
    int n = 0;
    for (const ScheduleRow* r : list.printed_rows()) {
        if (r->mark == mark || r->mark.rfind(mark + "-", 0) == 0) n += r->count;
    }
    return n;
}

}  // namespace lwall::test
