#include "drawings/wall/wall_bar_lengths.hpp"

#include <gtest/gtest.h>

#include <array>

#include "core/bar_rules.hpp"
#include "drawings/wall/wall_test_support.hpp"

namespace lwall {
namespace {

TEST(WallBarAnchorLeg, FifteenDiametersOrTheRoomInTheFooting) {
    WallInput w;
    w.cover1 = 100;
    w.footing_thickness = 400;
    EXPECT_EQ(wall_bar_anchor_leg(w, 13, 2), 195);  // 14 x 13 = 182 is less than 15 d
    w.footing_thickness = 250;
    EXPECT_EQ(wall_bar_anchor_leg(w, 13, 2), 338);  // (410 - 111 + 39) / 13 = 26 diameters
    w.footing_thickness = 450;
    EXPECT_EQ(wall_bar_anchor_leg(w, 16, 2), 240);  // 15.375 rounds down to 15 diameters
    w.footing_thickness = 400;
    EXPECT_EQ(wall_bar_anchor_leg(w, 16, 2), 304);  // exactly 18.5 diameters round up to 19
}

TEST(FitBarTo500, LegPlusPieceIsTheLargestMultipleOf500) {
    WallInput w;
    w.cover1 = 100;
    const WallBarClass a = fit_bar_to_500(w, 2720, 195);  // 2620 of room
    EXPECT_EQ(a.piece, 2305);
    EXPECT_EQ(a.leg, 195);
    EXPECT_EQ(fit_bar_to_500(w, 2905, 195).piece, 2805);  // 2805 + 195 = 3000 is kept
    EXPECT_EQ(fit_bar_to_500(w, 2904, 195).piece, 2305);
}

// Rows 1-6 as (mark, count, len1, len2, total).
struct Row {
    std::string mark;
    int count;
    double len1, len2, total;
    bool operator==(const Row&) const = default;
};
std::vector<Row> vertical_rows(const RunContext& ctx) {
    std::vector<Row> rows;
    for (int r = 1; r <= 6; ++r) {
        const ScheduleRow& s = ctx.bar_list.fixed(r);
        if (s.used()) rows.push_back({s.mark, s.count, s.len1, s.len2, s.total_length});
    }
    return rows;
}

void PrintTo(const Row& r, std::ostream* os) {
    *os << r.mark << " " << r.count << " " << r.len1 << "+" << r.len2 << "=" << r.total;
}

std::unique_ptr<RunContext> laid_out(const WallInput& w, WallVerticalBars* out = nullptr) {
    auto ctx = std::make_unique<RunContext>();
    ctx->input = w;
    const WallVerticalBars bars = lay_out_wall_vertical_bars(*ctx);
    if (out != nullptr) *out = bars;
    return ctx;
}

TEST(WallVerticalRows, LevelTopHasOneClassOfEveryBar) {
    const auto ctx = laid_out(test::level_wall());
    // W1 D16 on a 400 footing: leg 304, 2200 + 304 -> 2500; W2 D13: leg 195, 2395 -> 2000. The
    // bars of the four zones and the reference bar: 9 + 8 + 12 + 15 + 1 and 18 + 11 + 6 + 12 + 1.
    const std::vector<Row> expected = {{"W1", 45, 2196, 304, 2500}, {"W2", 48, 1805, 195, 2000}};
    EXPECT_EQ(vertical_rows(*ctx), expected);
    EXPECT_EQ(ctx->handed.wall_vertical_row_kinds, 1);
    EXPECT_EQ(ctx->handed.wall_vertical_class_count, 1);
    EXPECT_EQ(ctx->bar_list.fixed(1).unit_mass, 1.56);
    EXPECT_EQ(ctx->bar_list.fixed(2).size_text, "D13");
    EXPECT_EQ(ctx->bar_list.fixed(1).shape_code, "1");
}

TEST(WallVerticalRows, SlopedExampleHasTwoClassesSplitAtTheReferencePoint) {
    RunContext ctx;
    ctx.input = test::example_wall("sloped");
    EXPECT_EQ(wall_bar_class_count(ctx.input, ctx.handed), 2);
    const auto laid = laid_out(ctx.input);
    // Class 1 under the lower (left) end, 2350; class 2 under the mean height, 2650. The left side
    // (zones 2 and 1, 23 bars) and the reference bar take class 1, the right side class 2.
    const std::vector<Row> expected = {{"W1-1", 24, 1760, 240, 2000},
                                       {"W2-1", 24, 1805, 195, 2000},
                                       {"W1-2", 23, 2260, 240, 2500},
                                       {"W2-2", 23, 2305, 195, 2500}};
    EXPECT_EQ(vertical_rows(*laid), expected);
    EXPECT_EQ(laid->handed.wall_vertical_row_kinds, 2);
    EXPECT_EQ(laid->handed.wall_vertical_class_count, 2);
    // The bending drawings read the same lengths from the handed classes.
    EXPECT_EQ(laid->handed.wall_bar_classes.w1[2].piece, 2260);
    EXPECT_EQ(laid->handed.wall_bar_classes.w2[1].leg, 195);
    EXPECT_NEAR(laid->handed.class_zone_limit, 5900 - 3000, 1e-9);
}

TEST(WallVerticalRows, ReversedSlopeGivesTheLowerEndClassToTheRightSide) {
    WallInput w = test::example_wall("sloped");
    std::swap(w.height_left, w.height_right);
    w.W1.count[3] = 5;  // make the sides differ: 23 bars on the left, 17 on the right
    w.W2.count[3] = 5;
    const auto ctx = laid_out(w);
    ASSERT_EQ(ctx->handed.wall_vertical_class_count, 2);
    EXPECT_EQ(ctx->bar_list.fixed(1).count, 18);  // the right side and the reference bar
    EXPECT_EQ(ctx->bar_list.fixed(3).count, 23);
    EXPECT_EQ(ctx->bar_list.fixed(1).len1, 1760);
}

TEST(WallVerticalRows, OneMarkWithOneClassForcesOneClassForBoth) {
    WallInput w = test::example_wall("sloped");
    w.W1.dia = 19;  // leg 361: 2250 + 361 and 2550 + 361 both fit 2500
    RunContext ctx;
    ctx.input = w;
    EXPECT_EQ(wall_bar_class_count(w, ctx.handed), 1);
    const auto laid = laid_out(w);
    const std::vector<Row> expected = {{"W1", 47, 2139, 361, 2500}, {"W2", 47, 1805, 195, 2000}};
    EXPECT_EQ(vertical_rows(*laid), expected);
}

TEST(WallVerticalRows, ShallowSlopeKeepsOneClassUnderTheLowerEnd) {
    const auto ctx = laid_out(test::sloped_wall(2060, 2500));
    // Every bar under the lower end (2410): 13 + 10 + 8 + 26 + 1 and 19 + 14 + 7 + 38 + 1.
    const std::vector<Row> expected = {{"W1", 58, 2260, 240, 2500}, {"W2", 79, 2305, 195, 2500}};
    EXPECT_EQ(vertical_rows(*ctx), expected);
    EXPECT_EQ(ctx->handed.wall_vertical_row_kinds, 1);
}

TEST(WallVerticalRows, SteepSlopeHasThreeClasses) {
    WallVerticalBars bars;
    const auto ctx = laid_out(test::sloped_wall(1000, 2500), &bars);
    // The top less cover is 2100 + x / 8. Middle zone, in bars each side: W2 14 (14 x 150 >
    // 3933 / 2), W1 10 (10 x 200; its 2000 differ from W2's 2100, whose 10.5 W1 spacings hold
    // 10 bars). Class 1: the other bars of the lower left side, under the left end (1350).
    // Class 2: the reference bar and the middle zone, under the top at its leftmost bar: W1 at
    // -2000 (1850), W2 at -2100 (1837.5). Class 3: the other bars of the right side, under the
    // top at its first bar: W1 at 8 x 250 + 3 x 150 = 2450 (2406.25), W2 at 7 x 300 + 8 x 100 =
    // 2900 (2462.5).
    const std::vector<Row> expected = {{"W1-1", 13, 760, 240, 1000},  {"W2-1", 19, 805, 195, 1000},
                                       {"W1-2", 21, 1260, 240, 1500}, {"W2-2", 29, 1305, 195, 1500},
                                       {"W1-3", 24, 2260, 240, 2500}, {"W2-3", 31, 2305, 195, 2500}};
    EXPECT_EQ(vertical_rows(*ctx), expected);
    EXPECT_EQ(ctx->handed.wall_vertical_class_count, 3);
    EXPECT_EQ(ctx->handed.wall_vertical_row_kinds, 3);
    EXPECT_EQ(bars.w1.left_class[9], 2);
    EXPECT_EQ(bars.w1.left_class[10], 1);
    EXPECT_EQ(bars.w1.right_class[9], 2);
    EXPECT_EQ(bars.w1.right_class[10], 3);
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(ctx->handed.wall_bar_classes.w2[c].piece, ctx->bar_list.fixed(2 * c).len1);
    // The shared totals in slots 1, 3 and 5: leg plus piece of the three trial classes. Slot 1 from
    // the lower end (1350: 1250 + 240 -> 1000); slot 5 from the top at m x s2 = 2000 toward the lower
    // side of the reference point (1850: 1750 + 240 -> 1500).
    const auto& totals = ctx->handed.wall_bar_classes.wall_bar_totals;
    EXPECT_EQ(totals[0], 0);
    EXPECT_EQ(totals[1], 1000);
    EXPECT_EQ(totals[5], 1500);

    // Falling to the right: class 1 on the right side, class 3 on the left. The top less cover is
    // 2100 - x / 8; class 2 stands under it at its rightmost bar, W1 at 8 x 250 + 2 x 150 = 2300
    // (1812.5), W2 at 2800 (1750); class 3 at its first bar on the left, at -2300 for both
    // (2387.5: W1 2527.5 -> 2500, W2 2482.5 -> 2000).
    const auto reversed = laid_out(test::sloped_wall(2500, 1000));
    const std::vector<Row> reversed_rows = {{"W1-1", 24, 760, 240, 1000},  {"W2-1", 31, 805, 195, 1000},
                                            {"W1-2", 21, 1260, 240, 1500}, {"W2-2", 29, 1305, 195, 1500},
                                            {"W1-3", 13, 2260, 240, 2500}, {"W2-3", 19, 1805, 195, 2000}};
    EXPECT_EQ(vertical_rows(*reversed), reversed_rows);
    // Falling: slot 3 from the top at J = 3900 from the left end (1837.5 -> 1500), slot 5 at 2000 the
    // other way from the reference point (2350 -> 2000).
    EXPECT_EQ(reversed->handed.wall_bar_classes.wall_bar_totals, (std::array<double, 6>{0, 1000, 0, 1500, 0, 2000}));
    EXPECT_EQ(reversed->handed.wall_vertical_row_kinds, 4);
}

// Every bar of every class stands under the top less its cover, also where the reference point
// is far from the middle of the wall and the mean height lies over the higher side.
TEST(WallVerticalRows, NoClassStandsIntoTheTopCover) {
    WallInput w = test::sloped_wall(1455, 2655);
    w.length_left = 1500;
    w.length_right = 10500;
    w.wall_height = 1455 + 1200.0 * 1500 / 12000;  // the top through the reference point
    for (BarGroup* g : {&w.W1, &w.W2}) {
        g->count = {0, 0, 5, 41, 0, 0};  // 1250 to the left (zone 2), 10250 to the right (zone 3)
        g->pitch = {0, 250, 250, 250, 250, 0};
    }
    WallVerticalBars bars;
    const auto ctx = laid_out(w, &bars);
    ASSERT_EQ(bars.classes, 2);
    for (const VerticalBarLayout* v : {&bars.w1, &bars.w2}) {
        v->for_each_bar([&](double x, int c) {
            EXPECT_LE(w.cover1 + v->cls[c].piece, wall_outline_top(w, x) - w.cover_wall_top) << "bar at " << x;
        });
    }
    // The mean height alone (2055 + 450 - 100 = 2405) would give W2 2305, standing up to 2405 at
    // x = 250, where the top less cover is 1980.
    EXPECT_EQ(ctx->bar_list.fixed(4).len1, 1805);
    EXPECT_EQ(ctx->bar_list.fixed(3).len1, 1760);

    // The reference point far right of the middle: class 2 stands on the right side, whose lowest
    // bar's top lies well above the mean height; the mean height is what class 2 is fitted to.
    std::swap(w.length_left, w.length_right);
    w.wall_height = 1455 + 1200.0 * 10500 / 12000;
    for (BarGroup* g : {&w.W1, &w.W2}) g->count = {0, 0, 41, 5, 0, 0};
    const auto right = laid_out(w, &bars);
    ASSERT_EQ(bars.classes, 2);
    // The mean height less cover, 2405, gives W1 2260 and W2 2305; the top over the lowest bar of
    // class 2 (at 250 right of the reference point: 2530 + 450 - 100 = 2880) would give W1 2760.
    EXPECT_EQ(right->bar_list.fixed(3).len1, 2260);
    EXPECT_EQ(right->bar_list.fixed(4).len1, 2305);
}

}  // namespace
}  // namespace lwall
