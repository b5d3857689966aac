// Many random but plausible walls through a whole in-memory run: level and sloped both ways, split
// and unsplit bars, every bar size, the size limits exactly. Each run must end in a specified way,
// write only finite numbers and print every bar of the list exactly once; on the sheet every
// arrow, leader and spacing tick of a bar call-out points at a drawn bar from the dimension layer,
// every S1 tie stands on a bar, and every line and text of the tables lies on its layer.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/run_failure.hpp"
#include "core/sjis.hpp"
#include "core/wall_fields.hpp"
#include "drawings/section_footing/footing_views.hpp"
#include "drawings/section_footing/section_view.hpp"
#include "drawings/wall/wall_elevations.hpp"
#include "sheet/random_walls.hpp"
#include "sheet/run_sheet.hpp"
#include "sheet/sheet_checks.hpp"
#include "test_support.hpp"

namespace lwall {
namespace {

using test::WallMaker;

std::string example_layers() { return test::example_file("level", "GasouL.dat"); }

// The texts of the first column of a table whose `rows` rows stand 300 apart below (x0, y0).
std::vector<std::string> first_column(const std::vector<test::DxfEntity>& e, double x0, double y0, std::size_t rows) {
    std::vector<std::pair<double, std::string>> cells;
    const double bottom = y0 - 300 * static_cast<double>(rows + 1);
    for (const auto& x : e) {
        if (x.type != "TEXT" || x.get(8) != "D-MTR-MTXT") continue;
        if (std::abs(x.num(10) - (x0 + 50)) > 1 || x.num(20) > y0 || x.num(20) < bottom) continue;
        cells.emplace_back(-x.num(20), x.get(1));
    }
    std::sort(cells.begin(), cells.end());
    std::vector<std::string> out;
    for (const auto& c : cells) out.push_back(c.second);
    return out;
}

// A title block with every value as long as its box allows.
std::string full_title() {
    std::string t;
    for (const WallField& f : title_fields()) {
        for (std::size_t k = 0; k + 2 <= f.max_bytes; k += 2) t += u8"擁"_sj;
        t += "\r\n";
    }
    return t;
}

std::string show(const std::vector<std::string>& found) {
    std::string out;
    for (std::size_t i = 0; i < found.size() && i < 5; ++i) out += "\n  " + found[i];
    return out;
}

bool same(const test::SheetEntity& a, const test::SheetEntity& b) {
    return a.kind == b.kind && a.layer == b.layer && a.width == b.width && a.a.x == b.a.x && a.a.y == b.a.y &&
           a.b.x == b.b.x && a.b.y == b.b.y && a.radius == b.radius;
}

// The frames of a drawn sheet hold what the final step and the title blocks add: every entity in
// exactly one frame, clear of the title blocks unless it is one, the blocks of the final step apart;
// and frame 1 holds what the drawings before the final step draw, unchanged, and nothing else but its
// title block.
void expect_frames_hold(const RunContext& ctx, const std::vector<test::SheetEntity>& sheet, const std::string& wall,
                        const std::string& title) {
    auto before = std::make_unique<RunContext>();
    test::SheetRecorder first;
    before->canvas.entities.add(first);
    start_sheet(*before, wall, example_layers(), title);
    draw_wall_elevations(*before);
    draw_footing_views(*before);
    draw_section_view(*before);
    ASSERT_LE(first.entities.size(), sheet.size());
    for (std::size_t i = 0; i < first.entities.size(); ++i) {
        ASSERT_TRUE(same(first.entities[i], sheet[i])) << "entity " << i << " of frame 1 changed";
    }
    const SheetFrame& frame1 = ctx.frames.front();
    for (std::size_t i = first.entities.size(); i < sheet.size(); ++i) {
        const bool in_frame1 = sheet[i].extent.x0 <= frame1.x + frame1.width;
        EXPECT_TRUE(!in_frame1 || sheet[i].layer.starts_with("D-TTL-")) << "entity " << i << " moved into frame 1";
    }
    const std::vector<std::string> faults = test::frame_faults(sheet, first.entities.size(), ctx);
    EXPECT_TRUE(faults.empty()) << faults.size() << " entities or blocks out of their frames:" << show(faults);
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
            draw_whole_sheet(*ctx, wall, example_layers(), full_title());
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
        const Point schedule = test::table_offset(*ctx, 0);
        const Point mass = test::table_offset(*ctx, 1);
        EXPECT_EQ(first_column(e, s.sheet_width + 23000 + s.scale * 23000 / 50 + schedule.x, y0 + schedule.y, marks.size()),
                  marks)
            << "bending schedule";
        EXPECT_EQ(first_column(e, s.sheet_width + 33000 + s.scale * 23000 / 50 + mass.x, y0 + mass.y, marks.size()), marks)
            << "mass table";
        // The shape icons of the mass table's remarks column stand one per printed row.
        std::set<int> icon_rows;
        const double icon_x = s.sheet_width + 41200 + s.scale * 23000 / 50 + mass.x;
        for (const auto& x : e) {
            if (x.type != "LINE" || x.get(8) != "D-STR-STR1" || x.num(10) < icon_x ||
                x.num(10) > icon_x + 1200 || x.num(20) > y0 + mass.y ||
                x.num(20) < y0 + mass.y - 300 * static_cast<double>(marks.size() + 1)) {
                continue;
            }
            icon_rows.insert(static_cast<int>((y0 + mass.y - std::min(x.num(20), x.num(21))) / 300) + 1);
        }
        EXPECT_EQ(icon_rows.size(), marks.size()) << "shape icons";
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
        expect_frames_hold(*ctx, sheet.entities, wall, full_title());
    }
    // The walls are plausible: most are drawn (about two in three; the rest stop at the member length).
    EXPECT_GT(drawn, 150);
}

TEST(ExtremeWalls, EverySheetSetFitsItsFramesAndTablesOfALargeScaleGetAFrameAt1To50) {
    struct Case {
        std::string wall;
        double scale;
    };
    const Case cases[] = {
        {test::example_wall_with("level", {{1, "1000,300,1200"}, {2, "2600,400,2600,2600"}}), 50},  // both size limits
        {test::example_wall_with("sloped", {{3, "9000,5000"}}), 60},
        {test::example_wall_with("sloped", {{3, "3000,20000"}, {6, "100,100,16000"}}), 70},
        {test::example_wall_with("level", {{3, "50000,50000"}, {6, "100,100,60000"}}), 210},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wall);
        auto ctx = std::make_unique<RunContext>();
        test::SheetRecorder sheet;
        ctx->canvas.entities.add(sheet);
        draw_whole_sheet(*ctx, c.wall, example_layers(), full_title());
        EXPECT_EQ(ctx->layout.scale, c.scale);
        // The drawings at the sheet's scale; the tables beside them, or at 1:50 on a larger scale.
        for (const PlacedBlock& b : ctx->blocks) {
            const double table_scale = c.scale > 60 ? 50 : c.scale;
            EXPECT_EQ(ctx->frames[static_cast<std::size_t>(b.frame - 1)].scale,
                      b.role == BlockRole::table ? table_scale : c.scale);
        }
        expect_frames_hold(*ctx, sheet.entities, c.wall, full_title());
    }
}

}  // namespace
}  // namespace lwall
