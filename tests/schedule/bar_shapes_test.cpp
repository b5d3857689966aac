#include <gtest/gtest.h>

#include <cmath>

#include "core/sjis.hpp"
#include "filled_bar_lists.hpp"
#include "output/primitives/primitives.hpp"
#include "schedule/bar_shape_labels.hpp"
#include "schedule/bar_shapes.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

const std::string kTimes(u8"×"_sj);

struct BarShapeTest : ::testing::Test {
    Canvas cv;
    ShapePoints s;
    void SetUp() override {
        cv.pen = {"D-STR-STR1", 2, 0.35};
        cv.state.dim_ext_gap = 100;
    }
    std::vector<test::DxfEntity> drawn() const { return test::entities(cv); }
    std::vector<test::DxfEntity> drawn(const std::string& type) const {
        std::vector<test::DxfEntity> out;
        for (auto& e : drawn()) {
            if (e.type == type) out.push_back(e);
        }
        return out;
    }
    std::vector<std::string> script() const { return test::crlf_lines(cv.scr_out.contents()); }
    // The first TEXT whose content is `text`.
    test::DxfEntity text(const std::string& content) const {
        for (auto& e : drawn("TEXT")) {
            if (e.get(1) == content) return e;
        }
        ADD_FAILURE() << "no text " << content;
        return {};
    }
};

void expect_line(const test::DxfEntity& e, double x1, double y1, double x2, double y2) {
    ASSERT_EQ(e.type, "LINE");
    EXPECT_EQ(e.num(10), x1);
    EXPECT_EQ(e.num(20), y1);
    EXPECT_EQ(e.num(11), x2);
    EXPECT_EQ(e.num(21), y2);
}

TEST_F(BarShapeTest, TypeOneBarIsTwoLinesWithItsDimensionsRightOfAndBelowTheFoot) {
    set_origin(cv, 1000, 500);
    draw_shape_1(cv, s, 2000, 400, 1);
    auto e = drawn();
    ASSERT_EQ(e.size(), 2u);
    expect_line(e[0], 1000, 2500, 1000, 500);
    expect_line(e[1], 1000, 500, 1400, 500);

    cv.pen = {"D-STR-DIM", 3, 0.25};
    const auto w1 = test::bar_row("W1", "1", "D16", 5, 3500, 2000, 400);
    label_shape_1(cv, s, " 2000", "  400", w1);
    e = drawn();
    // Vertical: from beside the foot's end out to x = 400 + 700, up, and back to the top.
    expect_line(e[2], 1000 + 500, 500, 1000 + 1100, 500);
    expect_line(e[3], 1000 + 1100, 500, 1000 + 1100, 2500);
    expect_line(e[4], 1000 + 1100, 2500, 1000 + 100, 2500);
    const auto v = e[9];
    EXPECT_EQ(v.get(1), " 2000");
    EXPECT_EQ(v.num(50), 90);
    EXPECT_EQ(v.num(10), 1000 + 1050);
    EXPECT_EQ(v.num(20), 1188);  // centred: 500 + 1000 - 5 bytes x 125 / 2, a half rounded up
    // Horizontal: below the foot at y = -700.
    expect_line(e[10], 1000, 500 - 100, 1000, 500 - 700);
    expect_line(e[11], 1000, 500 - 700, 1400, 500 - 700);
    EXPECT_EQ(e[17].get(1), "  400");
    EXPECT_EQ(e[17].num(20), 500 - 650);
    // The call-out label at x -700 with its circle about the mark; the count stands clear of the
    // circle, 3 blanks (187.5) after the mark, where the circle ends 145 past it.
    const auto label = e[18];
    EXPECT_EQ(label.get(1), "W1   5-D16 " + kTimes + " 3500");
    EXPECT_EQ(label.get(7), "KANJI");
    EXPECT_EQ(label.get(40), "125");
    EXPECT_EQ(label.num(10), 300);
    EXPECT_EQ(label.num(20), -500);
    EXPECT_EQ(label.num(11), 800);
    ASSERT_EQ(e[19].type, "CIRCLE");
    EXPECT_EQ(e[19].num(10), 1000 - 580);
    EXPECT_EQ(e[19].num(20), 500 - 925);
    EXPECT_EQ(e[19].num(40), 150);
    ASSERT_EQ(e.size(), 20u);
    // The script measures from the top of the leg to the foot's end, then the foot.
    EXPECT_EQ(script(), (std::vector<std::string>{"dimlinear  1000, 2500  1400,  500 M  2000", " 2100,  500 ",
                                                  "dimlinear  1000,  500  1400,  500 M   400", " 1400, -200 "}));
}

TEST_F(BarShapeTest, LegendPointsAreScaledBeforeTheLegsAreDimensioned) {
    draw_shape_1_raised(cv, s, 2000, 1000, 0.3);
    EXPECT_NEAR(s[1].x, 0, 1e-9);
    EXPECT_NEAR(s[1].y, 615, 1e-9);
    EXPECT_NEAR(s[2].y, 15, 1e-9);
    EXPECT_NEAR(s[3].x, 300, 1e-9);
    caption_shape_1(cv, s, "L1", "L2");
    const auto e = drawn();
    // The legend measures the vertical leg itself, 700 left of it, extensions 100 off the bar.
    expect_line(e[2], -100, 615, -700, 615);
    expect_line(e[4], -700, 15, -100, 15);
    const auto l1 = text("L1");
    EXPECT_EQ(l1.num(10), -750);
    EXPECT_EQ(l1.num(20), 315 - 125);  // "L1": two bytes, a shift of 125
    const auto l2 = text("L2");
    EXPECT_EQ(l2.num(10), 150 - 125);
    EXPECT_EQ(l2.num(20), 15 - 700 + 50);
    const auto caption = e.back();
    EXPECT_EQ(caption.get(1), std::string(u8"形 式 １"_sj));
    EXPECT_EQ(caption.get(40), "200");
    EXPECT_EQ(caption.num(10), -200);
    EXPECT_EQ(caption.num(20), -1000);
    EXPECT_EQ(caption.num(11), 300);
    EXPECT_EQ(drawn("CIRCLE").size(), 0u);
    EXPECT_EQ(script().size(), 4u);
}

TEST_F(BarShapeTest, LengthTextsAreCentredByTheirByteCount) {
    // " 1000" is five bytes: 312.5 left of the middle (-812.5, a half rounded away from zero).
    draw_shape_5(cv, s, -1000, 1);
    label_shape_5(cv, s, " 1000", test::bar_row("F3", "5", "D13", 9, 1000, 1000));
    EXPECT_EQ(text(" 1000").num(10), -813);
    EXPECT_EQ(text(" 1000").num(20), 750);
    // A double-byte character counts twice: "  400以上" is nine bytes.
    const std::string lap = std::string("  400") + std::string(u8"以上"_sj);
    ASSERT_EQ(lap.size(), 9u);
    Canvas other;
    other.state.dim_ext_gap = 100;
    ShapePoints a, b;
    draw_shape_5_lapped(other, a, b, 6000, 4500, " 1500", 1);
    label_shape_5_lapped(other, a, b, " 6000", " 4500", lap, " 1500", test::bar_row("W3-1", "5", "D13", 5, 4500, 4500),
                         test::bar_row("W3-1", "5", "D13", 5, 4500, 4500));
    int found = 0;
    for (const auto& e : test::entities(other)) {
        if (e.type != "TEXT" || e.get(1) != lap) continue;
        EXPECT_EQ(e.num(10), 3938);  // (4500 + 4500) / 2 - 562.5
        ++found;
    }
    EXPECT_EQ(found, 1);
}

TEST_F(BarShapeTest, InclinedBarRisesBetweenTheEndHeightsAndIsLevelWhenTheyAreEqual) {
    draw_shape_5_inclined(cv, s, 10000, 10000, 2000, 2600, 1);
    EXPECT_EQ(s[2].x, 10000);
    EXPECT_NEAR(s[2].y, 600, 1e-9);
    draw_shape_5_inclined(cv, s, 10000, 10000, 2000, 2000, 1);
    EXPECT_EQ(s[2].y, 0);
    label_shape_5_inclined(cv, s, "10000", test::bar_row("W3-6", "5", "D13", 1, 10000, 10000));
    // The aligned dimension 700 above and its script line point 700 above P1.
    EXPECT_EQ(text("10000").num(20), 750);
    EXPECT_EQ(script()[1], "    0,  700 ");
}

TEST_F(BarShapeTest, InclinedBarsWithNoRunWriteNoNan) {
    draw_shape_5_inclined(cv, s, 0, 0, 2000, 2600, 1);
    EXPECT_EQ(s[2].x, 0);
    EXPECT_EQ(s[2].y, 600);  // standing upright over the height difference
    label_shape_5_inclined(cv, s, "  600", test::bar_row("W3-3", "5", "D13", 1, 600, 600));
    ShapePoints a, b;
    draw_shape_5_lapped_inclined(cv, a, b, 0, 500, 2000, 4000, 1000, 1);
    label_shape_5_lapped_inclined(cv, a, b, " 2000", "  500", " 400", " 1000",
                                  test::bar_row("W3-4", "5", "D13", 1, 1000, 1000),
                                  test::bar_row("W3-4", "5", "D13", 1, 1000, 1000));
    for (const auto& e : drawn()) {
        for (const auto& [code, value] : e.groups) {
            EXPECT_EQ(value.find("nan"), std::string::npos) << e.type << " group " << code;
            EXPECT_EQ(value.find("inf"), std::string::npos) << e.type << " group " << code;
        }
    }
}

TEST_F(BarShapeTest, BothLabelsOfALappedBarNameTheRowTheCallerPasses) {
    ShapePoints a, b;
    set_origin(cv, 0, 0);
    draw_shape_5_lapped(cv, a, b, 6000, 4500, " 1500", 1);
    const auto lines = drawn();
    ASSERT_EQ(lines.size(), 2u);
    expect_line(lines[0], 0, 0, 4500, 0);
    expect_line(lines[1], 4500, 20, 6000, 20);  // the second piece, 20 up so that the lap shows

    const auto w31 = test::bar_row("W3-1", "5", "D13", 5, 4500, 4500);
    label_shape_5_lapped(cv, a, b, " 6000", " 4500", "  400", " 1500", w31, w31);
    const auto one = text("W3-1 5-D13 " + kTimes + " 4500");
    EXPECT_EQ(one.num(10), 2250);
    EXPECT_EQ(one.num(20), -1000);
    const auto two = text("W3-1 5-D13" + kTimes + " 1500");
    EXPECT_EQ(two.num(10), 5250);
    const auto circles = drawn("CIRCLE");
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].num(10), 2370);
    EXPECT_EQ(circles[0].num(20), -925);
    // Whole bar: line 1200 above P1, script line point 1500 above Q1; lap: line 700 below Q1.
    EXPECT_EQ(text(" 6000").num(20), 1250);
    EXPECT_EQ(text("  400").num(20), 20 - 700 + 50);
    const auto scr = script();
    ASSERT_EQ(scr.size(), 8u);
    EXPECT_EQ(scr[4], "dimlinear     0,    0  6000,   20 M  6000");
    EXPECT_EQ(scr[5], " 4500, 1520 ");
    EXPECT_EQ(scr[6], "dimlinear  4500,   20  4500,    0 M   400");
    EXPECT_EQ(scr[7], "    0, -700 ");
}

TEST_F(BarShapeTest, LappedInclinedBarsAreLabelledLower) {
    ShapePoints a, b;
    draw_shape_5_lapped_inclined(cv, a, b, 10000, 4000, 2000, 3000, 7000, 1);
    EXPECT_NEAR(a[2].y, 400, 1e-9);
    EXPECT_NEAR(b[1].x, 3000, 1e-9);
    EXPECT_NEAR(b[1].y, 320, 1e-9);
    EXPECT_NEAR(b[2].y, 1020, 1e-9);
    const auto bar = test::bar_row("W3-6", "5", "D13", 1, 7000, 7000);
    label_shape_5_lapped_inclined(cv, a, b, "10049", " 4000", " 400", " 7000", bar, bar);
    EXPECT_EQ(text("W3-6 1-D13 " + kTimes + " 4000").num(20), -1500);
    EXPECT_EQ(drawn("CIRCLE")[1].num(20), -1425);
    EXPECT_EQ(script().size(), 8u);
}

TEST_F(BarShapeTest, CrankedBarsAreDimensionedInTheDrawingOnly) {
    draw_shape_4(cv, s, 320, 1600, 250, 1);
    label_shape_4(cv, s, "  320", " 1600", "  250", test::bar_row("F1", "4", "D16", 36, 2170, 320, 1600, 250));
    draw_shape_4(cv, s, 500, 2000, 400, 0.3);
    caption_shape_4(cv, s, "L1", "L2", "L3");
    EXPECT_EQ(cv.scr_out.contents(), "");
    // The horizontal leg: line 700 below, its right extension from below the down leg, text 62.5 up.
    const auto e = drawn();
    expect_line(e[3], 0, -100, 0, -700);
    expect_line(e[5], 1600, -700, 1600, -350);
    EXPECT_EQ(text(" 1600").num(20), -638);
    // The legend's L2 runs 400 above P1.
    EXPECT_EQ(text("L2").num(20), 150 + 400 + 63);
}

TEST_F(BarShapeTest, CapAndHoopLegsAndTheLegendHoopTop) {
    draw_shape_6(cv, s, 1050, 150, 1);
    label_shape_6(cv, s, " 1050", "  150", test::bar_row("W5", "6", "D13", 10, 2250, 1050, 150));
    EXPECT_EQ(text("  150").num(20), 1100 + 400 + 50);  // the top 400 above
    EXPECT_EQ(script()[3], "  150, 1500 ");

    Canvas legend;
    legend.state.dim_ext_gap = 100;
    draw_shape_3(legend, s, 2000, 1000, 800, 0.3);
    caption_shape_3(legend, s, "L1", "L2", "L3");
    std::vector<test::DxfEntity> texts;
    for (const auto& e : test::entities(legend)) {
        if (e.type == "TEXT") texts.push_back(e);
    }
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[2].get(1), "L3");
    EXPECT_EQ(texts[2].num(20), 300 + 400 + 50);  // drawn 400 above the top ...
    const auto scr = test::crlf_lines(legend.scr_out.contents());
    ASSERT_EQ(scr.size(), 10u);
    EXPECT_EQ(scr[5], "  600, 1000 ");  // ... while the script's line point stays 700 above
    EXPECT_EQ(texts[5].get(1), std::string(u8"形 式 ３"_sj));
}

}  // namespace
}  // namespace lwall
