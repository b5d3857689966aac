#include "drawings/wall/wall_input_checks.hpp"

#include <gtest/gtest.h>

#include "core/run_failure.hpp"
#include "drawings/wall/wall_test_support.hpp"
#include "sheet/run_sheet.hpp"

namespace lwall {
namespace {

std::string refusal(const WallInput& w) {
    return test::refusal_message([&] { check_wall_elevation_input(w); }, kExitBadInput);
}

TEST(WallElevationInput, RefusesWhatWouldDivideByZeroOrMakeNoBars) {
    WallInput w = test::example_wall("level");
    EXPECT_EQ(refusal(w), "<accepted>");
    w.W1.dia = 0;
    EXPECT_EQ(refusal(w), "PlenkL.dat line 24, W1.dia: must be more than 0");
    w = test::example_wall("level");
    w.W2.dia = -13;
    EXPECT_EQ(refusal(w), "PlenkL.dat line 28, W2.dia: must be more than 0");
    w = test::example_wall("level");
    w.length_left = 0;
    w.length_right = 0;
    EXPECT_EQ(refusal(w), "PlenkL.dat line 3, length_right: the wall has no length (length_left + length_right is 0)");
    w.length_left = -100;
    EXPECT_EQ(refusal(w), "PlenkL.dat line 3, length_left: must not be negative");
    w = test::example_wall("level");
    w.max_bar_length = 0;
    EXPECT_EQ(refusal(w), "PlenkL.dat line 6, max_bar_length: must be more than 0");
}

TEST(WallElevationInput, AWallOnOneSideOfTheReferencePointIsAccepted) {
    WallInput w = test::example_wall("sloped");
    w.length_left = 0;
    EXPECT_EQ(refusal(w), "<accepted>");
}

TEST(WallElevationInput, RefusedBeforeAnythingIsDrawn) {
    std::string text = test::example_file("level", "PlenkL.dat");
    text.replace(text.find("16,16,0,0,0"), 2, "0");  // W1.dia on line 24
    RunContext ctx;
    const std::string message = test::refusal_message(
        [&] { draw_whole_sheet(ctx, text, test::example_file("level", "GasouL.dat")); }, kExitBadInput);
    EXPECT_EQ(message, "PlenkL.dat line 24, W1.dia: must be more than 0");
    EXPECT_TRUE(ctx.canvas.dxf_out.contents().ends_with("ENTITIES\r\n0\r\n"));
    EXPECT_EQ(ctx.canvas.scr_out.contents(), "");
}

}  // namespace
}  // namespace lwall
