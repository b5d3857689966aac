#include <gtest/gtest.h>

#include "output/primitives/primitives.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

TEST(Dot, RingsFillADiscOfTheBarsDiameter) {
    Canvas cv;
    cv.pen = {"D-STR-STR1", 2, 0.35};
    draw_dot(cv, 0, 0, 13);
    std::vector<std::string> radii;
    for (const auto& e : test::entities(cv)) radii.push_back(e.get(40));
    EXPECT_EQ(radii, (std::vector<std::string>{"    1", "    1", "    2", "    2", "    3", "    3", "    4", "    4",
                                               "    5", "    5", "    6", "    6", "    7"}));
    Canvas none;
    draw_dot(none, 0, 0, 0);
    EXPECT_TRUE(none.dxf_out.contents().empty());
}

TEST(DotRow, StepsEachDotFromTheOneBefore) {
    Canvas cv;
    set_origin(cv, 100, 0);
    draw_dot_row(cv, 0, 50, 2, 250, 3, 0, 1);
    const auto e = test::entities(cv);
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(e[0].num(10), 100);
    EXPECT_EQ(e[0].num(20), 50);
    EXPECT_EQ(e[5].num(20), 550);
}

TEST(BarCallout, MarkInACircleAndTheSizeBeside) {
    Canvas cv;
    cv.pen = {"D-STR-HTXT", 4, 0.25};
    set_origin(cv, 1000, 1000);
    draw_bar_callout(cv, 0, 0, 200, 125, 0, "W1", "D16");
    const auto e = test::entities(cv);
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].get(1), "W1");
    EXPECT_EQ(e[0].num(20), 1125);
    EXPECT_EQ(e[1].type, "CIRCLE");
    EXPECT_EQ(e[1].num(10), 1120);
    EXPECT_EQ(e[1].num(20), 1200);
    EXPECT_EQ(e[1].num(40), 200);
    EXPECT_EQ(e[2].get(1), "D16");
    EXPECT_EQ(e[2].num(10), 1600);
}

}  // namespace
}  // namespace lwall
