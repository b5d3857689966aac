// Nothing drawn over anything: the examples and random walls, read by an oracle of its own that
// first shows it sees each kind of overlap a checker would mark on the plot.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/sjis.hpp"
#include "core/wall_fields.hpp"
#include "sheet/drawn_over.hpp"
#include "sheet/random_walls.hpp"
#include "sheet/recorded_walls.hpp"
#include "sheet/run_sheet.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

using Item = test::OverlapRecorder::Item;

Item text(double x, double y, std::string s, double h = 100, double rotation = 0) {
    Item i;
    i.kind = Item::Kind::text;
    i.a = {x, y};
    i.text = std::move(s);
    i.height = h;
    i.rotation = rotation;
    return i;
}
Item line(double x1, double y1, double x2, double y2) {
    Item i;
    i.kind = Item::Kind::line;
    i.a = {x1, y1};
    i.b = {x2, y2};
    return i;
}
Item circle(double x, double y, double r) {
    Item i;
    i.kind = Item::Kind::circle;
    i.a = {x, y};
    i.radius = r;
    return i;
}

TEST(DrawnOver, TheOracleSeesEachKindOfOverlapAndPassesWhatIsMeant) {
    struct Case {
        const char* what;
        std::vector<Item> items;
        std::size_t overlaps;
    };
    const std::vector<Case> cases = {
        {"two texts on one spot", {text(0, 0, "D16"), text(60, 20, "W1")}, 1},
        {"texts side by side", {text(0, 0, "D16"), text(160, 0, "W1")}, 0},
        {"blanks may overlap", {text(0, 0, "W1   "), text(110, 0, "5-D16")}, 0},
        {"a turned text crossing a level one", {text(0, 0, "3500"), text(100, -50, "250", 100, 90)}, 1},
        {"a line through a text", {text(0, 0, "3500"), line(-50, 50, 300, 50)}, 1},
        {"a leader ending at a text", {text(0, 0, "3500"), line(-300, 50, 0, 50)}, 0},
        {"a call-out ring around its mark", {text(0, 0, "W1"), circle(50, 50, 100)}, 0},
        {"a ring over a text not its own", {text(300, 0, "D16"), text(0, 0, "W1"), circle(350, 50, 100)}, 1},
        {"a bar end-on under a text", {circle(50, 50, 8), text(0, 0, "F3")}, 1},
        {"two rings over each other", {text(0, 0, "W1"), circle(50, 50, 100), text(180, 0, "W2"),
                                       circle(230, 50, 100)}, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(test::drawn_over(c.items).size(), c.overlaps) << c.what;
    }
}

std::string full_title() {
    std::string t;
    for (const WallField& f : title_fields()) {
        for (std::size_t k = 0; k + 2 <= f.max_bytes; k += 2) t += u8"擁"_sj;
        t += "\r\n";
    }
    return t;
}

// The overlaps of one wall's sheet, or none when the wall is not drawn.
std::vector<std::string> overlaps_of(const std::string& wall, const std::string& title, int& drawn) {
    test::OverlapRecorder seen;
    SheetRequest r;
    r.drawing_file = false;
    r.observer = &seen;
    const SheetResult s = run_sheet(wall, test::example_file("level", "GasouL.dat"), title, r);
    if (s.status != 0) return {};
    ++drawn;
    return test::drawn_over(seen.items);
}

std::string first_few(const std::vector<std::string>& v) {
    std::string s;
    for (std::size_t i = 0; i < v.size() && i < 8; ++i) s += v[i] + "\n";
    return s;
}

TEST(DrawnOver, NothingOnTheSheetOfTheExamplesOrOfRandomWallsLiesOverAnythingElse) {
    int drawn = 0;
    // The recorded walls, and a wall 100 m long drawn at 1:210.
    std::map<std::string, std::string> walls = test::recorded_walls();
    walls["100 m"] = test::example_wall_with("level", {{3, "50000,50000"}, {6, "100,100,100000"}});
    for (const auto& [name, wall] : walls) {
        const auto o = overlaps_of(wall, full_title(), drawn);
        EXPECT_TRUE(o.empty()) << name << ": " << o.size() << " overlaps\n" << first_few(o);
    }
    for (const bool steep : {false, true}) {
        test::WallMaker maker(steep ? 9161 : 5077, steep);
        for (int n = 0; n < (steep ? 15 : 40); ++n) {
            const std::string wall = maker.next();
            const auto o = overlaps_of(wall, n % 2 ? full_title() : "", drawn);
            EXPECT_TRUE(o.empty()) << o.size() << " overlaps on\n" << wall << first_few(o);
        }
    }
    EXPECT_GE(drawn, 45);
}

}  // namespace
}  // namespace lwall
