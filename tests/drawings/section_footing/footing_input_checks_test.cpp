#include "drawings/section_footing/footing_input_checks.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "core/run_failure.hpp"
#include "core/wall_fields.hpp"
#include "drawings/section_footing/footing_views.hpp"
#include "drawings/section_footing/section_view.hpp"
#include "footing_fixture.hpp"
#include "input/wall_file.hpp"

namespace lwall {
namespace {

using test::fitting_wall;

std::string refusal(const std::string& wall) {
    const WallInput w = read_wall_input(wall);
    return test::refusal_message([&] { check_footing_input(w); }, kExitBadInput);
}

TEST(FootingInputChecks, BarThickerThanAnyBarIsRefused) {
    EXPECT_EQ(refusal(fitting_wall()), "<accepted>");
    EXPECT_EQ(refusal(fitting_wall({{16, "13,100,13,0,0"}})), "<accepted>");
    EXPECT_EQ(refusal(fitting_wall({{16, "13,130,13,0,0"}})),
              "PlenkL.dat line 16, F3.opt[1]: a bar diameter of 130 mm, more than any bar (100)");
    EXPECT_EQ(refusal(fitting_wall({{36, "1300,13,0,0,0"}})),
              "PlenkL.dat line 36, W4.dia: a bar diameter of 1300 mm, more than any bar (100)");
}

// Every diameter the section draws end-on, exactly at the largest bar and one past it, each in its
// own place on its line: the refusal names that field and its line, never a neighbour.
TEST(FootingInputChecks, EveryEndOnDiameterIsRefusedOnePastTheLargestBarByItsOwnName) {
    std::vector<std::string> lines;
    std::stringstream base(fitting_wall());
    for (std::string l; std::getline(base, l);) lines.push_back(l);
    for (const char* name : {"W4.dia", "W4.opt[1]", "W3.dia", "W3.opt[1]", "F3.dia", "F3.opt[1]", "F3.opt[2]",
                             "F4.dia", "F4.opt[1]", "F4.opt[2]"}) {
        const WallField* f = find_wall_field(name);
        ASSERT_NE(f, nullptr) << name;
        for (const int d : {100, 101}) {
            std::vector<std::string> values;
            std::stringstream row(lines[static_cast<std::size_t>(f->line - 1)]);
            for (std::string v; std::getline(row, v, ',');) values.push_back(v);
            values.resize(std::max<std::size_t>(values.size(), static_cast<std::size_t>(f->position)), "0");
            values[static_cast<std::size_t>(f->position - 1)] = std::to_string(d);
            std::string joined;
            for (const std::string& v : values) joined += (joined.empty() ? "" : ",") + v;
            const std::string wall = fitting_wall({{f->line, joined}});
            const std::string expected = d == 100 ? "<accepted>"
                                                  : "PlenkL.dat line " + std::to_string(f->line) + ", " + name +
                                                        ": a bar diameter of 101 mm, more than any bar (100)";
            EXPECT_EQ(refusal(wall), expected) << name;
        }
    }
}

TEST(FootingInputChecks, MoreS2TiesThanAnyFootingHoldsAreRefused) {
    // A mistyped F1 zone count over 35 tie columns: 250000 ties a column.
    EXPECT_EQ(refusal(fitting_wall({{10, "9,1000000,9,9,0"}, {18, "3,20,50,0,0"}})),
              "PlenkL.dat line 10, F1.count[2]: with F3.count[2] and F3.count[3] lays out 8750000 S2 ties, more "
              "than any footing holds");
    EXPECT_NE(refusal(fitting_wall({{10, "1000000,9,9,9,0"}, {18, "3,20,50,0,0"}})).find("F1.count[1]"),
              std::string::npos);
    // Many, but a footing's worth.
    EXPECT_EQ(refusal(fitting_wall({{10, "9,20000,9,9,0"}})), "<accepted>");
}

// Values the reader accepts, however odd, draw without a crash, an endless loop or a number
// that is not finite in either file; the only stop is the member-length failure.
TEST(FootingInputChecks, OddWallsDrawWithoutCrashOrNan) {
    const std::vector<std::pair<const char*, std::string>> walls = {
        {"empty file", ""},
        {"zero pitches", fitting_wall({{9, "0,0,0,0,0"}, {13, "0,0,0,0,0"}, {17, "0,0,0,0,0"},
                                       {21, "0,0,0,0,0"}, {33, "0,0,0,0,0"}, {37, "0,0,0,0,0"}})},
        {"negative counts", fitting_wall({{10, "-9,-9,0,0,0"}, {14, "-3,0,0,0,0"}, {18, "-3,-2,-5,0,0"},
                                          {22, "3,-2,-5,0,0"}, {34, "-8,-1,0,0,0"}, {38, "0,-5,0,0,0"}})},
        {"no zones", fitting_wall({{15, "0"}, {19, "0"}, {31, "0"}, {35, "0"}})},
        {"bars without diameter", fitting_wall({{8, "0,0,0,0,0"}, {12, "0,0,0,0,0"}, {16, "0,0,0,0,0"},
                                                {43, "0,0"}})},
        {"negative sizes", fitting_wall({{1, "-600,-400,-1200"}, {3, "-5000,5000"}, {8, "-16,0,0,0,0"}})},
        {"long F1 zone", fitting_wall({{10, "9,20000,9,9,0"}})},
        {"S1 table beyond its rows", fitting_wall({{34, "3,7,0,0,0"}})},
        {"sloped the other way", fitting_wall({{2, "2000,500,2400,1800"}, {38, "0,0,0,0,0"}})},
    };
    for (const auto& [name, wall] : walls) {
        auto ctx = test::footing_context(wall);
        try {
            draw_footing_views(*ctx);
            draw_section_view(*ctx);
        } catch (const RunFailure& f) {
            EXPECT_EQ(f.status, kExitMemberLength) << name << ": " << f.message;
        }
        EXPECT_FALSE(test::has_nan_or_inf(ctx->canvas.dxf_out.contents())) << name;
        EXPECT_FALSE(test::has_nan_or_inf(ctx->canvas.scr_out.contents())) << name;
    }
}

}  // namespace
}  // namespace lwall
