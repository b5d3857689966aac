#include "output/primitives/geometry.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace lwall {
namespace {

void expect_near(Point p, double x, double y) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
}

TEST(PointAlong, VerticalLineMovesUpForPositiveDistance) {
    expect_near(geom_point_along({5, 10}, {5, 0}, 3), 5, 13);
    expect_near(geom_point_along({5, 10}, {5, 0}, -3), 5, 7);
}

TEST(PointAlong, SlopedLineMovesTowardLargerXWhateverTheOrder) {
    const double r = 1 / std::sqrt(2.0);
    expect_near(geom_point_along({0, 0}, {10, 10}, 1), r, r);
    expect_near(geom_point_along({0, 0}, {-10, -10}, 1), r, r);
    expect_near(geom_point_along({0, 0}, {-10, -10}, -1), -r, -r);
    expect_near(geom_point_along({2, 3}, {7, 3}, -4), -2, 3);
}

TEST(PointNormal, VerticalLineGoesLeftForPositiveDistance) {
    expect_near(geom_point_normal({5, 10}, {5, 0}, 3), 2, 10);
    expect_near(geom_point_normal({5, 10}, {5, 0}, -3), 8, 10);
}

TEST(PointNormal, SlopedAndHorizontalLinesGoUpForPositiveDistance) {
    const double r = 1 / std::sqrt(2.0);
    expect_near(geom_point_normal({0, 0}, {10, 10}, 1), -r, r);
    expect_near(geom_point_normal({0, 0}, {10, 10}, -1), r, -r);
    expect_near(geom_point_normal({0, 0}, {10, 0}, 2), 0, 2);
    expect_near(geom_point_normal({10, 0}, {0, 0}, 2), 10, 2);
}

TEST(ScalePoints, MultipliesEveryCoordinateInPlace) {
    std::vector<Point> pts = {{0, 2000}, {0, 50}, {1000, 50}};
    scale_points(0.3, pts);
    expect_near(pts[0], 0, 600);
    expect_near(pts[1], 0, 15);
    expect_near(pts[2], 300, 15);
    EXPECT_EQ(abs_value(-2.5), 2.5);
}

}  // namespace
}  // namespace lwall
