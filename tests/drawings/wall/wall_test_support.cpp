#include "drawings/wall/wall_test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "drawings/wall/wall_elevations.hpp"
#include "drawings/wall/wall_input_checks.hpp"
#include "input/wall_file.hpp"

namespace lwall::test {

WallInput example_wall(std::string_view example) { return read_wall_input(example_file(example, "PlenkL.dat")); }

WallInput sloped_wall(double height_left, double height_right, double row_pitch) {
    WallInput w = example_wall("sloped");
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
