#include "schedule/bending_drawings.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "core/sjis.hpp"
#include "filled_bar_lists.hpp"

namespace lwall {
namespace {

const std::string kTimes(u8"×"_sj);
const std::string kAtLeast(u8"以上"_sj);

struct Label {
    std::string text;
    double x, y;
};

struct BendingDrawingsTest : ::testing::Test {
    std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();
    // Base points at 1:50: the title block, the back-face and the front-face horizontal bars.
    const Point b{44000, 22000}, h3{44000, 17500}, h4{64000, 17500};

    void draw() {
        ctx->canvas.state.dim_ext_gap = 100;
        draw_bending_drawings(*ctx);
    }
    std::vector<test::DxfEntity> drawn() const { return test::entities(ctx->canvas); }
    // The call-out labels in drawing order.
    std::vector<Label> labels() const {
        std::vector<Label> out;
        for (const auto& e : drawn()) {
            if (e.type == "TEXT" && e.get(1).find(kTimes) != std::string::npos) {
                out.push_back({e.get(1), e.num(10), e.num(20)});
            }
        }
        return out;
    }
    std::vector<std::string> label_texts() const {
        std::vector<std::string> out;
        for (const auto& l : labels()) out.push_back(l.text);
        return out;
    }
    // The bar lines (layer D-STR-STR1) that start at (x, y).
    std::vector<test::DxfEntity> bars_from(double x, double y) const {
        std::vector<test::DxfEntity> out;
        for (const auto& e : drawn()) {
            if (e.type == "LINE" && e.get(8) == "D-STR-STR1" && e.num(10) == x && e.num(20) == y) out.push_back(e);
        }
        return out;
    }
};

std::string label(const std::string& mark_count_size, const std::string& length, bool spaced = true) {
    return mark_count_size + (spaced ? " " : "") + kTimes + length;
}

TEST_F(BendingDrawingsTest, LevelWallWithOnePieceBarsUsesRowsSevenAndEight) {
    test::fill_level_wall(*ctx);
    draw();
    EXPECT_EQ(ctx->handed.wall_horizontal_drawn_rows, 2);
    const auto l = labels();
    ASSERT_EQ(l.size(), 2u + 2 + 7);
    // The vertical bars first, W1 at B + (3500, -1000) and W2 at B + (1000, -1000), labelled at x -700.
    EXPECT_EQ(l[0].text, label("W1   45-D16", " 2500"));
    EXPECT_EQ(l[0].x, b.x + 3500 - 700);
    EXPECT_EQ(l[0].y, b.y - 1000 - 1000);
    EXPECT_EQ(l[1].text, label("W2   48-D13", " 2000"));
    EXPECT_EQ(bars_from(b.x + 1000, b.y - 1000 + 50 + 1805).size(), 1u);  // W2 raised by 50
    EXPECT_EQ(l[2].text, label("W3-1 9-D13", " 9800"));
    EXPECT_EQ(l[2].x, h3.x - 200);
    EXPECT_EQ(l[3].text, label("W4-1 9-D16", " 9800"));
    EXPECT_EQ(l[3].x, h4.x - 200);
    EXPECT_EQ(l[3].y, h4.y - 1000);
    EXPECT_EQ(bars_from(h4.x, h4.y)[0].num(11), h4.x + 9800);
}

TEST_F(BendingDrawingsTest, LevelWallWithTwoPieceBarsUsesRowsSevenAndNine) {
    test::fill_level_wall(*ctx);
    ctx->input.max_bar_length = 7000;
    BarList& list = ctx->bar_list;
    list.piece(7) = test::bar_row("W3-1", "5", "D13", 9, 7000, 7000, 0, 0, 0.995);
    list.piece(8) = test::bar_row("W3-2", "5", "D13", 9, 3500, 3500, 0, 0, 0.995);
    list.piece(9) = test::bar_row("W4-1", "5", "D13", 9, 7000, 7000, 0, 0, 0.995);
    list.piece(10) = test::bar_row("W4-2", "5", "D13", 9, 3500, 3500, 0, 0, 0.995);
    draw();
    EXPECT_EQ(ctx->handed.wall_horizontal_drawn_rows, 4);
    const auto t = label_texts();
    // piece 1 = (floor((406.25 + 9800 - 7000) / 500) + 1) x 500 = 3500, row W3-2; piece 2 the
    // maximum 7000, row W3-1: each piece carries the mark of the row whose length it is.
    EXPECT_EQ(t[2], label("W3-2 9-D13", " 3500"));
    EXPECT_EQ(t[3], label("W3-1 9-D13", " 7000", false));
    EXPECT_EQ(t[4], label("W4-2 9-D13", " 3500"));
    EXPECT_EQ(t[5], label("W4-1 9-D13", " 7000", false));
}

TEST_F(BendingDrawingsTest, SplitOfARunOf7000WithAMaximumOf4500) {
    test::fill_level_wall(*ctx);
    WallInput& w = ctx->input;
    w.length_left = w.length_right = 3600;  // run 7200 - 200
    w.max_bar_length = 4500;
    ctx->bar_list.piece(7) = test::bar_row("W3-1", "5", "D13", 9, 4500, 4500, 0, 0, 0.995);
    ctx->bar_list.piece(8) = test::bar_row("W3-2", "5", "D13", 9, 3000, 3000, 0, 0, 0.995);
    draw();
    const auto l = labels();
    EXPECT_EQ(l[2].text, label("W3-2 9-D13", " 3000"));
    EXPECT_EQ(l[3].text, label("W3-1 9-D13", " 4500", false));
    EXPECT_EQ(l[2].x, h3.x + 1500);       // under the middle of piece 1, 0 ... 3000
    EXPECT_EQ(l[3].x, h3.x + 4750);       // and of piece 2, 2500 ... 7000
    bool lap = false, whole = false;
    for (const auto& e : drawn()) {
        if (e.type != "TEXT") continue;
        if (e.get(1) == "  400" + kAtLeast) lap = true;  // floor(406.25 / 10) x 10
        if (e.get(1) == " 7000") whole = true;
    }
    EXPECT_TRUE(lap);
    EXPECT_TRUE(whole);
    const auto second = bars_from(h3.x + 2500, h3.y + 20);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].num(11), h3.x + 7000);
}

TEST_F(BendingDrawingsTest, CapBarCountIsItsZoneCountsPlusOne) {
    test::fill_level_wall(*ctx);
    ctx->input.W5.count = {0, 3, 4, 0, 0, 2};
    draw();
    EXPECT_EQ(ctx->bar_list.fixed(BarList::kW5).count, 10);
    const auto t = label_texts();
    EXPECT_NE(std::find(t.begin(), t.end(), label("W5   10-D13", " 1410")), t.end());
}

TEST_F(BendingDrawingsTest, SlopedRowsAreSpacedByTheirNumber) {
    test::fill_level_wall(*ctx);
    ctx->input.height_right = 2600;
    HandedValues& h = ctx->handed;
    h.sloped_row_count = 4;
    h.sloped_back = {{5000, 4000, 3000, 2000}, {1, 1, 1, 1}};
    BarList& list = ctx->bar_list;
    list.piece(8) = {};  // on a sloped wall the twin of the one-piece front row, never printed
    for (int k = 1; k <= 4; ++k) {
        list.piece(8 + k) = test::bar_row("W3-" + std::to_string(k + 1), "5", "D13", 1, 6000 - 1000 * k, 6000 - 1000 * k);
    }
    list.piece(13) = test::bar_row("W3-6", "5", "D13", 1, 9818, 9818);  // along the top, one piece
    list.piece(14) = test::bar_row("W4-1", "5", "D13", 9, 9800, 9800);
    draw();
    // Four rows: 5000 apart from (35000 - 5000) / 2 down.
    for (int k = 1; k <= 4; ++k) {
        const auto bar = bars_from(h3.x, 15000 - 2500 * (k - 1));
        ASSERT_EQ(bar.size(), 1u) << k;
        EXPECT_EQ(bar[0].num(11), h3.x + 6000 - 1000 * k);
    }
    // The bar along the top below them, rising 600 over the run 9800.
    const auto top = bars_from(h3.x, (35000 - 5 * 5000) / 2 - 1000);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].num(11), h3.x + 9800);
    EXPECT_EQ(top[0].num(21), 4000 + 600);
    const auto t = label_texts();
    EXPECT_EQ(t[2], label("W3-1 9-D13", " 9800"));
    EXPECT_EQ(t[3], label("W3-2 1-D13", " 5000"));
    EXPECT_EQ(t[7], label("W3-6 1-D13", " 9818"));
    EXPECT_EQ(t[8], label("W4-1 9-D13", " 9800"));
}

TEST_F(BendingDrawingsTest, TwoPieceSlopedWallLabelsEachPieceWithItsOwnRow) {
    test::fill_sloped_example(*ctx, 9000);
    draw();
    EXPECT_EQ(ctx->handed.wall_horizontal_drawn_rows, 14);
    const auto t = label_texts();
    ASSERT_EQ(t.size(), 4u + 2 * (2 + 2 + 1 + 2) + 7 + 2);
    const std::vector<std::string> wall = {t.begin() + 4, t.begin() + 18};
    EXPECT_EQ(wall, (std::vector<std::string>{
                        label("W3-2 9-D13", " 3500"), label("W3-1 9-D13", " 9000", false),  // full row
                        label("W3-3 1-D13", " 3500"), label("W3-4 1-D13", " 4000", false),  // sloped row 1
                        label("W3-5 1-D13", " 1966"),                                       // sloped row 2
                        label("W3-7 1-D13", " 3500"), label("W3-6 1-D13", " 9000", false),  // along the top
                        label("W4-2 9-D13", " 3500"), label("W4-1 9-D13", " 9000", false),
                        label("W4-3 1-D13", " 3500"), label("W4-4 1-D13", " 4000", false),
                        label("W4-5 1-D13", " 1966"),
                        label("W4-7 1-D13", " 3500"), label("W4-6 1-D13", " 9000", false)}));
}

TEST_F(BendingDrawingsTest, FrontFaceStartsOnItsFirstRowWhenOnlyTheBarAlongTheTopIsInTwoPieces) {
    // Run 11800 fits the maximum 11810, the bar along the sloped top (11815) does not.
    test::fill_sloped_example(*ctx, 11810);
    draw();
    EXPECT_EQ(ctx->handed.wall_horizontal_drawn_rows, 10);
    const auto t = label_texts();
    const std::vector<std::string> wall = {t.begin() + 4, t.begin() + 14};
    EXPECT_EQ(wall, (std::vector<std::string>{
                        label("W3-1 9-D13", "11800"), label("W3-2 1-D13", " 6883"), label("W3-3 1-D13", " 1966"),
                        label("W3-5 1-D13", "  500"), label("W3-4 1-D13", "11810", false),
                        label("W4-1 9-D13", "11800"), label("W4-2 1-D13", " 6883"), label("W4-3 1-D13", " 1966"),
                        label("W4-5 1-D13", "  500"), label("W4-4 1-D13", "11810", false)}));
    // The front face's full bar is drawn at H4 with the length of row 13.
    ASSERT_EQ(bars_from(h4.x, h4.y).size(), 1u);
}

TEST_F(BendingDrawingsTest, SlopedRowsTheBarListDoesNotHoldAreNotDrawn) {
    test::fill_sloped_example(*ctx, 11810);
    HandedValues& h = ctx->handed;
    h.sloped_row_count = 5;                       // more rows than either list describes
    h.sloped_front = {{6883}, {1}};
    BarList& list = ctx->bar_list;
    for (int r = 13; r < list.piece_row_end(); ++r) list.piece(r) = {};  // the front face never filled
    draw();
    // Back face: 1 + 2 sloped + 2 along the top; front face: nothing.
    EXPECT_EQ(h.wall_horizontal_drawn_rows, 5);
    for (const auto& text : label_texts()) EXPECT_NE(text.substr(0, 2), "W4") << text;
    for (const auto& l : labels()) EXPECT_FALSE(l.text.starts_with(" ")) << "a label without a mark";
}

TEST_F(BendingDrawingsTest, StraightFootingBarsAreDrawnFromTheirFirstLeg) {
    test::fill_level_wall(*ctx);
    ctx->bar_list.fixed(BarList::kF3).len1 = 9700;  // the length drawn is Ｌ１, not the run
    draw();
    const Point f3{20900 - 5000, 20750 - 16000};   // table_x - 5000, elevation_y - 16000
    const auto bar = bars_from(f3.x, f3.y);
    ASSERT_EQ(bar.size(), 1u);
    EXPECT_EQ(bar[0].num(11), f3.x + 9700);
    const auto t = label_texts();
    EXPECT_NE(std::find(t.begin(), t.end(), label("F3   9-D13", " 9800")), t.end());
}

TEST_F(BendingDrawingsTest, SplitFootingBarsNameBothRows) {
    test::fill_sloped_example(*ctx, 9000);
    draw();
    const auto t = label_texts();
    // piece 1 = (floor((500 + 11800 - 9000) / 500) + 1) x 500 = 3500 (D16, lap 500), the row of the
    // second piece; piece 2 the maximum, the row of the first; 15 F3 and 12 F4 bars.
    for (const std::string bar : {"F3-2 15", "F4-2 12"}) {
        EXPECT_NE(std::find(t.begin(), t.end(), label(bar + "-D16", " 3500")), t.end()) << bar;
    }
    for (const std::string bar : {"F3-1 15", "F4-1 12"}) {
        EXPECT_NE(std::find(t.begin(), t.end(), label(bar + "-D16", " 9000", false)), t.end()) << bar;
    }
    bool lap = false;
    for (const auto& e : drawn()) lap = lap || (e.type == "TEXT" && e.get(1) == " 500" + kAtLeast);
    EXPECT_TRUE(lap);
}

TEST_F(BendingDrawingsTest, OtherBarsAtTheirPlacesWithTheLegsOfTheSchedule) {
    test::fill_level_wall(*ctx);
    draw();
    const double e = 24800 + 15000, ey = 20750;  // elevation_x + 15000, elevation_y
    std::map<std::string, Point> at;
    for (const auto& l : labels()) at[l.text.substr(0, l.text.find(' '))] = {l.x + 200, l.y + 1000};
    EXPECT_EQ(at["W5"].x, e);
    EXPECT_EQ(at["W5"].y, ey - 12000);
    EXPECT_EQ(at["F1"].y, ey + 4000);
    EXPECT_EQ(at["F2"].y, ey);
    EXPECT_EQ(at["S1"].y, ey - 4000);
    EXPECT_EQ(at["S2"].y, ey - 8000);
    // S2: hooks of 101.5 print as 102, so its width 329 prints as 990 - 2 x 102 - 2 x 229 = 328,
    // as in the schedule.
    bool s2_hook = false, s2_width = false;
    for (const auto& x : drawn()) {
        s2_hook = s2_hook || (x.type == "TEXT" && x.get(1) == "  102");
        s2_width = s2_width || (x.type == "TEXT" && x.get(1) == "  328");
    }
    EXPECT_TRUE(s2_hook);
    EXPECT_TRUE(s2_width);
    const auto title = drawn()[0];
    EXPECT_EQ(title.get(1), std::string(u8"鉄 筋 加 工 図"_sj));
    EXPECT_EQ(title.num(10), b.x + 5000);
    EXPECT_EQ(title.num(20), b.y + 3000);
}

TEST_F(BendingDrawingsTest, TwoLengthClassesDrawFourVerticalBars) {
    test::fill_sloped_example(*ctx, 9000);
    draw();
    const auto l = labels();
    EXPECT_EQ(l[0].text, label("W1-1 24-D16", " 2000"));
    EXPECT_EQ(l[0].x, b.x + 2500 - 700);
    EXPECT_EQ(l[1].text, label("W2-1 24-D13", " 2000"));
    EXPECT_EQ(l[1].x, b.x - 700);
    EXPECT_EQ(l[2].x, b.x + 8500 - 700);
    EXPECT_EQ(l[3].x, b.x + 6000 - 700);
    EXPECT_EQ(bars_from(b.x + 8500, b.y + 2260).size(), 1u);  // W1-2, straight part 2260 from the corner
}

}  // namespace
}  // namespace lwall
