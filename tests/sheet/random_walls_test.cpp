// Many random but plausible walls through a whole in-memory run: level and sloped both ways, split
// and unsplit bars, every bar size, the size limits exactly. Each run must end in a specified way,
// write only finite numbers and print every bar of the list exactly once; on the sheet every
// arrow, leader and spacing tick of a bar call-out points at a drawn bar from the dimension layer,
// every S1 tie stands on a bar, and every line and text of the tables lies on its layer.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/run_failure.hpp"
#include "sheet/random_walls.hpp"
#include "sheet/run_sheet.hpp"
#include "sheet/sheet_checks.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

using test::WallMaker;

std::string example_layers() { return test::example_file("level", "GasouL.dat"); }

// The texts of the first column of a table whose rows stand 300 apart below (x0, y0).
std::vector<std::string> first_column(const std::vector<test::DxfEntity>& e, double x0, double y0) {
    std::vector<std::pair<double, std::string>> cells;
    for (const auto& x : e) {
        if (x.type != "TEXT" || x.get(8) != "D-MTR-MTXT") continue;
        if (std::abs(x.num(10) - (x0 + 50)) > 1 || x.num(20) > y0) continue;
        cells.emplace_back(-x.num(20), x.get(1));
    }
    std::sort(cells.begin(), cells.end());
    std::vector<std::string> out;
    for (const auto& c : cells) out.push_back(c.second);
    return out;
}

TEST(RandomWalls, EveryRunEndsAsSpecifiedWithFiniteNumbersAndEveryBarPrintedOnce) {
    WallMaker maker(20261207);
    int drawn = 0;
    for (int n = 0; n < 300; ++n) {
        const std::string wall = maker.next();
        SCOPED_TRACE("wall " + std::to_string(n) + ":\n" + wall);
        auto ctx = std::make_unique<RunContext>();
        test::SheetRecorder sheet;
        ctx->canvas.entities.add(sheet);
        int status = 0;
        try {
            draw_whole_sheet(*ctx, wall, example_layers());
        } catch (const RunFailure& f) {
            status = f.status;
        }
        const std::string& dxf = ctx->canvas.dxf_out.contents();
        const std::string& scr = ctx->canvas.scr_out.contents();
        ASSERT_TRUE(status == 0 || status == kExitMemberLength || status == kExitBadInput) << status;
        EXPECT_FALSE(test::has_non_finite_number(dxf));
        EXPECT_FALSE(test::has_non_finite_number(scr));
        if (status != 0) {
            // A refusal leaves the tables only; the member-length stop an open ENTITIES section.
            EXPECT_EQ(dxf.ends_with("ENTITIES\r\n0\r\n"), status == kExitBadInput);
            EXPECT_FALSE(dxf.ends_with("EOF\r\n"));
            continue;
        }
        ++drawn;
        ASSERT_TRUE(dxf.ends_with("0\r\nENDSEC\r\n0\r\nEOF\r\n"));
        std::vector<std::string> marks;
        for (const ScheduleRow* r : ctx->bar_list.printed_rows()) marks.push_back(r->mark);
        const auto e = test::file_entities(dxf);
        const SheetLayout& s = ctx->layout;
        const double y0 = s.scale * 22000 / 50;
        EXPECT_EQ(first_column(e, s.sheet_width + 23000 + s.scale * 23000 / 50, y0), marks) << "bending schedule";
        EXPECT_EQ(first_column(e, s.sheet_width + 33000 + s.scale * 23000 / 50, y0), marks) << "mass table";
        // The shape icons of the mass table's remarks column stand one per printed row.
        std::set<int> icon_rows;
        const double icon_x = s.sheet_width + 41200 + s.scale * 23000 / 50;
        for (const auto& x : e) {
            if (x.type != "LINE" || x.get(8) != "D-STR-STR1" || x.num(10) < icon_x) continue;
            icon_rows.insert(static_cast<int>((y0 - std::min(x.num(20), x.num(21))) / 300) + 1);
        }
        EXPECT_EQ(icon_rows.size(), marks.size()) << "shape icons";
        const auto show = [](const std::vector<std::string>& found) {
            std::string out;
            for (std::size_t i = 0; i < found.size() && i < 5; ++i) out += "\n  " + found[i];
            return out;
        };
        // A wall that starts at its reference point has no bars in the plan's lower half, where the
        // F2 and F4 indicators still stand.
        const std::vector<std::string> off =
            ctx->input.length_left > 0 ? test::heads_off_bars(sheet.entities, ctx->input) : std::vector<std::string>{};
        EXPECT_TRUE(off.empty()) << off.size() << " heads off the bars:" << show(off);
        const std::vector<std::string> ties = test::ties_off_bars(sheet.entities);
        EXPECT_TRUE(ties.empty()) << ties.size() << " ties off the bars:" << show(ties);
        const std::vector<std::string> layers = test::table_layer_faults(sheet.entities, *ctx);
        EXPECT_TRUE(layers.empty()) << layers.size() << " table entities off their layer:" << show(layers);
        std::vector<std::string> sorted = marks;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "a mark printed twice";
    }
    // The walls are plausible: most are drawn (about two in three; the rest stop at the member length).
    EXPECT_GT(drawn, 150);
}

}  // namespace
}  // namespace lwall
