#include "input/layout_limits.hpp"

#include <gtest/gtest.h>

#include "core/run_failure.hpp"
#include "input/wall_file.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

std::string refusal(const WallInput& w) {
    return test::refusal_message([&] { check_layout_limits(w); }, kExitBadInput);
}

WallInput example(const char* name) { return read_wall_input(test::example_file(name, "PlenkL.dat")); }

TEST(LayoutLimits, BothExamplesAreWithinThem) {
    EXPECT_EQ(refusal(example("level")), "<accepted>");
    EXPECT_EQ(refusal(example("sloped")), "<accepted>");
}

TEST(LayoutLimits, NegativeSizesAndEndsFarAboveTheHeightLimitAreRefused) {
    WallInput w = example("sloped");
    w.footing_left_width = -1;
    EXPECT_EQ(refusal(w), "PlenkL.dat line 1, footing_left_width: must not be negative");
    w = example("sloped");
    w.height_right = 6000;
    EXPECT_EQ(refusal(w), "<accepted>");
    w.height_left = 1e6;  // its rows would reach a kilometre up
    EXPECT_EQ(refusal(w), "PlenkL.dat line 2, height_left: a wall end 1000000 mm high, more than the 6000 mm any wall "
                          "of at most 3000 mm at its reference point reaches");
}

TEST(LayoutLimits, NegativeCountsAreRefusedForEveryMark) {
    WallInput w = example("level");
    w.W5.count[3] = -1;
    EXPECT_EQ(refusal(w), "PlenkL.dat line 42, W5.count[3]: must not be negative");
    w = example("level");
    w.F2.count[1] = -3;
    EXPECT_EQ(refusal(w), "PlenkL.dat line 14, F2.count[1]: must not be negative");
}

TEST(LayoutLimits, BarsCloserThanTwentyFiveMillimetresAreRefused) {
    WallInput w = example("level");
    w.W3.pitch[2] = 0;
    EXPECT_EQ(refusal(w),
              "PlenkL.dat line 33, W3.pitch[2]: must be 25 or more where the zone has bars (bars closer than 25 mm "
              "cannot be placed)");
    w.W3.count[2] = 0;  // an empty zone needs no spacing
    EXPECT_EQ(refusal(w), "<accepted>");
    w = example("level");
    w.F3.pitch[1] = 24.9;
    EXPECT_EQ(refusal(w).substr(0, 33), "PlenkL.dat line 17, F3.pitch[1]: ");
    w.F3.pitch[1] = 25;
    EXPECT_EQ(refusal(w), "<accepted>");
}

TEST(LayoutLimits, ZonesSpanningMoreThanTwiceTheConcreteAreRefused) {
    WallInput w = example("level");  // 10 m long: W1 may span up to 20 m
    w.W1.count[4] = 49;              // 9500 + 10000 = 19500
    EXPECT_EQ(refusal(w), "<accepted>");
    w.W1.count[4] = 51;  // 20000
    EXPECT_EQ(refusal(w), "<accepted>");
    w.W1.count[4] = 52;  // 20250
    EXPECT_EQ(refusal(w),
              "PlenkL.dat line 26, W1.count[4]: the zones of W1 span 20250 mm, more than twice the wall length of "
              "10000 mm");
    w = example("level");
    w.W4.count[1] = 1000;  // rows 250 apart up a 2.4 m wall
    EXPECT_EQ(refusal(w),
              "PlenkL.dat line 38, W4.count[1]: the zones of W4 span 250250 mm, more than twice the wall height of "
              "2400 mm");
    w = example("level");
    w.F4.count[2] = 100;  // 200 apart across a 1.8 m footing
    EXPECT_EQ(refusal(w),
              "PlenkL.dat line 22, F4.count[2]: the zones of F4 span 21200 mm, more than twice the footing width of "
              "1800 mm");
    // Zones of equal span: the refusal names the first of them.
    w = example("level");
    w.W5.count = {0, 40, 50, 4, 0, 0};
    w.W5.pitch = {0, 250, 200, 250, 0, 0};  // 10000 + 10000 + 1000
    EXPECT_EQ(refusal(w),
              "PlenkL.dat line 42, W5.count[1]: the zones of W5 span 21000 mm, more than twice the wall length of "
              "10000 mm");
}

TEST(LayoutLimits, TheLargestCountsTheReaderAcceptsAreRefusedAtOnce) {
    WallInput w = example("level");
    w.W2.count[1] = 1000000;
    EXPECT_NE(refusal(w), "<accepted>");
    w = example("level");
    w.F1.pitch[2] = 0.001;
    w.F1.count[2] = 1000000;  // would fit the wall, but no bars stand that close
    EXPECT_NE(refusal(w), "<accepted>");
}

}  // namespace
}  // namespace lwall
