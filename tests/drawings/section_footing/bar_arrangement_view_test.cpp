#include "drawings/section_footing/bar_arrangement_view.hpp"

#include <gtest/gtest.h>

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "footing_fixture.hpp"

namespace lwall {
namespace {

using test::fitting_wall;
using test::footing_context;

void set_class(RunContext& ctx, int row, double rise, double foot) {
    ctx.bar_list.fixed(row).len1 = rise;
    ctx.bar_list.fixed(row).len2 = foot;
}

TEST(WallBarLegPick, TakesTheClassTheThreeTestsLeave) {
    RunContext ctx;
    // A single length class: rows 3 to 6 empty.
    set_class(ctx, 1, 2305, 195);
    set_class(ctx, 2, 2290, 210);
    pick_wall_bar_legs(ctx);
    EXPECT_EQ(ctx.handed.w1_rise_length, 2305);
    EXPECT_EQ(ctx.handed.w1_foot_length, 195);
    EXPECT_EQ(ctx.handed.w2_rise_length, 2290);
    EXPECT_EQ(ctx.handed.w2_foot_length, 210);

    // 3000, 2500, 2000: the second test holds after the first and wins.
    set_class(ctx, 1, 3000, 1);
    set_class(ctx, 3, 2500, 3);
    set_class(ctx, 4, 2400, 4);
    set_class(ctx, 5, 2000, 5);
    pick_wall_bar_legs(ctx);
    EXPECT_EQ(ctx.handed.w1_rise_length, 2500);
    EXPECT_EQ(ctx.handed.w1_foot_length, 3);
    EXPECT_EQ(ctx.handed.w2_rise_length, 2400);

    // The third class longest: rows 5 and 6.
    set_class(ctx, 5, 3500, 5);
    set_class(ctx, 6, 3400, 6);
    pick_wall_bar_legs(ctx);
    EXPECT_EQ(ctx.handed.w1_rise_length, 3500);
    EXPECT_EQ(ctx.handed.w2_foot_length, 6);

    // All three equally long: no test holds, and rows 1 and 2 stand for them.
    set_class(ctx, 1, 2000, 1);
    set_class(ctx, 3, 2000, 3);
    set_class(ctx, 5, 2000, 5);
    pick_wall_bar_legs(ctx);
    EXPECT_EQ(ctx.handed.w1_foot_length, 1);
    EXPECT_EQ(ctx.handed.w2_rise_length, 2290);
}

TEST(BarArrangementView, FillsTheRowsOfW5F1AndF2) {
    auto ctx = footing_context(fitting_wall({{42, "3,4,0,0,2"}}));
    draw_bar_arrangement_view(*ctx);
    const ScheduleRow& w5 = ctx->bar_list.fixed(BarList::kW5);
    EXPECT_EQ(w5.mark, "W5");
    EXPECT_EQ(w5.shape_code, "6");
    EXPECT_EQ(w5.size_text, "D13");
    EXPECT_EQ(w5.count, 10);
    EXPECT_EQ(w5.len1, 260);
    EXPECT_EQ(w5.len2, 220);  // 400 - 100 - 80
    EXPECT_EQ(w5.total_length, 740);  // 220 + 2 x 260
    EXPECT_DOUBLE_EQ(w5.unit_mass, 0.995);

    const ScheduleRow& f1 = ctx->bar_list.fixed(BarList::kF1);
    EXPECT_EQ(f1.mark, "F1");
    EXPECT_EQ(f1.shape_code, "4");
    EXPECT_EQ(f1.size_text, "D16");
    EXPECT_EQ(f1.count, 14 + 8 + 10 + 11);  // the zone counts, without the one more of a mark's bars
    EXPECT_EQ(f1.len1, 320);  // D16: 20 d
    EXPECT_EQ(f1.len2, 2000);
    EXPECT_EQ(f1.len3, 260);  // the W5 leg, shorter than 500 - 100 - 100
    EXPECT_EQ(f1.total_length, 2580);
    EXPECT_EQ(ctx->handed.f1_anchorage_extension, 320);

    const ScheduleRow& f2 = ctx->bar_list.fixed(BarList::kF2);
    EXPECT_EQ(f2.mark, "F2");
    EXPECT_EQ(f2.shape_code, "2");
    EXPECT_EQ(f2.count, 20 + 6 + 12 + 10);
    EXPECT_EQ(f2.len1, 240);  // 15 d fits in 300
    EXPECT_EQ(f2.len2, 2040);  // 2200 - 2 x 80
    EXPECT_EQ(f2.total_length, 2520);
    EXPECT_DOUBLE_EQ(f2.unit_mass, 1.56);
}

TEST(BarArrangementView, AnchorageExtensionAndEndLegsByDiameter) {
    // D13 top bars extend 15 d; a D25 bottom bar's 15 d leg (375) is cut to the 300 between the covers.
    auto ctx = footing_context(fitting_wall({{8, "13,0,0,0,0"}, {12, "25,0,0,0,0"}}));
    draw_bar_arrangement_view(*ctx);
    EXPECT_EQ(ctx->handed.f1_anchorage_extension, 195);
    EXPECT_EQ(ctx->bar_list.fixed(BarList::kF1).len1, 195);
    EXPECT_EQ(ctx->bar_list.fixed(BarList::kF2).len1, 300);
    EXPECT_EQ(ctx->bar_list.fixed(BarList::kF2).total_length, 2 * 300 + 2040);

    // The F1 line drawn with the yellow pen ends in the anchor leg at the toe: 195 for D13 on a
    // 400 footing (the 15 d minimum wins), 338 on a 250 footing.
    for (const auto& [footing, leg] : {std::pair{"2400,400,2400,2400", 195.0}, {"2400,250,2400,2400", 338.0}}) {
        auto c = footing_context(fitting_wall({{2, footing}, {8, "13,0,0,0,0"}}));
        draw_bar_arrangement_view(*c);
        std::vector<test::Segment> yellow;
        for (const auto& e : test::entities(c->canvas)) {
            if (e.type == "LINE" && e.get(8) == "D-STR-STR1" && e.num(39) == 0.5) {
                yellow.push_back({e.num(10), e.num(20), e.num(11), e.num(21)});
            }
        }
        ASSERT_EQ(yellow.size(), 6u) << footing;  // F1, then F2
        EXPECT_EQ(yellow[2].y2 - yellow[2].y1, leg) << footing;
        EXPECT_EQ(yellow[2].x1, yellow[2].x2);
    }
}

TEST(BarArrangementView, FramesTitleAndBarsInTheirOrder) {
    auto ctx = footing_context(fitting_wall());
    const SheetLayout& s = ctx->layout;
    draw_bar_arrangement_view(*ctx);
    const auto e = test::entities(ctx->canvas);
    ASSERT_GE(e.size(), 5u);
    // The frames are the sheet set's, drawn once it is known what each holds.
    for (const auto& x : e) EXPECT_NE(x.get(8), "D-TTL-FRAM");
    // Title over the view.
    EXPECT_EQ(e[0].type, "TEXT");
    EXPECT_EQ(e[0].get(1), u8"鉄 筋 組 立 図"_sj);
    EXPECT_EQ(e[0].get(7), "KANJI");
    EXPECT_EQ(e[0].num(40), 400);
    EXPECT_EQ(e[0].num(10), s.footing_view1_x + 200 - 1500);
    EXPECT_EQ(e[0].num(20), s.footing_view1_y + 500 + 2400 + 1500);
    // Its scale beside it, on its baseline.
    EXPECT_EQ(e[1].get(1), "S=1:50");
    EXPECT_EQ(e[1].num(20), e[0].num(20));
    // W1 on the back face, cover4 in from it (200 - 80): foot 240 and rise 2260 from 100 + 16
    // above the underside.
    const Point o{s.footing_view1_x, s.footing_view1_y};
    EXPECT_EQ(e[2].num(10) - o.x, 120 + 240);
    EXPECT_EQ(e[2].num(20) - o.y, 116);
    EXPECT_EQ(e[3].num(11) - o.x, 120);
    EXPECT_EQ(e[3].num(21) - o.y, 116 + 2260);
    // The pen the half leaves behind.
    EXPECT_EQ(ctx->canvas.pen.layer, "D-STR-HTXT");
    EXPECT_EQ(ctx->canvas.pen.colour, 4);
    EXPECT_EQ(ctx->canvas.pen.width, 0.13);
    EXPECT_EQ(ctx->canvas.state.dim_ext_gap, 100);

    // One leader command each for W5, F1 and F2, in that order.
    const auto lines = test::crlf_lines(ctx->canvas.scr_out.contents());
    ASSERT_EQ(lines.size(), 6u);
    TextBuf w5;  // W5 leader at the middle of the cap bar + 40, 2800 high
    w5.text("qleader ").fixed(o.x + 40, 5, 0).text(",").fixed(o.y + 2800, 5, 0).text(" ");
    EXPECT_TRUE(lines[0].starts_with(w5.view())) << lines[0];
    EXPECT_EQ(lines[1], "");
    EXPECT_NE(lines[2].find(std::to_string(static_cast<int>(o.y + 400))), std::string::npos) << lines[2];
}

TEST(BarArrangementView, CapBarOfASlopedWallSitsUnderTheHigherEnd) {
    auto ctx = footing_context(fitting_wall({{2, "2000,500,1800,2400"}}));
    draw_bar_arrangement_view(*ctx);
    const Point o{ctx->layout.footing_view1_x, ctx->layout.footing_view1_y};
    const auto bars = test::lines_on(test::entities(ctx->canvas), "D-STR-STR1", o);
    // W1 (2 lines), W2 (2), then W5: up its left leg to the top, 2400 + 500 - 100.
    ASSERT_GE(bars.size(), 7u);
    EXPECT_EQ(bars[4].y2, 2800);
    EXPECT_EQ(bars[4].y1, 2800 - 260);
    // Across the wall between cover3 and cover4 (400 - 100 - 80 = 220), 10 beyond at each end.
    EXPECT_EQ(bars[5].x1, -120);
    EXPECT_EQ(bars[5].x2, 120);
}

}  // namespace
}  // namespace lwall
