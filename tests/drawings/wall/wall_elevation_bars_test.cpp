#include "drawings/wall/wall_elevation_bars.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "drawings/wall/wall_test_support.hpp"

namespace lwall {
namespace {

// Number of ties in each column (by x), read from the drawn strokes of the front face.
std::map<double, int> ties_per_column(const RunContext& ctx) {
    std::map<double, int> columns;
    const std::vector<test::Line> strokes = test::face_bars(ctx, WallFace::front).tie_strokes;
    for (std::size_t i = 0; i < strokes.size(); i += 2) ++columns[strokes[i].x2];  // the first stroke ends on the bar
    return columns;
}

TEST(WallTies, ColumnsStopUnderTheTopLess400) {
    // Level wall: odd columns from 300 + 4 x 250, even ones from 300 + 2 x 250, every 1000,
    // while not above 2400 - 400.
    const auto ctx = test::draw_elevations(test::level_wall());
    const std::map<double, int> columns = ties_per_column(*ctx);
    // Every W2 bar but the two end ones: from the left end cover, 18 spacings of 150 (zone 1),
    // 11 of 200 (zone 2), the reference bar, 6 of 300 and 12 of 250.
    std::vector<double> bars = {-4900};
    for (const auto& [pitch, count] : {std::pair{150.0, 18}, {200.0, 11}, {300.0, 6}, {250.0, 12}}) {
        for (int i = 0; i < count; ++i) bars.push_back(bars.back() + pitch);
    }
    ASSERT_EQ(bars.size(), 48u);
    ASSERT_EQ(columns.size(), 46u);
    int position = 2;
    for (const auto& [x, n] : columns) {
        EXPECT_EQ(x, bars[static_cast<std::size_t>(position - 1)]) << "position " << position;
        EXPECT_EQ(n, position % 2 == 1 ? 1 : 2) << x;
        ++position;
    }
    EXPECT_EQ(ctx->bar_list.fixed(BarList::kS1).count, 23 * 1 + 23 * 2);
    // Only the count of row 51 is written here.
    EXPECT_FALSE(ctx->bar_list.fixed(BarList::kS1).used());
}

TEST(WallTies, NoColumnTakesMoreThanTenTies) {
    WallInput w = test::level_wall();
    w.wall_height = w.height_left = w.height_right = 2600;
    w.W4.pitch[1] = 50;  // a tie every 200: up to 2300 and 2200, under 2600
    const auto ctx = test::draw_elevations(w);
    for (const auto& [x, n] : ties_per_column(*ctx)) EXPECT_EQ(n, 10) << x;
    EXPECT_EQ(ctx->bar_list.fixed(BarList::kS1).count, 46 * 10);
}

TEST(WallTies, ColumnsFollowTheSlopedTop) {
    const auto ctx = test::draw_elevations(test::example_wall("sloped"));
    const std::map<double, int> columns = ties_per_column(*ctx);
    // Left end, top 2450 + 25: even column from 850, odd from 1350, a tie every 1000 up to 2075.
    EXPECT_EQ(columns.at(-5500), 2);
    EXPECT_EQ(columns.at(-5250), 1);
    // Right end, top near 3050: 850, 1850 and 1350, 2350.
    EXPECT_EQ(columns.at(5500), 2);
    EXPECT_EQ(columns.at(5250), 2);
    int total = 0;
    for (const auto& [x, n] : columns) total += n;
    EXPECT_EQ(ctx->bar_list.fixed(BarList::kS1).count, total);
}

TEST(WallCapBars, LevelTopHasLegsByTheRuleOfASlopedTop) {
    const auto ctx = test::draw_elevations(test::level_wall());
    // The top less cover_wall_top at 2300, bars from cover1 = 100: W2 (piece 1805) leaves the most,
    // 2300 - 100 - 1805 = 395, and the legs reach 20 x 13 below it. Each face has its W5 zones and
    // the middle bar.
    EXPECT_EQ(ctx->bar_list.fixed(2).len1, 1805);
    EXPECT_EQ(ctx->handed.w5_leg_length, 395 + 260);
    for (const auto face : {WallFace::back, WallFace::front}) {
        const auto hanging = test::face_bars(*ctx, face).hanging;
        ASSERT_EQ(hanging.size(), 14u + 7 + 16 + 11 + 1);
        for (const test::Line& l : hanging) {
            EXPECT_EQ(l.y1, 2300);
            const bool middle = face == WallFace::back ? l.x1 == 0 : l.x1 == -ctx->input.W5.opt[1];
            // The middle bar spans the difference of the W1 and W2 tops, (2296 - 1905) + 260, in
            // whole 50 mm.
            EXPECT_EQ(l.y1 - l.y2, middle ? 650 : 655) << l.x1;
            EXPECT_GE(l.x1, -4900);
            EXPECT_LE(l.x1, 4900);
        }
    }
}

TEST(WallCapBars, LegsReachTwentyDiametersBelowTheTopOfEveryClass) {
    const auto ctx = test::draw_elevations(test::example_wall("sloped"));
    // Class 2 (right side) measured 100 from the right end: 2945 - 100 - 2260 = 585 for W1; class 1
    // at its bar nearest the higher end, the reference bar: 2650 - 100 - 1760 = 790. Plus 20 x 13.
    EXPECT_EQ(ctx->handed.w5_leg_length, 1050);
    for (const auto face : {WallFace::back, WallFace::front}) {
        const std::vector<test::Line> hanging = test::face_bars(*ctx, face).hanging;
        ASSERT_EQ(hanging.size(), 47u);
        for (const test::Line& l : hanging) {
            EXPECT_NEAR(l.y1, wall_outline_top(ctx->input, l.x1) - 100, 1);
            const bool middle = face == WallFace::back ? l.x1 == 0 : l.x1 == -ctx->input.W5.opt[1];
            // The middle bar spans the largest difference of the class tops (2405 - 1860) + 260,
            // in whole 50 mm.
            EXPECT_NEAR(l.y1 - l.y2, middle ? 800 : 1050, 1) << l.x1;
        }
    }
}

TEST(WallCapBars, OffsetsShiftTheFirstBarsOfTheirZones) {
    // W5: zone 3 10 x 200 and zone 4 13 x 300 to the right, zone 2 8 x 250 and zone 1 26 x 150 to
    // the left.
    WallInput w = test::sloped_wall(2000, 2600);
    w.W5.opt[1] = 30;
    w.W5.opt[2] = 20;
    w.W5.opt[3] = 40;
    const auto ctx = test::draw_elevations(w);
    std::vector<double> back;
    for (const test::Line& l : test::face_bars(*ctx, WallFace::back).hanging) back.push_back(l.x1);
    ASSERT_EQ(back.size(), 10u + 13 + 1 + 8 + 26);
    // Zone 3 from 200 - 20 on, zone 4 from 10 x 200 + 300 + 40 on, the middle bar, zone 2 from
    // -250 on and zone 1 from -2150 on.
    EXPECT_EQ(back[0], 180);
    EXPECT_EQ(back[9], 1980);
    EXPECT_EQ(back[10], 2340);
    EXPECT_EQ(back[11], 2640);
    EXPECT_EQ(back[23], 0);
    EXPECT_EQ(back[24], -250);
    EXPECT_EQ(back[31], -2000);
    EXPECT_EQ(back[32], -2150);
    std::vector<double> front;
    for (const test::Line& l : test::face_bars(*ctx, WallFace::front).hanging) front.push_back(l.x1);
    ASSERT_EQ(front.size(), back.size());
    // Zones 2 and 1 shifted 30 to the left, the middle bar at -30, zones 3 and 4 on their grid.
    EXPECT_EQ(front[0], -280);
    EXPECT_EQ(front[7], -2030);
    EXPECT_EQ(front[8], -2180);
    EXPECT_EQ(front[34], -30);
    EXPECT_EQ(front[35], 200);
    EXPECT_EQ(front[45], 2300);
}

TEST(WallVerticalBars, EachClassStandsOnCover1WithItsLength) {
    const auto ctx = test::draw_elevations(test::sloped_wall(1000, 2500));
    for (const auto face : {WallFace::back, WallFace::front}) {
        const int first_row = face == WallFace::back ? 1 : 2;
        std::map<double, int> by_length;
        for (const test::Line& l : test::face_bars(*ctx, face).standing) {
            EXPECT_EQ(l.y1, 100);
            ++by_length[l.y2 - l.y1];
        }
        std::map<double, int> expected;
        for (int c = 0; c < 3; ++c) {
            const ScheduleRow& r = ctx->bar_list.fixed(first_row + 2 * c);
            expected[r.len1] += r.count;
        }
        --expected[ctx->bar_list.fixed(first_row + 2).len1];  // the reference bar has no line
        EXPECT_EQ(by_length, expected);
    }
}

}  // namespace
}  // namespace lwall
