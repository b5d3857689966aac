#include <gtest/gtest.h>

#include "output/primitives/primitives.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

struct DimensionTest : ::testing::Test {
    Canvas cv;
    void SetUp() override { cv.pen = {"D-STR-DIM", 3, 0.25}; }
};

TEST_F(DimensionTest, VerticalDimensionIsThreeLinesFourTicksAndARotatedLabel) {
    cv.state.dim_text_style = "KANJI";
    draw_dim_vertical(cv, {-100, 1000}, {-100, 0}, {-1000, 1000}, {-1050, 437.5}, 125.9, " 1000");
    const auto e = test::entities(cv);
    ASSERT_EQ(e.size(), 8u);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(e[i].type, "LINE");
    // P1 -> (xd, yd) -> (xd, y2) -> P2
    EXPECT_EQ(e[0].num(10), -100);
    EXPECT_EQ(e[0].num(11), -1000);
    EXPECT_EQ(e[1].num(21), 0);
    EXPECT_EQ(e[2].num(11), -100);
    // The ticks open toward the inside of the dimension line.
    EXPECT_EQ(e[3].num(20), 1000);
    EXPECT_EQ(e[3].num(21), 950);
    EXPECT_EQ(e[5].num(20), 0);
    EXPECT_EQ(e[5].num(21), 50);
    const auto& label = e[7];
    EXPECT_EQ(label.type, "TEXT");
    EXPECT_EQ(label.get(40), "125");  // the height's whole part
    EXPECT_EQ(label.num(50), 90);
    EXPECT_EQ(label.get(7), "KANJI");
    EXPECT_EQ(label.get(62), "0");
    EXPECT_EQ(label.get(1), " 1000");
    EXPECT_EQ(label.num(10), -1050);
    EXPECT_EQ(label.num(21), 638);  // second point 200 above the first
}

TEST_F(DimensionTest, LabelsBeforeTheFootingPlanCarryTheStandardStyle) {
    draw_dim_horizontal(cv, {0, 0}, {1000, 0}, {0, -1000}, {437.5, -950}, 125, " 1000");
    const auto e = test::entities(cv);
    ASSERT_EQ(e.size(), 8u);
    EXPECT_EQ(e[7].get(7), "STANDARD");
    EXPECT_EQ(e[7].num(50), 0);
    EXPECT_EQ(e[7].num(11), 638);
    // ticks at both ends of the line from (0, -1000) to (1000, -1000), opening inward
    EXPECT_EQ(e[3].num(10), 0);
    EXPECT_EQ(e[3].num(11), 50);
    EXPECT_EQ(e[5].num(10), 1000);
    EXPECT_EQ(e[5].num(11), 950);
}

TEST_F(DimensionTest, HorizontalDimensionOfZeroWidthHasAnUprightLabel) {
    draw_dim_horizontal(cv, {0, 0}, {0, 0}, {0, -1000}, {0, -950}, 125, "    0");
    EXPECT_EQ(test::entities(cv)[7].num(50), 90);
}

TEST_F(DimensionTest, AlignedDimensionCentresItsOwnLabelAlongTheSlope) {
    draw_dim_aligned(cv, {0, 0}, {1000, 1000}, 700, 125, "L1");
    const auto e = test::entities(cv);
    ASSERT_EQ(e.size(), 8u);
    // O1 is 700 off P1 perpendicular, on the upper side.
    EXPECT_EQ(e[0].num(11), -495);
    EXPECT_EQ(e[0].num(21), 495);
    EXPECT_EQ(e[1].num(11), 505);
    EXPECT_EQ(e[1].num(21), 1495);
    EXPECT_EQ(e[7].num(50), 45);
    EXPECT_EQ(e[7].num(10), 375);  // 500 - 2 bytes x 125 / 2
    EXPECT_EQ(e[7].num(20), 1045);
}

}  // namespace
}  // namespace lwall
