#include "core/sheet_layout.hpp"

#include <gtest/gtest.h>

namespace lwall {
namespace {

WallInput typical_wall() {
    WallInput w;
    w.footing_left_width = 500;
    w.wall_thickness = 300;
    w.footing_right_width = 1000;
    w.wall_height = 2000;
    w.footing_thickness = 400;
    w.height_left = 2000;
    w.height_right = 2000;
    w.length_left = 5000;
    w.length_right = 5000;
    return w;
}

TEST(ScaleChoice, SmallestScaleWhoseSheetIsStrictlyHigher) {
    EXPECT_EQ(choose_scale(2000, 10000), 50);   // 23000 < 27500
    EXPECT_EQ(choose_scale(3000, 20000), 70);   // 34000: 27500 and 33000 are too small
    EXPECT_EQ(choose_scale(6500, 10000), 60);   // exactly 27500 is not enough
    EXPECT_EQ(choose_scale(6499, 10000), 50);
    EXPECT_EQ(choose_scale(3000, 100000), 210);
    EXPECT_EQ(choose_scale(-50000, 0), 50);
}

TEST(ScaleChoice, EndsAtOnceForTheLargestAcceptedWall) {
    const double s = choose_scale(1e6, 2e6);
    EXPECT_LT(3e6 + 11000, 550 * s);
    EXPECT_GE(3e6 + 11000, 550 * (s - 10));
}

TEST(SheetLayout, TypicalWallOnOneToFifty) {
    const SheetLayout s = compute_sheet_layout(typical_wall());
    EXPECT_EQ(s.scale, 50);
    EXPECT_EQ(s.sheet_width, 40000);
    EXPECT_EQ(s.sheet_height, 27500);
    EXPECT_EQ(s.base_width, 1800);
    EXPECT_EQ(s.wall_length, 10000);
    EXPECT_EQ(s.elev_height, 2000);
    const double m = (27500 - 23000) / 2.0;
    EXPECT_EQ(s.footing_view2_x, 900 + 3000);
    EXPECT_EQ(s.section_x, 900 + 3000);
    EXPECT_EQ(s.footing_view2_y, 5000 + 3000 + m);
    EXPECT_EQ(s.section_y, m + 10000 + 8500);
    EXPECT_EQ(s.elevation_x, 8000 + 1800 + 5000 + 10000);
    EXPECT_EQ(s.elevation_y, m + 10000 + 8500);
    EXPECT_EQ(s.footing_view1_x, 900 + 10000);
    EXPECT_EQ(s.footing_view1_y, 5000 + 5000 + m);
    EXPECT_EQ(s.table_x, 10900 + 10000);
    EXPECT_EQ(s.table_y, 1000);
    EXPECT_DOUBLE_EQ(s.pi, 3.14159265358979323846);
}

TEST(SheetLayout, SlopedTopRaisesTheElevationHeightByHalfTheDifference) {
    WallInput w = typical_wall();
    w.height_left = 1000;
    w.height_right = 3000;
    w.length_left = 10000;
    w.length_right = 10000;
    const SheetLayout s = compute_sheet_layout(w);
    EXPECT_EQ(s.elev_height, 3000);
    EXPECT_EQ(s.scale, 70);
    EXPECT_EQ(s.section_y, 2250 + 20000 + 8500);  // margin m = 2250
    EXPECT_EQ(s.table_y, 1400);
}

}  // namespace
}  // namespace lwall
