// Many random but plausible walls through a whole in-memory run: level and sloped both ways, split
// and unsplit bars, every bar size, the size limits exactly. Each run must end in a specified way,
// write only finite numbers and print every bar of the list exactly once; on the sheet every
// arrow, leader and spacing tick of a bar call-out points at a drawn bar from the dimension layer,
// every S1 tie stands on a bar, and every line and text of the tables lies on its layer.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "checks/sheet_audit.hpp"
#include "core/run_failure.hpp"
#include "core/sjis.hpp"
#include "core/wall_fields.hpp"
#include "core/number_format.hpp"
#include "drawings/section_footing/bar_arrangement_view.hpp"
#include "drawings/section_footing/footing_plan.hpp"
#include "drawings/section_footing/section_view.hpp"
#include "drawings/wall/wall_elevations.hpp"
#include "output/file.hpp"
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

// Entity `a` of a view drawn where the layout put it, after the view moved by m: unmoved, or moved
// whole by m from its coordinates rounded to whole drawing units. A text or a circle may have moved
// further on its own, clear of what it lay over, by whole units; a line may have one end carried along
// with what it points to.
bool same(const test::SheetEntity& a, const test::SheetEntity& b, ViewMove m = {}) {
    const auto at = [](double v, double d) { return d == 0 ? v : round_half_away(v) + d; };
    if (a.kind != b.kind || a.layer != b.layer || a.width != b.width || a.radius != b.radius) return false;
    const bool first = at(a.a.x, m.dx) == b.a.x && at(a.a.y, m.dy) == b.a.y;
    const bool second = at(a.b.x, m.dx) == b.b.x && at(a.b.y, m.dy) == b.b.y;
    if (a.kind == test::SheetEntity::Kind::line) return first || second;
    if (first && (!a.aligned || second)) return true;
    // Moved on its own: each coordinate by a whole offset from where the view put it (rounded, where
    // it moves), both points alike.
    const auto own = [&](double v, double d, double got) {
        const double base = at(v, d);
        return got == base ? 0.0 : got - round_half_away(base);
    };
    const double dx = own(a.a.x, m.dx, b.a.x), dy = own(a.a.y, m.dy, b.a.y);
    const bool by_whole = dx == std::round(dx) && dy == std::round(dy);
    return by_whole && (!a.aligned || (own(a.b.x, m.dx, b.b.x) == dx && own(a.b.y, m.dy, b.b.y) == dy));
}

// The frames of a drawn sheet hold everything: every entity in exactly one frame, clear of the title
// blocks unless it is one, the blocks of the final step apart. Frame 1 holds what the drawings
// before the final step draw and nothing else but its title block: each view where the layout put
// it, or moved whole; and a view that lay inside the frame, clear of its title block and of the
// other views, where the layout put it.
void expect_frames_hold(const RunContext& ctx, const std::vector<test::SheetEntity>& sheet, const std::string& wall,
                        const std::string& title) {
    auto before = std::make_unique<RunContext>();
    test::SheetRecorder first;
    before->canvas.entities.add(first);
    start_sheet(*before, wall, example_layers(), title);
    // The views in drawing order, the elevations, the arrangement view (with the frames' borders),
    // the plan and the section, as the layout draws them: where each ends in `first`, its extent
    // and how far it moved.
    std::vector<std::size_t> ends;
    draw_wall_elevations(*before);
    ends.push_back(first.entities.size());
    draw_bar_arrangement_view(*before);
    ends.push_back(first.entities.size());
    draw_footing_plan(*before);
    ends.push_back(first.entities.size());
    draw_section_view(*before);
    ends.push_back(first.entities.size());
    ASSERT_EQ(ctx.view_moves.size(), 3u);
    const ViewMove moves[] = {ctx.view_moves[0], {}, ctx.view_moves[1], ctx.view_moves[2]};
    std::vector<Extent> drawn(4);
    ASSERT_LE(first.entities.size(), sheet.size());
    for (std::size_t v = 0, i = 0; v < 4; ++v) {
        for (; i < ends[v]; ++i) {
            ASSERT_TRUE(same(first.entities[i], sheet[i], moves[v]))
                << "entity " << i << " of frame 1 changed: " << first.entities[i].layer << " (" << first.entities[i].a.x << ", "
                << first.entities[i].a.y << ") - (" << first.entities[i].b.x << ", " << first.entities[i].b.y << ") now "
                << sheet[i].layer << " (" << sheet[i].a.x << ", " << sheet[i].a.y << ") - (" << sheet[i].b.x << ", " << sheet[i].b.y << ")";
            drawn[v].cover(first.entities[i].extent);
        }
    }
    const SheetFrame& frame1 = ctx.frames.front();
    Extent border;
    border.cover(0, 0);
    border.cover(frame1.width, frame1.height);
    for (const std::size_t v : {0u, 2u, 3u}) {
        bool clear = border.holds(drawn[v]) && !title_block_area(frame1).overlaps(drawn[v]);
        for (const std::size_t o : {0u, 2u, 3u}) clear = clear && (o == v || !drawn[o].overlaps(drawn[v]));
        EXPECT_TRUE(!clear || (moves[v].dx == 0 && moves[v].dy == 0)) << "view " << v << " moved though it fitted";
    }
    // After the views, frame 1 holds the blocks of the final step placed in the room they leave, and
    // its border and title block.
    for (std::size_t i = first.entities.size(); i < sheet.size(); ++i) {
        const bool in_frame1 = sheet[i].extent.x0 <= frame1.x + frame1.width;
        bool in_block = false;
        for (const PlacedBlock& b : ctx.blocks) {
            Extent room = b.extent;
            room.cover(b.extent.x0 - 1000, b.extent.y0 - 1000);
            room.cover(b.extent.x1 + 1000, b.extent.y1 + 1000);
            in_block = in_block || (b.frame == 1 && room.holds(sheet[i].extent));
        }
        EXPECT_TRUE(!in_frame1 || in_block || sheet[i].layer.starts_with("D-TTL-"))
            << "entity " << i << " moved into frame 1";
    }
    const std::vector<std::string> faults = test::frame_faults(sheet, ctx);
    EXPECT_TRUE(faults.empty()) << faults.size() << " entities or blocks out of their frames:" << show(faults);
}

TEST(RandomWalls, EveryRunEndsAsSpecifiedWithFiniteNumbersAndEveryBarPrintedOnce) {
    // The plain walls, and steep ones whose bars fall into two and three length classes.
    std::vector<std::string> walls;
    WallMaker maker(20261207);
    for (int n = 0; n < 300; ++n) walls.push_back(maker.next());
    WallMaker steep(20261208, true);
    for (int n = 0; n < 60; ++n) walls.push_back(steep.next());
    int drawn = 0;
    // What the walls drawn hold, so that the sheet read back is seen to agree with itself on each
    // kind: sloped each way, two and three length classes, bars in two pieces, longer on one side.
    std::map<std::string, int> kinds;
    for (std::size_t n = 0; n < walls.size(); ++n) {
        const std::string& wall = walls[n];
        SCOPED_TRACE("wall " + std::to_string(n) + ":\n" + wall);
        auto ctx = std::make_unique<RunContext>();
        test::SheetRecorder sheet;
        SheetAudit audit;
        ctx->canvas.entities.add(sheet);
        ctx->canvas.entities.add(audit);
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
        const std::vector<Message> disagreements = audit.disagreements();
        EXPECT_TRUE(disagreements.empty()) << disagreements.size() << " disagreements, the first: "
                                           << (disagreements.empty() ? "" : disagreements[0].en);
        const WallInput& w = ctx->input;
        kinds["left end higher"] += w.height_left > w.height_right;
        kinds["right end higher"] += w.height_left < w.height_right;
        kinds["two classes"] += ctx->handed.wall_vertical_class_count == 2;
        kinds["three classes"] += ctx->handed.wall_vertical_class_count == 3;
        kinds["two-piece bars"] += ctx->handed.w3_piece_count == 2;
        kinds["longer on one side"] += w.length_left != w.length_right;
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
        // Under a steep top the rule of the S1 columns left of the reference point sets some ties
        // above the shorter class's bars; the plain walls hold them to their bars.
        const std::vector<std::string> ties = test::ties_off_bars(sheet.entities);
        EXPECT_TRUE(ties.empty() || n >= 300) << ties.size() << " ties off the bars:" << show(ties);
        const std::vector<std::string> layers = test::table_layer_faults(sheet.entities, *ctx);
        EXPECT_TRUE(layers.empty()) << layers.size() << " table entities off their layer:" << show(layers);
        std::vector<std::string> sorted = marks;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "a mark printed twice";
        expect_frames_hold(*ctx, sheet.entities, wall, full_title());
    }
    // The walls are plausible: most are drawn (about two in three; the rest stop at the member length).
    EXPECT_GT(drawn, 190);
    for (const auto& [kind, walls] : kinds) EXPECT_GT(walls, 0) << kind;
    EXPECT_EQ(kinds.size(), 6u);
}

// A run whose outputs are only the two files draws frame 1 straight into them and starts over,
// files emptied, where a view has to move: the files hold exactly what the run that records frame 1
// writes, on walls whose views move and on walls whose views stay.
TEST(RandomWalls, FilesWrittenAreTheSheetDrawnInMemory) {
    WallMaker maker(7);
    int moved = 0, stayed = 0;
    const test::TempFolder folder;
    for (int n = 0; n < 60 && (moved < 4 || stayed < 2); ++n) {
        const std::string wall = maker.next();
        SCOPED_TRACE("wall " + std::to_string(n) + ":\n" + wall);
        const SheetResult in_memory = [&] {
            SheetRequest r;
            r.picture = true;
            return run_sheet(wall, example_layers(), full_title(), r);
        }();
        if (in_memory.status != 0) continue;
        auto ctx = std::make_unique<RunContext>();
        draw_whole_sheet(*ctx, wall, example_layers(), full_title());
        bool moves = false;
        for (const ViewMove& m : ctx->view_moves) moves = moves || m.dx != 0 || m.dy != 0;
        (moves ? moved : stayed) += 1;
        // Files that already hold text: the sheet follows it, whole, whether or not views were moved.
        const std::string before(4096, 'x');
        File dxf = open_file(folder / "Lwall.dxf", "w+b");
        File scr = open_file(folder / "plenk.scr", "w+b");
        ASSERT_TRUE(dxf && scr);
        std::fwrite(before.data(), 1, before.size(), dxf.get());
        std::fwrite(before.data(), 1, before.size(), scr.get());
        SheetRequest r;
        r.dxf_file = dxf.get();
        r.scr_file = scr.get();
        const SheetResult written = run_sheet(wall, example_layers(), full_title(), r);
        ASSERT_EQ(written.status, 0);
        dxf.reset();
        scr.reset();
        EXPECT_TRUE(test::same_text(test::read_file((folder / "Lwall.dxf").string()), before + in_memory.dxf));
        EXPECT_TRUE(test::same_text(test::read_file((folder / "plenk.scr").string()), before + in_memory.scr));
    }
    EXPECT_EQ(moved, 4);
    EXPECT_GE(stayed, 2);
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
