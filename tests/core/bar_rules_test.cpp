#include "core/bar_rules.hpp"

#include <gtest/gtest.h>

namespace lwall {
namespace {

TEST(BarTables, UnitMassOfEveryNominalSize) {
    const std::pair<int, double> table[] = {{13, 0.995}, {16, 1.56}, {19, 2.25}, {22, 3.04}, {25, 3.98}, {29, 5.04},
                                            {32, 6.23},  {35, 7.51}, {38, 8.95}, {41, 10.5}, {51, 15.9}};
    for (const auto& [d, kg] : table) EXPECT_DOUBLE_EQ(bar_unit_mass(d), kg) << "D" << d;
    EXPECT_EQ(bar_unit_mass(10), 0.0);
    EXPECT_EQ(bar_unit_mass(0), 0.0);
    EXPECT_EQ(bar_unit_mass(-13), 0.0);
}

TEST(BarTables, LapAndBentLegByRule) {
    EXPECT_DOUBLE_EQ(bar_length_by_rule(13, kRuleLap), 406.25);
    EXPECT_DOUBLE_EQ(bar_length_by_rule(25, kRuleLap), 781.25);
    EXPECT_DOUBLE_EQ(bar_length_by_rule(16, kRuleBentLeg), 240);
    EXPECT_DOUBLE_EQ(bar_length_by_rule(16, 3), 0);
}

TEST(BarTables, AnchorageExtensionOfTheTopFootingBar) {
    EXPECT_DOUBLE_EQ(bar_extension_length(13), 195);
    EXPECT_DOUBLE_EQ(bar_extension_length(16), 320);
    EXPECT_DOUBLE_EQ(bar_extension_length(19), 418);
    EXPECT_DOUBLE_EQ(bar_extension_length(22), 528);
    EXPECT_DOUBLE_EQ(bar_extension_length(25), 550);
    EXPECT_DOUBLE_EQ(bar_extension_length(29), 609);
    EXPECT_DOUBLE_EQ(bar_extension_length(32), 640);
}

}  // namespace
}  // namespace lwall
