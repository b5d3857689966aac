// Reading SekkeiL.dat: values by line with their defaults, and every kind of refusal named by its
// file, line and field.

#include <gtest/gtest.h>

#include <string>

#include "core/design_conditions.hpp"
#include "input/conditions_file.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

TEST(ConditionsFile, ValuesByLineWithDefaultsForBlankAndMissingLines) {
    // CR LF and LF mixed, blanks around values, a blank line 3 and a file that ends at line 13.
    const DesignConditions c =
        read_conditions_input("18.5\r\n 32 \r\n\r\n5\n12\n0.5\n0.15\n0.55\n250\n\n23.5\n27\r\nSD295\r\n");
    EXPECT_EQ(c.soil_unit_weight, 18.5);
    EXPECT_EQ(c.friction_angle, 32);
    EXPECT_EQ(c.cohesion, 0);
    EXPECT_FALSE(c.given[2]);
    EXPECT_EQ(c.backfill_slope, 5);
    EXPECT_EQ(c.surcharge_offset, 0.5);
    EXPECT_EQ(c.seismic_coefficient, 0.15);
    EXPECT_EQ(c.bearing_normal, 250);
    EXPECT_EQ(c.bearing_seismic, 375);  // 1.5 × the normal one when left out
    EXPECT_EQ(c.concrete_strength, 27);
    EXPECT_EQ(c.steel_grade, SteelGrade::sd295);
    EXPECT_EQ(c.method, EarthPressureMethod::trial_wedge);
    EXPECT_FALSE(c.given[13]);
    const MaterialNote note = material_note(&c);
    EXPECT_EQ(note.steel_grade, "SD295");
    EXPECT_FALSE(note.grade_is_default || note.strength_is_default);
    const MaterialNote none = material_note(nullptr);
    EXPECT_EQ(none.steel_grade, "SD345");
    EXPECT_EQ(none.concrete_strength, 24);
    EXPECT_TRUE(none.grade_is_default && none.strength_is_default);
}

TEST(ConditionsFile, RefusalsNameTheFileTheLineAndTheField) {
    struct Case {
        std::string text;
        std::string start;  // of the English message
    };
    const Case cases[] = {
        {"19\n0\n", "SekkeiL.dat line 2, friction_angle: must be more than 0"},
        {"19\n60\n", "SekkeiL.dat line 2, friction_angle: must be more than 0 and less than 60"},
        {"-18\n", "SekkeiL.dat line 1, soil_unit_weight: must be more than 0"},
        {"\n\n\n\n\n\n0.6\n", "SekkeiL.dat line 7, seismic_coefficient: must be at least 0 and at most 0.5"},
        {"\n\n\n\n\n\n\n\nabc\n", "SekkeiL.dat line 9, bearing_normal: expected a number"},
        {"\n\n\n\n\n\n\n\n\n\n\n18\n", "SekkeiL.dat line 12, concrete_strength: must be at least 21"},
        {"\n\n\n\n\n\n\n\n\n\n\n\nSD390\n", "SekkeiL.dat line 13, steel_grade: the steel grade must be SD295 or SD345"},
        {"\n\n\n\n\n\n\n\n\n\n\n\n\n1.5\n", "SekkeiL.dat line 14, earth_pressure_method: expected a whole number"},
        {"\n\n\n\n\n\n\n\n\n\n\n\n\n3\n", "SekkeiL.dat line 14, earth_pressure_method: must be at least 1 and at most 2"},
        {"19\n30\n0\n30\n", "SekkeiL.dat line 4, backfill_slope: a backfill slope of 30° is not below"},
        {"19\n30\n0\n25\n\n\n0.2\n", "SekkeiL.dat line 7, seismic_coefficient: the backfill slope 25°"},
        {"19\n30\n0\n0\n10\n0\n0\n0.6\n300\n450\n24.5\n24\nSD345\n1\n\n7\n", "SekkeiL.dat line 16, extra value:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ConditionsReading r = read_conditions_file(c.text);
        ASSERT_TRUE(r.refusal.has_value());
        EXPECT_EQ(r.refusal->status, kExitBadInput);
        EXPECT_TRUE(r.refusal->message.en.starts_with(c.start)) << r.refusal->message.en;
        EXPECT_NE(r.refusal->message.ja.find("SekkeiL.dat"), std::string::npos);
    }
}

}  // namespace
}  // namespace lwall
