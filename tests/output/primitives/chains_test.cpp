#include <gtest/gtest.h>

#include "output/primitives/primitives.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

// The main line segments of a chain: every third LINE (each segment is followed by two ticks).
std::vector<std::array<double, 4>> chain_segments(const Canvas& cv) {
    const auto e = test::entities(cv);
    std::vector<std::array<double, 4>> out;
    for (std::size_t i = 0; i < e.size(); i += 3) out.push_back({e[i].num(10), e[i].num(20), e[i].num(11), e[i].num(21)});
    return out;
}

TEST(ChainVertical, TicksAtEveryBarAndRunsOnByTheOvershoot) {
    Canvas cv;
    draw_chain_vertical(cv, 0, 0, 500, 200, 3, +1);
    const auto e = test::entities(cv);
    ASSERT_EQ(e.size(), 13u);  // 4 segments with 2 ticks each, then the overshoot
    const auto s = chain_segments(cv);
    const std::vector<std::array<double, 4>> expected = {
        {0, 0, 0, 0}, {0, 0, 0, 200}, {0, 200, 0, 400}, {0, 400, 0, 600}, {0, 600, 0, 1100}};
    EXPECT_EQ(s, expected);
    EXPECT_EQ(cv.state.chain_end.y, 1100);
    // Ticks of an upward chain open toward y + 50 from their tip.
    EXPECT_EQ(e[1].num(21), 50);
    EXPECT_EQ(e[4].num(21), 50);
    EXPECT_EQ(e[7].num(21), 250);
}

TEST(ChainVertical, DownwardChainAndEmptyChain) {
    Canvas cv;
    draw_chain_vertical(cv, 10, 0, 100, 250, 0, -1);
    const auto e = test::entities(cv);
    ASSERT_EQ(e.size(), 4u);  // one zero-length segment, its tick, the overshoot
    EXPECT_EQ(e[1].num(21), -50);
    EXPECT_EQ(cv.state.chain_end.x, 10);
    EXPECT_EQ(cv.state.chain_end.y, -100);
}

TEST(ChainHorizontal, CountOfOneAlwaysStepsTwoHundredFifty) {
    Canvas cv;
    draw_chain_horizontal(cv, 1000, 0, 1000, 80, 1, +1);
    const auto s = chain_segments(cv);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0][2], 1000);  // 1000.01
    EXPECT_EQ(s[1][2], 1250);  // one step of 250, not 80
    EXPECT_EQ(s[2][0], 1250);
    EXPECT_EQ(s[2][2], 2250);  // and the overshoot of 1000
    // E lies right of the view's zero and beyond the next step: it is the reported end.
    EXPECT_NEAR(cv.state.chain_end.x, 2250.01, 1e-9);
}

TEST(ChainHorizontal, ReportsTheOuterPointOnEitherSideOfZero) {
    Canvas cv;
    draw_chain_horizontal(cv, -250, 0, 100, 250, 2, -1);
    // The line ends at -749.99 and runs on to E = -849.99; one step beyond it lies -999.99, the
    // outer of the two left of zero.
    EXPECT_NEAR(cv.state.chain_end.x, -999.99, 1e-9);
    draw_chain_horizontal(cv, 250, 0, 100, 250, 2, +1);
    EXPECT_NEAR(cv.state.chain_end.x, 1000.01, 1e-9);
    const auto e = test::entities(cv);
    EXPECT_EQ(e[1].num(11), -300);  // the first tick of a leftward chain opens toward x - 50
}

}  // namespace
}  // namespace lwall
