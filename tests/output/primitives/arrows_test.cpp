#include <gtest/gtest.h>

#include "output/primitives/primitives.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

struct Segment {
    double x1, y1, x2, y2;
};

std::vector<Segment> lines(const Canvas& cv) {
    std::vector<Segment> out;
    for (const auto& e : test::entities(cv)) {
        if (e.type == "LINE") out.push_back({e.num(10), e.num(20), e.num(11), e.num(21)});
    }
    return out;
}

void expect_segment(const Segment& s, double x1, double y1, double x2, double y2) {
    EXPECT_EQ(s.x1, x1);
    EXPECT_EQ(s.y1, y1);
    EXPECT_EQ(s.x2, x2);
    EXPECT_EQ(s.y2, y2);
}

TEST(Arrow, HorizontalArrowHeadOpensAlongTheLine) {
    Canvas cv;
    draw_arrow(cv, {0, 0}, {1000, 0});
    const auto l = lines(cv);
    ASSERT_EQ(l.size(), 3u);
    expect_segment(l[0], 0, 0, 1000, 0);
    expect_segment(l[1], 0, 0, 150, 40);   // 150 tan 15 = 40.19
    expect_segment(l[2], 0, 0, 150, -40);
}

TEST(Arrow, SlopedArrowHeadAlwaysOpensUpward) {
    Canvas cv;
    draw_arrow(cv, {0, 0}, {-1000, -1000});  // t = 45: away from the line
    const auto l = lines(cv);
    ASSERT_EQ(l.size(), 3u);
    expect_segment(l[1], 0, 0, 78, 134);
    expect_segment(l[2], 0, 0, 134, 78);
}

TEST(Arrow, VerticalArrowsPointAlongTheirLine) {
    Canvas cv;
    draw_arrow(cv, {0, 0}, {0, -1500});  // t = 270: the head opens downward, along the line
    const auto l = lines(cv);
    expect_segment(l[1], 0, 0, 40, -150);
    expect_segment(l[2], 0, 0, -40, -150);
}

TEST(Leader, SlopedLeaderHeadOpensTowardLargerX) {
    Canvas cv;
    set_origin(cv, 10000, 0);
    draw_leader(cv, {0, 0}, {-500, 500}, {-2000, 500});  // t = -45
    const auto l = lines(cv);
    ASSERT_EQ(l.size(), 4u);
    expect_segment(l[0], 10000, 0, 9500, 500);
    expect_segment(l[1], 9500, 500, 8000, 500);
    expect_segment(l[2], 10000, 0, 10134, -78);
    expect_segment(l[3], 10000, 0, 10078, -134);
}

TEST(DimensionTick, StartTickOpensTowardTheOtherEnd) {
    Canvas cv;
    draw_arrowhead_at_start(cv, {0, 1000}, {0, 0}, kTickLength, tick_half_width());
    draw_arrowhead_at_end(cv, {0, 1000}, {0, 0}, kTickLength, tick_half_width());
    const auto l = lines(cv);
    ASSERT_EQ(l.size(), 4u);
    expect_segment(l[0], 0, 1000, -13, 950);
    expect_segment(l[1], 0, 1000, 13, 950);
    expect_segment(l[2], 0, 0, -13, 50);
    expect_segment(l[3], 0, 0, 13, 50);
}

}  // namespace
}  // namespace lwall
