#include "checks/wall_checks.hpp"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "input/wall_file.hpp"
#include "sheet/run_sheet.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

std::vector<std::string> messages(const WallInput& w) {
    std::vector<std::string> out;
    for (const Finding& f : check_wall(w)) out.push_back(f.message.en);
    return out;
}

WallInput example(const char* name) { return read_wall_input(test::example_file(name, "PlenkL.dat")); }

// Zones 1 ... 4 of a mark along the wall.
void set_zones(BarGroup& g, std::array<double, 4> pitch, std::array<int, 4> count) {
    for (std::size_t i = 0; i < 4; ++i) g.pitch[i + 1] = pitch[i], g.count[i + 1] = count[i];
}

TEST(WallChecks, TheExamplesHaveNothingToQuery) {
    EXPECT_TRUE(messages(example("level")).empty());
    EXPECT_TRUE(messages(example("sloped")).empty());
    // Nor once drawn: their laps hold and their sheets agree with themselves.
    for (const char* name : {"level", "sloped"}) {
        const WallCheck c = check_wall_text(test::example_file(name, "PlenkL.dat"));
        EXPECT_EQ(c.status, 0) << name;
        EXPECT_TRUE(c.findings.empty()) << name << ": " << (c.findings.empty() ? "" : c.findings[0].message.en);
        EXPECT_TRUE(c.disagreements.empty()) << name;
    }
}

TEST(WallChecks, EveryPlantedFaultIsNamedWithItsLineFieldAndSize) {
    const WallInput w = read_wall_input(test::read_file(std::string(LWALL_SOURCE_DIR) + "/tests/checks/faulty/PlenkL.dat"));
    const std::vector<std::string> expected = {
        "PlenkL.dat line 4, cover6: the covers leave no room for the bars: cover3 + cover6 and the vertical bars D13 "
        "and D16 take 409 mm, 109 mm more than the 300 mm wall thickness",
        "PlenkL.dat line 4, cover2: the covers leave no room for the bars: cover1 + cover2 take 400 mm, exactly the "
        "400 mm footing thickness",
        "PlenkL.dat line 6, max_bar_length: the second piece of the full-length W3 bars is 6000 mm, 200 mm longer "
        "than the maximum member length",
        "PlenkL.dat line 6, max_bar_length: the second piece of F4 is 6000 mm, 200 mm longer than the maximum member "
        "length",
        "PlenkL.dat line 18, F3.count[1]: the zones span 1800 mm across the footing, 200 mm more than the 1600 mm "
        "between its end covers",
        "PlenkL.dat line 22, F4.count[2]: zone 2 is in use (F4.zones is 3) but has no spacings",
        "PlenkL.dat line 26, W1.count[1]: zones 2 and 1 run 5000 mm toward the left end, 100 mm beyond its end cover "
        "(4900 mm of wall there)",
        "PlenkL.dat line 38, W4.count[1]: the rows reach 2600 mm, 300 mm above the level wall top less "
        "cover_wall_top (2300 mm)",
        "PlenkL.dat line 38, W4.count[1]: on a level top the back face is drawn with W4's counts and the front face "
        "with W3's; W3.count[1] is 7 and W4.count[1] is 9, so the schedule orders other numbers of W3 and W4 bars "
        "than the elevations draw",
        "PlenkL.dat line 43, S2.dia: D10 has no unit mass: its steel would be missing from the mass and material "
        "tables",
    };
    EXPECT_EQ(messages(w), expected);
}

// The fields named, but for zones that stop short of an end: the walls of the table below move
// the ends and leave other marks short of them, which the table after it checks by itself.
std::vector<std::string> fields(const WallInput& w) {
    std::vector<std::string> out;
    for (const Finding& f : check_wall(w)) {
        if (f.text.en.find(" short of the ") == std::string::npos) out.push_back(f.field);
    }
    return out;
}

// Each check exactly at its limit says nothing, and one millimetre past it names its field. Covers,
// end covers and the zones of each mark all differ, so that a check reading another's shows.
TEST(WallChecks, EachCheckIsSilentAtItsLimitAndSpeaksOneMillimetrePast) {
    struct Case {
        const char* what;
        std::function<void(WallInput&, double)> set;  // the wall at its limit plus `past` mm
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"the wall's covers and bars take its thickness", [](WallInput& w, double past) {
             w.cover3 = 70, w.cover5 = 110, w.cover6 = 90;  // 70 + 90 + 16 + 13 = 189
             w.wall_thickness = 190 - past;
             w.footing_right_width = 1110 + past;
         }, {"cover6"}},
        {"the footing's covers take its thickness", [](WallInput& w, double past) {
             w.cover1 = 60, w.cover2 = 85;
             w.W3.count[1] = w.W4.count[1] = 6;
             w.footing_thickness = 146 - past;
         }, {"cover2"}},
        {"W1 toward the left end", [](WallInput& w, double past) {
             w.W1.pitch[1] = 200, w.W1.count[1] = 9, w.W1.pitch[2] = 320, w.W1.count[2] = 10;  // 5000
             w.end_cover_left = 37, w.end_cover_right = 63;
             w.length_left = 5037 - past;
         }, {"W1.count[1]"}},
        {"W5 toward the right end", [](WallInput& w, double past) {
             w.W5.count[3] = 11, w.W5.pitch[3] = 210, w.W5.count[4] = 7, w.W5.pitch[4] = 370;  // 4900
             w.end_cover_left = 37, w.end_cover_right = 63;
             w.length_right = 4963 - past;
         }, {"W5.count[4]"}},
        {"F1 toward the right end", [](WallInput& w, double past) {
             w.F1.pitch[1] = 180, w.F1.count[1] = 9, w.F1.pitch[2] = 270, w.F1.count[2] = 12;  // 4860
             w.end_cover_left = 160, w.end_cover_right = 140 + past;
         }, {"F1.count[1]"}},
        {"F2 toward the right end", [](WallInput& w, double past) {
             w.F2.pitch[3] = 230, w.F2.count[3] = 8, w.F2.pitch[4] = 296, w.F2.count[4] = 10;  // 4800
             w.end_cover_left = 120, w.end_cover_right = 200 + past;
         }, {"F2.count[4]"}},
        // Every other side of every mark, so that a side that reads another's zones or names
        // another's field shows.
        {"W1 toward the right end", [](WallInput& w, double past) {
             w.W1.count[3] = 12, w.W1.pitch[3] = 190, w.W1.count[4] = 8, w.W1.pitch[4] = 320;  // 4840
             w.end_cover_left = 41, w.end_cover_right = 59;
             w.length_right = 4899 - past;
         }, {"W1.count[4]"}},
        {"W2 toward the left end", [](WallInput& w, double past) {
             w.W2.pitch[1] = 170, w.W2.count[1] = 14, w.W2.pitch[2] = 330, w.W2.count[2] = 8;  // 5020
             w.end_cover_left = 33, w.end_cover_right = 67;
             w.length_left = 5053 - past;
         }, {"W2.count[1]"}},
        {"W2 toward the right end", [](WallInput& w, double past) {
             w.W2.count[3] = 9, w.W2.pitch[3] = 260, w.W2.count[4] = 11, w.W2.pitch[4] = 230;  // 4870
             w.end_cover_left = 47, w.end_cover_right = 53;
             w.length_right = 4923 - past;
         }, {"W2.count[4]"}},
        {"W5 toward the left end", [](WallInput& w, double past) {
             w.W5.pitch[1] = 310, w.W5.count[1] = 6, w.W5.pitch[2] = 245, w.W5.count[2] = 12;  // 4800
             w.end_cover_left = 29, w.end_cover_right = 71;
             w.length_left = 4829 - past;
         }, {"W5.count[1]"}},
        {"F1's other half toward the left end", [](WallInput& w, double past) {
             w.F1.pitch[3] = 190, w.F1.count[3] = 10, w.F1.pitch[4] = 296, w.F1.count[4] = 10;  // 4860
             w.end_cover_left = 140 + past, w.end_cover_right = 160;
         }, {"F1.count[4]"}},
        {"F2 toward the left end", [](WallInput& w, double past) {
             w.F2.pitch[1] = 230, w.F2.count[1] = 8, w.F2.pitch[2] = 296, w.F2.count[2] = 10;  // 4800
             w.end_cover_left = 200 + past, w.end_cover_right = 120;
         }, {"F2.count[1]"}},
        {"a maximum member length beyond the longest stock bar", [](WallInput& w, double past) {
             w.max_bar_length = 12000 + past;
         }, {"max_bar_length"}},
        {"the rows under a level top", [](WallInput& w, double past) {
             w.cover2 = 85;  // rows from 315; the top less cover_wall_top 2335
             for (BarGroup* g : {&w.W3, &w.W4}) g->count[1] = 6, g->pitch[1] = 270, g->count[2] = 2, g->pitch[2] = 200;
             w.cover_wall_top = 65 + past;
         }, {"W3.count[1]", "W4.count[1]"}},
        {"the rows under a sloped top, each to its own end", [](WallInput& w, double past) {
             w = example("sloped");  // tops less cover_wall_top at 260: 2190 left (lower), 2790 right
             w.W4.zones = 2, w.W4.count[1] = 8, w.W4.pitch[1] = 230, w.W4.count[2] = 3, w.W4.pitch[2] = 170;
             w.W3.zones = 3, w.W3.count[1] = 7, w.W3.pitch[1] = 220, w.W3.count[2] = 3, w.W3.pitch[2] = 300;
             w.W3.count[3] = 4, w.W3.pitch[3] = 190;  // rows from 350: W4 to 2190, W3 to 2790
             w.cover_wall_top = 260 + past;
         }, {"W3.count[1]", "W4.count[1]"}},
    };
    for (const Case& c : cases) {
        WallInput w = example("level");
        c.set(w, 0);
        EXPECT_EQ(fields(w), std::vector<std::string>{}) << c.what;
        c.set(w, 1);
        EXPECT_EQ(fields(w), c.fields) << c.what;
    }
}

// Zones of the wall's own bars that stop short of an end leave wall without bars: up to one spacing
// of the outer zone is fine, a millimetre more is named; where the outer zone has no bars, the
// inner zone's spacing is the measure. Every side of W1, W2 and W5, each zone with a spacing of its
// own and each end with its own cover.
TEST(WallChecks, ZonesThatStopMoreThanASpacingShortOfAnEnd) {
    struct Case {
        const char* what;
        std::function<void(WallInput&)> set;  // zones and end covers; the ends are set below
        bool left;
        double span, pitch;  // of the side's zones, and the spacing that measures what is left
        const char* field;
    };
    const Case cases[] = {
        {"W1 left", [](WallInput& w) { set_zones(w.W1, {170, 230, 0, 0}, {11, 9, 0, 0}); }, true, 3940, 170, "W1.count[1]"},
        {"W1 right", [](WallInput& w) { set_zones(w.W1, {0, 0, 190, 310}, {0, 0, 8, 7}); }, false, 3690, 310, "W1.count[4]"},
        {"W2 left", [](WallInput& w) { set_zones(w.W2, {260, 140, 0, 0}, {6, 13, 0, 0}); }, true, 3380, 260, "W2.count[1]"},
        {"W2 right, its outer zone empty", [](WallInput& w) { set_zones(w.W2, {0, 0, 215, 330}, {0, 0, 14, 0}); },
         false, 3010, 215, "W2.count[4]"},
        {"W5 left", [](WallInput& w) { set_zones(w.W5, {240, 160, 0, 0}, {5, 12, 0, 0}); }, true, 3120, 240, "W5.count[1]"},
        {"W5 right", [](WallInput& w) { set_zones(w.W5, {0, 0, 120, 280}, {0, 0, 9, 10}); }, false, 3880, 280, "W5.count[4]"},
    };
    for (const Case& c : cases) {
        for (const double past : {0.0, 1.0}) {
            WallInput w = example("level");
            w.end_cover_left = 37, w.end_cover_right = 63;
            c.set(w);
            // The other side, and every other mark, fills its side exactly.
            auto fill = [&](BarGroup& g, bool left, double room) {
                const int a = left ? 2 : 3, b = left ? 1 : 4;
                g.pitch[a] = 100, g.count[a] = static_cast<int>(room / 100), g.pitch[b] = 0, g.count[b] = 0;
            };
            const double left_room = c.left ? c.span + c.pitch + past : 5000;
            const double right_room = c.left ? 5000 : c.span + c.pitch + past;
            w.length_left = left_room + w.end_cover_left;
            w.length_right = right_room + w.end_cover_right;
            for (BarGroup* g : {&w.W1, &w.W2, &w.W5}) {
                const bool this_mark = std::string(c.field).starts_with(g == &w.W1 ? "W1" : g == &w.W2 ? "W2" : "W5");
                if (!this_mark || !c.left) fill(*g, true, left_room);
                if (!this_mark || c.left) fill(*g, false, right_room);
            }
            std::vector<std::string> short_of_end;
            for (const Finding& f : check_wall(w)) {
                if (f.text.en.find(" short of the ") != std::string::npos) short_of_end.push_back(f.field);
            }
            EXPECT_EQ(short_of_end, past == 0 ? std::vector<std::string>{} : std::vector<std::string>{c.field})
                << c.what << " past " << past;
        }
    }
}

TEST(WallChecks, LevelTopFacesWithCountsThatDifferOrderOtherRowsThanAreDrawn) {
    WallInput w = example("level");
    w.W3.count[1] = 6;
    w.W3.count[2] = 1;
    w.W4.count[1] = 6;
    w.W4.count[2] = 2;  // the back face draws 1 + 6 + 2 rows, W3-1 orders 6 + 1 + 1
    EXPECT_EQ(messages(w), (std::vector<std::string>{
                               "PlenkL.dat line 38, W4.count[2]: on a level top the back face is drawn with W4's "
                               "counts and the front face with W3's; W3.count[2] is 1 and W4.count[2] is 2, so the "
                               "schedule orders other numbers of W3 and W4 bars than the elevations draw"}));
    w.W4.count[2] = 1;
    w.W3.count[5] = 2;  // the last zone too
    EXPECT_EQ(fields(w), std::vector<std::string>{"W4.count[5]"});
    w.height_left += 100;  // a sloped top lays each face out with the lower end's counts
    w.height_right -= 100;
    for (const std::string& m : messages(w)) EXPECT_EQ(m.find("level top"), std::string::npos) << m;
}

TEST(WallChecks, SlopedTopRowsAreMeasuredAgainstTheirOwnEnd) {
    WallInput w = example("sloped");  // left end lower: W4 stops under it, W3 reaches the right end
    w.W4.count[1] = 9;                // 350 + 2250 = 2600 under a lower end of 2350
    w.W3.count[1] = 11;               // 350 + 2750 = 3100 under a higher end of 2950
    EXPECT_EQ(messages(w), (std::vector<std::string>{
                               "PlenkL.dat line 34, W3.count[1]: the rows reach 3100 mm, 150 mm above the higher "
                               "end's wall top less cover_wall_top (2950 mm)",
                               "PlenkL.dat line 38, W4.count[1]: the rows reach 2600 mm, 250 mm above the lower end's "
                               "wall top less cover_wall_top (2350 mm)"}));
}

TEST(WallChecks, PiecesTheDrawingStillMakesTooLong) {
    WallInput w = example("sloped");  // run 11800, along the sloped top 11815
    w.max_bar_length = 6500;          // second pieces of (11800 - 6500 + 406.25) -> 6000 fit; the top bar 6000 too
    EXPECT_TRUE(messages(w).empty());
    w.max_bar_length = 6000;  // 5800 + 406.25 -> 6500 > 6000, for every bar, F3 included
    const auto m = messages(w);
    ASSERT_EQ(m.size(), 6u);
    EXPECT_EQ(m[4], "PlenkL.dat line 6, max_bar_length: the second piece of F3 (the drawing stops there) is 6500 mm, "
                    "500 mm longer than the maximum member length");
}

TEST(WallChecks, BarSizesWithoutAUnitMassAndZonesWithoutSpacings) {
    WallInput w = example("level");
    w.W2.opt[1] = 12;
    w.F3.opt[2] = 0;  // no bars in that zone: nothing to weigh
    w.W3.zones = 3;   // zone 3 in use, no spacings given
    EXPECT_EQ(messages(w), (std::vector<std::string>{
                               "PlenkL.dat line 28, W2.opt[1]: D12 has no unit mass: its steel would be missing from "
                               "the mass and material tables",
                               "PlenkL.dat line 34, W3.count[3]: zone 3 is in use (W3.zones is 3) but has no "
                               "spacings"}));
}

TEST(WallChecks, ZonesOnTheRightAndFootingBarsAlongTheWall) {
    WallInput w = example("level");
    w.W5.count[4] = 10;  // 2500 + 2500 = 5000 toward the right end, 4900 of wall
    w.F2.count[2] = 10;  // zones 2 and 1 of F2 run toward the left end: 4750
    EXPECT_EQ(messages(w), (std::vector<std::string>{
                               "PlenkL.dat line 42, W5.count[4]: zones 3 and 4 run 5000 mm toward the right end, 100 mm "
                               "beyond its end cover (4900 mm of wall there)"}));
    w.F2.count[2] = 11;  // 5000
    EXPECT_EQ(messages(w).size(), 2u);
}

TEST(WallChecks, FootingZonesAcrossAreMeasuredBetweenTheirOwnCovers) {
    WallInput w = example("level");  // footing 1800 wide
    w.cover3 = 70;                   // F3 lies between cover3 at both ends: 1660 of room
    w.cover4 = 95;                   // F4 between cover4: 1610
    w.F3.zones = 2;
    w.F3.pitch[1] = 200;
    w.F3.count[1] = 6;
    w.F3.pitch[2] = 92;
    w.F3.count[2] = 5;  // 1200 + 460 = 1660
    w.F4.zones = 2;
    w.F4.pitch[1] = 210;
    w.F4.count[1] = 5;
    w.F4.pitch[2] = 120;
    w.F4.count[2] = 4;  // 1050 + 480 = 1530
    w.F4.pitch[3] = 80;
    w.F4.count[3] = 1;  // zone 3 is not in use
    EXPECT_TRUE(messages(w).empty());
    w.F3.pitch[2] = 93;   // 1665
    w.F4.pitch[2] = 140;  // 1610 exactly
    EXPECT_EQ(messages(w), (std::vector<std::string>{
                               "PlenkL.dat line 18, F3.count[1]: the zones span 1665 mm across the footing, 5 mm more "
                               "than the 1660 mm between its end covers"}));
    w.F4.pitch[2] = 141;
    ASSERT_EQ(messages(w).size(), 2u);
    EXPECT_EQ(messages(w)[1], "PlenkL.dat line 22, F4.count[1]: the zones span 1614 mm across the footing, 4 mm more "
                              "than the 1610 mm between its end covers");
}

}  // namespace
}  // namespace lwall
