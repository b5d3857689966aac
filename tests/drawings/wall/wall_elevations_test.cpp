#include "drawings/wall/wall_elevations.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "drawings/wall/wall_test_support.hpp"

namespace lwall {
namespace {

struct Case {
    const char* name;
    WallInput wall;
    int classes;
};

// Level, sloped both ways, and one, two and three length classes under a top rising either way;
// in all of them every zone fits the wall.
std::vector<Case> walls() {
    return {{"level", test::level_wall(), 1},
            {"sloped example", test::example_wall("sloped"), 2},
            {"sloped example reversed", test::sloped_wall(2600, 2000), 2},
            {"one class", test::sloped_wall(2060, 2500), 1},
            {"one class reversed", test::sloped_wall(2500, 2060), 1},
            {"three classes", test::sloped_wall(1000, 2500), 3},
            {"three classes reversed", test::sloped_wall(2500, 1000), 3},
            {"two classes, one piece", [] {
                 WallInput w = test::sloped_wall(2000, 2600);
                 w.max_bar_length = 12000;
                 return w;
             }(),
             2}};
}

int cap_bars(const WallInput& w) { return w.W5.count[1] + w.W5.count[2] + w.W5.count[3] + w.W5.count[4] + 1; }

// The rows at cover1 stand in the footing and are not wall bars.
std::vector<test::Line> wall_rows(const WallInput& w, const std::vector<test::Line>& lines) {
    std::vector<test::Line> rows;
    for (const test::Line& l : lines) {
        if (std::max(l.y1, l.y2) > w.cover1 + 1) rows.push_back(l);
    }
    return rows;
}

TEST(WallElevations, EveryMarkDrawsAsManyBarsAsTheBarListCounts) {
    for (const Case& c : walls()) {
        SCOPED_TRACE(c.name);
        const auto ctx = test::draw_elevations(c.wall);
        const WallInput& w = ctx->input;
        EXPECT_EQ(ctx->handed.wall_vertical_class_count, c.classes);
        const test::FaceBars back = test::face_bars(*ctx, WallFace::back);
        const test::FaceBars front = test::face_bars(*ctx, WallFace::front);
        // The bar at the reference point stands on the centre line without a line of its own.
        EXPECT_EQ(static_cast<int>(back.standing.size()) + 1, test::listed_bars(ctx->bar_list, "W1"));
        EXPECT_EQ(static_cast<int>(front.standing.size()) + 1, test::listed_bars(ctx->bar_list, "W2"));
        EXPECT_EQ(static_cast<int>(wall_rows(w, back.horizontal).size()), test::listed_bars(ctx->bar_list, "W3"));
        EXPECT_EQ(static_cast<int>(wall_rows(w, front.horizontal).size()), test::listed_bars(ctx->bar_list, "W4"));
        EXPECT_EQ(static_cast<int>(back.hanging.size()), cap_bars(w));
        EXPECT_EQ(static_cast<int>(front.hanging.size()), cap_bars(w));
        EXPECT_EQ(static_cast<int>(front.tie_strokes.size()) / 2, ctx->bar_list.fixed(BarList::kS1).count);
        EXPECT_TRUE(back.tie_strokes.empty());
        // Each length class has its call-out, on the face of its mark: the bare mark for one class.
        std::set<std::string> scheduled, called_out;
        for (int row = 1; row <= 6; ++row) {
            if (ctx->bar_list.fixed(row).count > 0) scheduled.insert(ctx->bar_list.fixed(row).mark);
        }
        for (const test::DxfEntity& e : test::entities(ctx->canvas)) {
            if (e.type != "TEXT" || e.get(8) != "D-STR-HTXT") continue;
            const std::string m = e.get(1);
            if (m.starts_with("W1") || m.starts_with("W2")) called_out.insert(m);
        }
        EXPECT_EQ(called_out, scheduled);
        EXPECT_EQ(static_cast<int>(scheduled.size()), 2 * c.classes);
    }
}

TEST(WallElevations, EveryBarLiesInsideTheWall) {
    for (const Case& c : walls()) {
        SCOPED_TRACE(c.name);
        const auto ctx = test::draw_elevations(c.wall);
        const WallInput& w = ctx->input;
        const double x_left = w.end_cover_left - w.length_left;
        const double x_right = w.length_right - w.end_cover_right;
        // Rows under the slope end on the line from the top less cover at one bar end to the
        // other, which stands above the top less cover near the higher end by the slope times
        // the end cover.
        const double rise = std::fabs(w.height_right - w.height_left) / (w.length_left + w.length_right);
        const double row_end = rise * std::max(w.end_cover_left, w.end_cover_right);
        auto inside = [&](const test::Line& l, double tolerance, const char* kind) {
            for (const Point p : {Point{l.x1, l.y1}, Point{l.x2, l.y2}}) {
                EXPECT_GE(p.x, x_left - 0.5) << kind;
                EXPECT_LE(p.x, x_right + 0.5) << kind;
                EXPECT_GE(p.y, w.cover1 - 0.5) << kind;
                EXPECT_LE(p.y, wall_outline_top(w, p.x) - w.cover_wall_top + tolerance) << kind << " at x " << p.x;
            }
        };
        for (const auto face : {WallFace::back, WallFace::front}) {
            const test::FaceBars bars = test::face_bars(*ctx, face);
            for (const test::Line& l : bars.standing) inside(l, 0.5, "vertical bar");
            for (const test::Line& l : bars.hanging) inside(l, 1, "cap bar");
            for (const test::Line& l : bars.tie_strokes) inside(l, 0.5, "tie");
            for (const test::Line& l : wall_rows(w, bars.horizontal)) inside(l, row_end + 1, "horizontal bar");
        }
    }
}

bool has_group(const test::DxfEntity& e, int code) {
    for (const auto& [c, v] : e.groups) {
        if (c == code) return true;
    }
    return false;
}

// Which step of the drawing an entity belongs to, from its layer and where it lies.
int step_of(const test::DxfEntity& e, const RunContext& ctx) {
    const std::string& layer = e.get(8);
    const double front_y = wall_face_origin(ctx, WallFace::front).y;
    // The front face with its title and call-outs lies below the back face's bottom chain.
    const bool front = e.num(20) < front_y + 5500;
    const bool title = layer == "D-STR-HTXT" && has_group(e, 7) && e.get(7) == "KANJI";
    if (layer == "D-STR" || layer == "D-BMK" || title) return front ? 1 : 0;
    if (layer == "D-STR-STR1" && e.type == "LINE") {
        const double dx = e.num(11) - e.num(10);
        const double dy = e.num(21) - e.num(20);
        const double y1 = e.num(20) - (front ? front_y : wall_face_origin(ctx, WallFace::back).y);
        if (std::fabs(dx) == 50 && std::fabs(dy) == 50) return 7;  // ties
        if (dx == 0 && y1 == ctx.input.cover1 && dy > 0) return front ? 3 : 2;  // W1, W2
        if (dx == 0) return 6;                                                   // W5
        return front ? 5 : 4;                                                    // W3, W4
    }
    return -1;  // dimensions, chains and call-outs: checked separately
}

TEST(WallElevations, TheWorkFollowsItsFixedOrder) {
    const auto ctx = test::draw_elevations(test::example_wall("sloped"));
    const auto e = test::entities(ctx->canvas);
    int step = 0;
    std::size_t first_callout = e.size();
    for (std::size_t i = 0; i < e.size(); ++i) {
        const int s = step_of(e[i], *ctx);
        if (s < 0) {
            // Chains, dimensions and call-outs come with the frames or after every bar.
            if (step >= 2 && first_callout == e.size()) first_callout = i;
            continue;
        }
        EXPECT_GE(s, step) << "entity " << i;
        step = std::max(step, s);
        EXPECT_EQ(first_callout, e.size()) << "bar after the call-outs at entity " << i;
    }
    EXPECT_EQ(step, 7);
    EXPECT_LT(first_callout, e.size());
    // The first entity is the back-face outline from the lower left corner.
    EXPECT_EQ(e[0].get(8), "D-STR");
    EXPECT_EQ(e[0].num(10), ctx->layout.elevation_x - 6000);
}

TEST(WallElevations, AWallStartingAtTheReferencePointIsDrawn) {
    // No wall to the left of the reference point: the top keeps the slope of the right side.
    WallInput w = test::sloped_wall(2000, 2600);
    w.length_left = 0;
    w.end_cover_left = 0;
    w.wall_height = 2000;
    for (BarGroup* g : {&w.W1, &w.W2, &w.W5}) g->count[1] = g->count[2] = 0;
    const auto ctx = test::draw_elevations(w);
    const std::string& dxf = ctx->canvas.dxf_out.contents();
    const std::string& scr = ctx->canvas.scr_out.contents();
    for (const char* bad : {"nan", "inf", "NAN", "INF"}) {
        EXPECT_EQ(dxf.find(bad), std::string::npos) << bad;
        EXPECT_EQ(scr.find(bad), std::string::npos) << bad;
    }
    EXPECT_EQ(test::listed_bars(ctx->bar_list, "W1"), 8 + 26 + 1);  // zones 3 and 4 and the reference bar
    for (const test::Line& l : test::face_bars(*ctx, WallFace::front).hanging) {
        EXPECT_NEAR(l.y1, wall_outline_top(ctx->input, l.x1) - 100, 1);
    }
}

}  // namespace
}  // namespace lwall
