#include <gtest/gtest.h>

#include "output/primitives/primitives.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

struct PrimitiveTest : ::testing::Test {
    Canvas cv;
    void SetUp() override {
        cv.pen = {"D-STR", 7, 0.5};
    }
    std::vector<test::DxfEntity> drawn() const { return test::entities(cv); }
};

TEST_F(PrimitiveTest, PolylineDrawsOneLineLessThanItsPointsWithTheCurrentPenAndOrigin) {
    set_origin(cv, 100, 200);
    draw_polyline(cv, {{0, 0}, {10, 0}, {10, 20}});
    const auto e = drawn();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].type, "LINE");
    EXPECT_EQ(e[0].get(8), "D-STR");
    EXPECT_EQ(e[0].get(62), "7");
    EXPECT_EQ(e[0].get(39), "0.500");
    EXPECT_EQ(e[1].num(10), 110);
    EXPECT_EQ(e[1].num(20), 200);
    EXPECT_EQ(e[1].num(11), 110);
    EXPECT_EQ(e[1].num(21), 220);
    draw_polyline(cv, {{0, 0}});
    EXPECT_EQ(drawn().size(), 2u);
}

TEST_F(PrimitiveTest, LineRepeatStepsTheLineAndLeavesTheCallersPointsMoved) {
    Point a{0, 250};
    Point b{1000, 250};
    draw_line_repeat(cv, a, b, 250, 3, 0, 1);
    const auto e = drawn();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].num(20), 250);
    EXPECT_EQ(e[2].num(20), 750);
    EXPECT_EQ(e[2].num(21), 750);
    EXPECT_EQ(a.y, 1000);
    EXPECT_EQ(b.x, 1000);
}

TEST_F(PrimitiveTest, TextsCarryColourZeroAndTheirAngles) {
    set_origin(cv, 1000, 0);
    draw_text(cv, 10, 20, 125, 0, "W1");
    draw_text_styled(cv, {0, 0}, {500, 0}, 400, 90, "T", "KANJI");
    const auto e = drawn();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].get(62), "0");
    EXPECT_EQ(e[0].num(10), 1010);
    EXPECT_EQ(e[0].get(40), "125");
    EXPECT_EQ(e[0].get(1), "W1");
    EXPECT_EQ(e[1].get(7), "KANJI");
    EXPECT_EQ(e[1].num(50), 90);
    EXPECT_EQ(e[1].num(11), 1500);
}

TEST_F(PrimitiveTest, CircleIsOnThePensLayerAndAddsTheOrigin) {
    cv.pen = {"D-STR-HTXT", 4, 0.13};
    set_origin(cv, -5, 5);
    draw_circle(cv, 10, 10, 200);
    const auto e = drawn();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].type, "CIRCLE");
    EXPECT_EQ(e[0].get(8), "D-STR-HTXT");
    EXPECT_EQ(e[0].num(10), 5);
    EXPECT_EQ(e[0].num(20), 15);
    EXPECT_EQ(e[0].num(40), 200);
}

}  // namespace
}  // namespace lwall
