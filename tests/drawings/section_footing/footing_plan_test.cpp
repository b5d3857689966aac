#include "drawings/section_footing/footing_plan.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

#include "core/bar_rules.hpp"
#include "core/run_failure.hpp"
#include "core/sjis.hpp"
#include "drawings/section_footing/bar_arrangement_view.hpp"
#include "footing_fixture.hpp"

namespace lwall {
namespace {

using test::fitting_wall;
using test::Segment;

// The plan drawn after the arrangement view (which gives it the F1 run), its own entities and
// script lines apart.
struct DrawnPlan {
    std::unique_ptr<RunContext> ctx;
    std::vector<test::DxfEntity> e;
    std::vector<std::string> script;
    Point origin;
};

DrawnPlan draw_plan(const std::string& wall) {
    DrawnPlan p;
    p.ctx = test::footing_context(wall);
    draw_bar_arrangement_view(*p.ctx);
    const std::size_t entities_before = test::entities(p.ctx->canvas).size();
    const std::size_t script_before = test::crlf_lines(p.ctx->canvas.scr_out.contents()).size();
    draw_footing_plan(*p.ctx);
    const auto all = test::entities(p.ctx->canvas);
    p.e.assign(all.begin() + static_cast<std::ptrdiff_t>(entities_before), all.end());
    const auto lines = test::crlf_lines(p.ctx->canvas.scr_out.contents());
    p.script.assign(lines.begin() + static_cast<std::ptrdiff_t>(script_before), lines.end());
    p.origin = {p.ctx->layout.footing_view2_x, p.ctx->layout.footing_view2_y};
    return p;
}

bool has_group(const test::DxfEntity& e, int code) {
    return std::any_of(e.groups.begin(), e.groups.end(), [&](const auto& g) { return g.first == code; });
}

std::vector<Segment> bars(const DrawnPlan& p) { return test::lines_on(p.e, "D-STR-STR1", p.origin); }

// The lines along the wall (longitudinal bars and the legs of the ties).
std::vector<Segment> along_wall(const DrawnPlan& p) {
    std::vector<Segment> out;
    for (const Segment& s : bars(p)) {
        if (s.x1 == s.x2) out.push_back(s);
    }
    return out;
}

// The S2 ties: three strokes, a 50 x 50 hook, the 500 leg, and a hook again.
std::vector<Segment> tie_legs(const DrawnPlan& p) {
    const auto b = bars(p);
    std::vector<Segment> out;
    for (std::size_t i = 1; i + 1 < b.size(); ++i) {
        const bool hook_in = b[i - 1].x1 - b[i - 1].x2 == 50 && b[i - 1].y2 - b[i - 1].y1 == 50;
        const bool leg = b[i].x1 == b[i].x2 && b[i].y2 - b[i].y1 == 500;
        if (hook_in && leg) out.push_back(b[i]);
    }
    return out;
}

TEST(SecondPieceLength, OverlapPlusLapRoundedUpToTheNext500) {
    EXPECT_EQ(lapped_second_piece(6000, 4000, 13), 2500);  // 2000 + 406.25
    EXPECT_EQ(lapped_second_piece(6000, 3000, 13), 3500);  // 3000 + 406.25
    EXPECT_EQ(lapped_second_piece(6000, 4500, 16), 2500);  // 1500 + 500 = 2000 exactly gains 500
}

TEST(FootingPlan, BarsExactlyAsLongAsTheMaximumAreNotSplit) {
    const DrawnPlan p = draw_plan(fitting_wall({{6, "100,100,9800"}}));
    for (const int row : {BarList::kF3, BarList::kF4}) {
        const ScheduleRow& r = p.ctx->bar_list.fixed(row);
        EXPECT_EQ(r.mark, row == BarList::kF3 ? "F3" : "F4");
        EXPECT_EQ(r.shape_code, "5");
        EXPECT_EQ(r.size_text, "D13");
        EXPECT_EQ(r.count, row == BarList::kF3 ? 2 + 2 + 6 + 1 : 3 + 2 + 8 + 1);  // the spacings and one more
        EXPECT_EQ(r.total_length, 9800);
        EXPECT_EQ(r.len1, 9800);
        EXPECT_DOUBLE_EQ(r.unit_mass, 0.995);
    }
    EXPECT_FALSE(p.ctx->bar_list.fixed(BarList::kF3Second).used());
    EXPECT_FALSE(p.ctx->bar_list.fixed(BarList::kF4Second).used());
    // The bars of each layer in its half, each as long as its half of the run.
    int top = 0, bottom = 0;
    for (const Segment& s : along_wall(p)) {
        if (s.y1 == 0 && s.y2 == 4900) ++top;
        if (s.y1 == 0 && s.y2 == -4900) ++bottom;
    }
    EXPECT_EQ(top, 11);
    EXPECT_EQ(bottom, 14);
}

TEST(FootingPlan, SplitBarsLapOnEverySecondBar) {
    // L = 6000 over a maximum of 4000: second pieces of 2500.
    const DrawnPlan p = draw_plan(
        fitting_wall({{3, "3100,3100"}, {6, "100,100,4000"}, {10, "5,5,5,5,0"}, {14, "5,5,5,5,0"}}));
    const BarList& rows = p.ctx->bar_list;
    EXPECT_EQ(rows.fixed(BarList::kF3).mark, "F3-1");
    EXPECT_EQ(rows.fixed(BarList::kF3).total_length, 4000);
    EXPECT_EQ(rows.fixed(BarList::kF3Second).mark, "F3-2");
    EXPECT_EQ(rows.fixed(BarList::kF3Second).total_length, 2500);
    EXPECT_EQ(rows.fixed(BarList::kF3Second).len1, 2500);
    EXPECT_EQ(rows.fixed(BarList::kF3Second).count, 11);
    EXPECT_EQ(rows.fixed(BarList::kF4).mark, "F4-1");
    EXPECT_EQ(rows.fixed(BarList::kF4).total_length, 4000);
    EXPECT_EQ(rows.fixed(BarList::kF4Second).mark, "F4-2");
    EXPECT_EQ(rows.fixed(BarList::kF4Second).total_length, 2500);

    // Top half: the first bar twice (at 100 from the heel by cover3, at 80 by cover4), then bars
    // 2 ... 11 from the heel: even ones as two pieces lapping over 500 (4000 + 2500 - 6000),
    // the second piece one diameter to the right; odd ones whole.
    std::vector<Segment> top;
    for (const Segment& s : along_wall(p)) {
        if (std::max(s.y1, s.y2) > 0 && s.x1 > -800) top.push_back(s);
    }
    const auto legs = tie_legs(p);
    std::erase_if(top, [&](const Segment& s) {
        return std::any_of(legs.begin(), legs.end(), [&](const Segment& l) { return l.x1 == s.x1 && l.y1 == s.y1; });
    });
    ASSERT_EQ(top.size(), 2u + 5 * 2 + 5);
    EXPECT_EQ(top[0].x1, 1300);
    EXPECT_EQ(top[1].x1, 1320);
    // Bar 2, 200 left of the first: first piece from 4000 - 3000 down to the centre line.
    EXPECT_EQ(top[2].x1, 1100);
    EXPECT_EQ(top[2].y1, 1000);
    EXPECT_EQ(top[2].y2, 0);
    EXPECT_EQ(top[3].x1, 1113);
    EXPECT_EQ(top[3].y1, 3000);
    EXPECT_EQ(top[3].y2, 500);
    // Bar 3 whole, from the end down.
    EXPECT_EQ(top[4].x1, 900);
    EXPECT_EQ(top[4].y1, 3000);
    EXPECT_EQ(top[4].y2, 0);
}

TEST(FootingPlan, SecondPieceLongerThanTheMaximumStopsTheRun) {
    auto ctx = test::footing_context(fitting_wall({{3, "3100,3100"}, {6, "100,100,3000"}}));
    draw_bar_arrangement_view(*ctx);
    try {
        draw_footing_plan(*ctx);
        FAIL() << "a second piece of 3500 over a maximum of 3000 was drawn";
    } catch (const RunFailure& f) {
        const std::string sentence = "最大部材長を長くするか擁壁延長を短くしてください。";
        EXPECT_EQ(f.status, 5);
        EXPECT_EQ(f.message.ja, sentence);
        EXPECT_EQ(f.message.en, sentence);
        EXPECT_EQ(f.box_caption, "エラーです");
        EXPECT_EQ(f.box_text, "注意：" + sentence);
        // Beside the console line, what to change and by how much.
        EXPECT_EQ(f.fields, (std::vector<std::string>{"max_bar_length", "length_left", "length_right"}));
        EXPECT_TRUE(f.detail.en.starts_with("PlenkL.dat line 6, max_bar_length: the second piece of F3")) << f.detail.en;
    }
    // Drawn so far: up to the second first line of the top layer (cover4 from the heel), nothing
    // of its rows.
    const auto e = test::entities(ctx->canvas);
    ASSERT_FALSE(e.empty());
    EXPECT_EQ(e.back().type, "LINE");
    EXPECT_EQ(e.back().num(10) - ctx->layout.footing_view2_x, 1320);
    EXPECT_EQ(e.back().num(21) - ctx->layout.footing_view2_y, 3000);
    EXPECT_FALSE(ctx->bar_list.fixed(BarList::kF3).used());
}

// Every bar of the plan lies inside its outline, and a split bar's two pieces overlap by the
// lap at least, also on a wall whose ends are not symmetric about the reference point.
TEST(FootingPlan, BarsStayInsideTheOutline) {
    struct Case {
        const char* name;
        std::map<int, std::string> lines;
        double lap_overlap;  // 0: not split
    };
    const std::vector<Case> cases = {
        {"level", {}, 0},
        {"split", {{3, "3100,3100"}, {6, "100,100,4000"}, {10, "5,5,5,5,0"}, {14, "5,5,5,5,0"}}, 500},
        {"short left", {{3, "3000,7000"}, {14, "5,5,5,5,0"}}, 0},
        {"short left, split", {{3, "3000,7000"}, {6, "100,100,8000"}, {14, "5,5,5,5,0"}}, 700},
        {"short right, split", {{3, "7000,3000"}, {6, "100,100,8000"}, {10, "5,5,5,5,0"}}, 700},
    };
    for (const Case& c : cases) {
        const DrawnPlan p = draw_plan(fitting_wall(c.lines));
        const WallInput& w = p.ctx->input;
        const double xL = -w.wall_thickness / 2 - w.footing_left_width;
        const double xR = w.wall_thickness / 2 + w.footing_right_width;
        for (const Segment& s : bars(p)) {
            for (const double x : {s.x1, s.x2}) {
                EXPECT_GE(x, xL) << c.name;
                EXPECT_LE(x, xR) << c.name;
            }
            for (const double y : {s.y1, s.y2}) {
                EXPECT_GE(y, -w.length_left) << c.name;
                EXPECT_LE(y, w.length_right) << c.name;
            }
        }
        const double run = w.length_left + w.length_right - 200;
        if (c.lap_overlap == 0) {
            EXPECT_EQ(p.ctx->bar_list.fixed(BarList::kF3).total_length, run) << c.name;
            EXPECT_EQ(p.ctx->bar_list.fixed(BarList::kF4).total_length, run) << c.name;
            continue;
        }
        // Top layer, bar 2: first piece up to y_a, second piece down to y_b.
        const auto along = along_wall(p);
        const auto piece1 = std::find_if(along.begin(), along.end(), [](const Segment& s) { return s.x1 == 1100; });
        const auto piece2 = std::find_if(along.begin(), along.end(), [](const Segment& s) { return s.x1 == 1113; });
        ASSERT_NE(piece1, along.end()) << c.name;
        ASSERT_NE(piece2, along.end()) << c.name;
        EXPECT_EQ(piece1->y1 - piece2->y2, c.lap_overlap) << c.name;
        EXPECT_GE(c.lap_overlap, bar_length_by_rule(13, kRuleLap));
        EXPECT_EQ(piece2->y1, w.length_right - 100) << c.name;
    }
}

// The ticks of a spacing indicator across the footing: the x of every tick on the chain at height y
// (a tick is two strokes 50 along the chain and 50 tan 15 = 13 across it, in whole millimetres).
std::set<double> ticks_across(const DrawnPlan& p, double y) {
    std::set<double> x;
    for (const Segment& s : test::lines_on(p.e, "D-STR-DIM", p.origin)) {
        if (s.y1 == y && std::fabs(s.x2 - s.x1) == 50 && std::fabs(s.y2 - s.y1) == 13) x.insert(s.x1);
    }
    return x;
}

// Each layer's indicator starts where its bars start at the toe: F3 at cover3 (100), F4 at cover4
// (80), and ticks every bar of its layer.
TEST(FootingPlan, SpacingIndicatorsAcrossTheFootingTickEveryBar) {
    const DrawnPlan p = draw_plan(fitting_wall());
    // F3 from -800 + 100: 2 x 250, 2 x 150, 6 x 200 up to the heel bar at 1400 - 100. The chain
    // stands 3.5 F1 spacings up (875).
    const std::set<double> f3 = ticks_across(p, 875);
    EXPECT_EQ(f3, (std::set<double>{-700, -450, -200, -50, 100, 300, 500, 700, 900, 1100, 1300}));
    // F4 from -800 + 80: 3 x 200, 2 x 300, 8 x 100; 3.5 zone-3 spacings down (-350).
    const std::set<double> f4 = ticks_across(p, -350);
    EXPECT_EQ(f4, (std::set<double>{-720, -520, -320, -120, 180, 480, 580, 680, 780, 880, 980, 1080, 1180, 1280}));
    // The bars they tick (the top half also holds the legs of the S2 ties).
    std::set<double> top, bottom;
    for (const Segment& s : along_wall(p)) (s.y1 + s.y2 > 0 ? top : bottom).insert(s.x1);
    EXPECT_TRUE(std::includes(top.begin(), top.end(), f3.begin(), f3.end()));
    EXPECT_EQ(bottom, f4);

    // A zone left empty between used ones: F3 4 x 250, none of 150, 5 x 200. The heel zone's
    // chain still stands, from one of its spacings past the toe zone's end; the empty zone's two
    // chains of no step leave one tick each where they start (300, and 450 on no bar).
    const DrawnPlan gap = draw_plan(fitting_wall({{18, "4,0,5,0,0"}}));
    EXPECT_EQ(ticks_across(gap, 875), (std::set<double>{-700, -450, -200, 50, 300, 450, 500, 700, 900, 1100, 1300}));
}

TEST(FootingPlan, S2TiesStaggeredInColumnsAndCountedForTheSchedule) {
    const DrawnPlan p = draw_plan(fitting_wall());
    // Columns 1, 3, 5 and 7 (up to 6 + 2 - 1 of the F3 heel zones) on the F3 bars 200, 600 and
    // 1000 from the heel bar, and 1350 (six spacings of 200 and one of 150), less the tie
    // diameter; the first and the fifth start one tie height up. Two ties fit in 8 x 250 in each.
    const auto legs = tie_legs(p);
    ASSERT_EQ(legs.size(), 8u);
    const std::vector<std::pair<double, double>> expected = {{1087, 500}, {1087, 1500}, {687, 0},  {687, 1000},
                                                             {287, 500},  {287, 1500},  {-63, 0}, {-63, 1000}};
    for (std::size_t i = 0; i < legs.size(); ++i) {
        EXPECT_EQ(legs[i].x1, expected[i].first) << i;
        EXPECT_EQ(legs[i].y1, expected[i].second) << i;
    }
    // The call-out points at the middle of the first tie.
    const auto dim = test::lines_on(p.e, "D-STR-DIM", p.origin);
    EXPECT_TRUE(std::any_of(dim.begin(), dim.end(), [](const Segment& s) {
        return s.x1 == 1087 && s.y1 == 750 && s.x2 == 1587 && s.y2 == 1750;
    }));

    // The schedule counts over F1 zones 1 and 3 (14 x 200 + 10 x 150 = 4300), with the rule of
    // the drawing (F1.pitch[1] carries none of its own): four ties a column, whether it starts
    // at 0 or one tie height up, two bars each.
    const ScheduleRow& s2 = p.ctx->bar_list.fixed(BarList::kS2);
    EXPECT_EQ(s2.mark, "S2");
    EXPECT_EQ(s2.shape_code, "3");
    EXPECT_EQ(s2.count, 32);
    EXPECT_EQ(s2.len2, 500 - 200 + 16 + 13);
    EXPECT_EQ(s2.len3, 2 * 150 + 16 + 13);  // two F2 zone-1 spacings
    EXPECT_EQ(s2.total_length, 1190);  // 2 x 329 + 329 + 200, floored to 10, + 10
    EXPECT_EQ(s2.len1, 101.5);
    const S2TieTotals totals = count_s2_ties(p.ctx->input);
    EXPECT_EQ(totals.drawn, 8);
    EXPECT_EQ(totals.counted, 16);
}

TEST(FootingPlan, S2TiesByTheF1Pitch) {
    // 125: the row step doubles; 18 x 125 holds the same two ties in each of the four columns.
    const DrawnPlan p125 = draw_plan(fitting_wall({{9, "250,125,250,250,0"}, {10, "9,18,9,9,0"}}));
    EXPECT_EQ(tie_legs(p125).size(), 8u);

    // 200 draws no tie and no call-out; the count still follows F1.pitch[1]: six ties a column
    // up to 14 x 250 + 10 x 250.
    const DrawnPlan p200 = draw_plan(fitting_wall({{9, "250,200,250,250,0"}}));
    EXPECT_TRUE(tie_legs(p200).empty());
    const auto dim = test::lines_on(p200.e, "D-STR-DIM", p200.origin);
    EXPECT_FALSE(std::any_of(dim.begin(), dim.end(),
                             [](const Segment& s) { return s.x2 - s.x1 == 500 && s.y2 - s.y1 == 1000; }));
    EXPECT_EQ(p200.ctx->bar_list.fixed(BarList::kS2).count, 2 * 4 * 6);
    // With few bars in F1 zones 1 and 2 the rows they hold bound the count before the length does:
    // (10 + 2) / (2 x 2) + 2 = 5 ties a column, where 10 x 250 + 18 x 250 would hold seven.
    const DrawnPlan few = draw_plan(fitting_wall({{9, "250,200,250,250,0"}, {10, "10,2,18,9,0"}}));
    EXPECT_EQ(few.ctx->bar_list.fixed(BarList::kS2).count, 2 * 4 * 5);

    // Neither pitch carries ties: none are counted (the count's step would be zero).
    const DrawnPlan none = draw_plan(fitting_wall({{9, "200,200,200,200,0"}}));
    EXPECT_TRUE(tie_legs(none).empty());
    EXPECT_EQ(none.ctx->bar_list.fixed(BarList::kS2).count, 0);
    EXPECT_EQ(none.ctx->bar_list.fixed(BarList::kS2).mark, "S2");
}

// Every label states what its dimension measures, on walls whose zones differ from each other
// and with zones of a single spacing.
TEST(FootingPlan, DimensionLabelsStateWhatTheyMeasure) {
    const std::vector<std::map<int, std::string>> walls = {
        {},
        {{9, "250,200,250,250,0"}, {10, "8,6,9,9,0"}, {13, "200,250,250,250,0"}, {14, "7,5,9,9,0"}},
        {{10, "8,1,9,9,0"}, {14, "1,9,9,9,0"}, {17, "600,200,200,0,0"}, {18, "1,2,5,0,0"},
         {21, "200,400,200,0,0"}, {22, "3,1,5,0,0"}},
    };
    for (const auto& lines : walls) {
        const DrawnPlan p = draw_plan(fitting_wall(lines));
        const auto dims = test::drawn_dimensions(p.e);
        EXPECT_GE(dims.size(), 18u);
        for (const auto& d : dims) test::expect_label_matches(d);

        if (lines.contains(18)) {
            // The F3 zone of a single 600 spacing carries its length alone.
            EXPECT_EQ(std::count_if(dims.begin(), dims.end(), [](const auto& d) { return d.label == "  600"; }), 1);
            const std::string one_spacing = std::string("1") + std::string(u8"×"_sj);
            EXPECT_TRUE(std::none_of(dims.begin(), dims.end(),
                                     [&](const auto& d) { return d.label.starts_with(one_spacing); }));
        }

        std::string script;
        for (const auto& l : p.script) script += l + "\r\n";
        const std::string times(u8"×"_sj);
        for (const auto& d : test::script_dimensions(script)) {
            const double measured = d.p1.x == d.p2.x ? std::fabs(d.p1.y - d.p2.y) : std::fabs(d.p1.x - d.p2.x);
            if (d.direction != 'M') continue;
            const std::size_t x = d.text.find(times);
            if (x == std::string::npos) {
                EXPECT_EQ(std::stod(d.text), measured) << d.text;
                continue;
            }
            const double count = std::stod(d.text.substr(0, x));
            const double pitch = std::stod(d.text.substr(x + times.size()));
            EXPECT_EQ(count * pitch, measured) << d.text;
            EXPECT_EQ(std::stod(d.text.substr(d.text.find('=') + 1)), measured) << d.text;
        }
    }
}

TEST(FootingPlan, OutlineLabelsPensAndTextStyle) {
    const DrawnPlan p = draw_plan(fitting_wall());
    ASSERT_GE(p.e.size(), 4u);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(p.e[k].get(8), "D-STR");
    EXPECT_EQ(p.e[0].num(10) - p.origin.x, -800);
    EXPECT_EQ(p.e[0].num(20) - p.origin.y, 5000);
    EXPECT_EQ(p.e[1].num(21) - p.origin.y, -5000);

    // The two overall dimensions come before the text style is set, the spacing ones after.
    std::vector<std::string> styles;
    for (const auto& e : p.e) {
        if (e.type == "TEXT" && e.get(8) == "D-STR-DIM" && has_group(e, 7)) styles.push_back(e.get(7));
    }
    ASSERT_GE(styles.size(), 3u);
    EXPECT_EQ(styles[0], "STANDARD");
    EXPECT_EQ(styles[1], "STANDARD");
    EXPECT_EQ(styles[2], "KANJI");
    EXPECT_EQ(p.ctx->canvas.state.dim_text_style, "KANJI");

    // Face labels, upright along the wall.
    std::vector<std::string> faces;
    for (const auto& e : p.e) {
        const bool upright = e.type == "TEXT" && e.get(8) == "D-STR-HTXT" && has_group(e, 50) && e.num(50) == 90;
        if (upright) faces.push_back(e.get(1));
    }
    const std::vector<std::string> expected = {std::string(u8"下 面 "_sj), std::string(u8"上 面 "_sj),
                                               std::string(u8"底　版"_sj), "S=1:50"};
    EXPECT_EQ(faces, expected);
    const auto centre = std::find_if(p.e.begin(), p.e.end(), [](const auto& e) { return e.get(8) == "D-BMK"; });
    ASSERT_NE(centre, p.e.end());
    EXPECT_EQ(centre->num(62), 7);
    EXPECT_EQ(centre->num(39), 0.13);

    // The wall faces close the plan on "D-STR", over the F1 zones and the top cover.
    const auto& last = p.e.back();
    EXPECT_EQ(last.get(8), "D-STR");
    EXPECT_EQ(last.num(10) - p.origin.x, 200);
    EXPECT_EQ(last.num(21) - p.origin.y, 8 * 250 + 14 * 200 + 100);
    EXPECT_EQ(p.ctx->canvas.pen.layer, "D-STR");
}

}  // namespace
}  // namespace lwall
