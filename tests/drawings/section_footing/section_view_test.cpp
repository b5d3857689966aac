#include "drawings/section_footing/section_view.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <tuple>

#include "core/sjis.hpp"
#include "drawings/section_footing/footing_views.hpp"
#include "footing_fixture.hpp"

namespace lwall {
namespace {

using test::fitting_wall;
using test::Segment;

struct DrawnSection {
    std::unique_ptr<RunContext> ctx;
    std::vector<test::DxfEntity> e;
    std::vector<std::string> script;
    Point origin;
};

// The section as the run draws it, after the footing views.
DrawnSection draw_section(const std::string& wall) {
    DrawnSection s;
    s.ctx = test::footing_context(wall);
    draw_footing_views(*s.ctx);
    const std::size_t entities_before = test::entities(s.ctx->canvas).size();
    const std::size_t script_before = test::crlf_lines(s.ctx->canvas.scr_out.contents()).size();
    draw_section_view(*s.ctx);
    const auto all = test::entities(s.ctx->canvas);
    s.e.assign(all.begin() + static_cast<std::ptrdiff_t>(entities_before), all.end());
    const auto lines = test::crlf_lines(s.ctx->canvas.scr_out.contents());
    s.script.assign(lines.begin() + static_cast<std::ptrdiff_t>(script_before), lines.end());
    s.origin = {s.ctx->layout.section_x, s.ctx->layout.section_y};
    return s;
}

struct Circle {
    double x, y, r;
};

std::vector<Circle> dots(const DrawnSection& s) {
    std::vector<Circle> out;
    for (const auto& e : s.e) {
        if (e.type == "CIRCLE" && e.get(8) == "D-STR-STR1") {
            out.push_back({e.num(10) - s.origin.x, e.num(20) - s.origin.y, e.num(40)});
        }
    }
    return out;
}

std::vector<std::string> texts(const DrawnSection& s) {
    std::vector<std::string> out;
    for (const auto& e : s.e) {
        if (e.type == "TEXT") out.push_back(e.get(1));
    }
    return out;
}

TEST(S1Length, FlooredToTenAfterTwoHundredAndTenMore) {
    EXPECT_EQ(s1_cut_length(300), 510);
    EXPECT_EQ(s1_cut_length(295), 500);
    // Through the drawing: T - c3 - c4 + (16 + 13) / 2 + 13 + 13 + 13, with covers 100 and 80,
    // makes 300 and 295.
    const std::tuple<const char*, double, double> cases[] = {{"600,427,1173", 510, 105}, {"600,422,1178", 500, 102.5}};
    for (const auto& [thickness, cut, end] : cases) {
        auto ctx = test::footing_context(fitting_wall({{1, thickness}}));
        ctx->bar_list.fixed(BarList::kS1).count = 42;  // the wall elevations' tie count
        draw_footing_views(*ctx);
        draw_section_view(*ctx);
        const ScheduleRow& s1 = ctx->bar_list.fixed(BarList::kS1);
        EXPECT_EQ(s1.mark, "S1");
        EXPECT_EQ(s1.shape_code, "6");
        EXPECT_EQ(s1.size_text, "D13");
        EXPECT_EQ(s1.total_length, cut) << thickness;
        EXPECT_EQ(s1.len1, end) << thickness;
        EXPECT_EQ(s1.len2, cut - 2 * end);
        EXPECT_EQ(s1.count, 42);
        EXPECT_DOUBLE_EQ(s1.unit_mass, 0.995);
    }
    // A diameter outside the mass table weighs nothing.
    auto ctx = test::footing_context(fitting_wall({{43, "10,13"}}));
    draw_footing_views(*ctx);
    draw_section_view(*ctx);
    EXPECT_EQ(ctx->bar_list.fixed(BarList::kS1).unit_mass, 0);
    EXPECT_EQ(ctx->bar_list.fixed(BarList::kS1).size_text, "D10");
}

// Every bar of the section, line or dot, lies inside the concrete of the L-shaped outline.
TEST(SectionView, EveryBarLiesInsideTheConcrete) {
    // Level, higher at either end, and a thin footing where the 15 d leg of a D25 bottom bar (375)
    // is cut to the room between the covers (200).
    const std::vector<std::map<int, std::string>> walls = {
        {{2, "2400,500,2400,2400"}},
        {{2, "2000,500,2400,1800"}},
        {{2, "2000,500,1800,2400"}},
        {{2, "2400,400,2400,2400"}, {12, "25,0,0,0,0"}},
    };
    for (const auto& lines : walls) {
        const char* heights = lines.at(2).c_str();
        const DrawnSection s = draw_section(fitting_wall(lines));
        const WallInput& w = s.ctx->input;
        const double T = w.wall_thickness;
        const double Hf = w.footing_thickness;
        const double top = Hf + std::max(w.height_left, w.height_right);
        const auto inside = [&](double x, double y) {
            constexpr double tol = 0.5;  // coordinates are written as whole millimetres
            const bool footing = x >= -T / 2 - w.footing_left_width - tol &&
                                 x <= T / 2 + w.footing_right_width + tol && y >= -tol && y <= Hf + tol;
            const bool wall = x >= -T / 2 - tol && x <= T / 2 + tol && y >= -tol && y <= top + tol;
            return footing || wall;
        };
        const auto bars = test::lines_on(s.e, "D-STR-STR1", s.origin);
        EXPECT_GE(bars.size(), 15u) << heights;
        for (const Segment& b : bars) {
            for (int k = 0; k <= 10; ++k) {
                const double x = b.x1 + (b.x2 - b.x1) * k / 10;
                const double y = b.y1 + (b.y2 - b.y1) * k / 10;
                EXPECT_TRUE(inside(x, y)) << heights << ": bar line through (" << x << ", " << y << ")";
            }
        }
        const auto circles = dots(s);
        EXPECT_GE(circles.size(), 13u * 20) << heights;
        for (const Circle& c : circles) {
            EXPECT_TRUE(inside(c.x - c.r, c.y - c.r) && inside(c.x + c.r, c.y + c.r))
                << heights << ": dot at (" << c.x << ", " << c.y << ")";
        }
    }
}

TEST(SectionView, DimensionLabelsStateWhatTheyMeasure) {
    const DrawnSection s = draw_section(fitting_wall());
    const auto dims = test::drawn_dimensions(s.e);
    ASSERT_EQ(dims.size(), 14u);  // ten of the outline, four covers
    for (const auto& d : dims) test::expect_label_matches(d);
    EXPECT_EQ(dims[0].label, " 2400");  // wall height above the footing
    EXPECT_EQ(dims[4].label, "  400");  // the wall; the toe has no drawn dimension
    EXPECT_EQ(dims[8].label, "  300");  // between the two footing covers
    EXPECT_EQ(dims[9].label, "  100");

    // Script: the eleven dimensions (the toe width only here), the F1 leader, two covers.
    std::string script;
    for (const auto& l : s.script) script += l + "\r\n";
    const auto sd = test::script_dimensions(script);
    ASSERT_EQ(sd.size(), 13u);
    EXPECT_EQ(sd[0].direction, 'V');
    EXPECT_EQ(sd[0].p1.x, s.origin.x - 300);
    EXPECT_EQ(sd[0].p1.y, s.origin.y + 2900);
    EXPECT_EQ(sd[4].direction, 'H');
    EXPECT_EQ(sd[4].p1.x, s.origin.x - 800);
    EXPECT_EQ(sd[4].p2.x, s.origin.x - 200);
    int leaders = 0;
    for (const auto& l : s.script) leaders += l.starts_with("qleader ");
    EXPECT_EQ(leaders, 1);
}

TEST(SectionView, OutlineTitleAndWhatItLeavesBehind) {
    const DrawnSection s = draw_section(fitting_wall());
    ASSERT_GE(s.e.size(), 11u);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(s.e[k].type, "LINE");
        EXPECT_EQ(s.e[k].get(8), "D-STR");
    }
    EXPECT_EQ(s.e[3].num(20), s.e[3].num(21));  // the two zero-length segments at the top
    EXPECT_EQ(s.e[4].num(10), s.e[4].num(11));
    EXPECT_EQ(s.e[10].get(1), std::string(u8"断　面　図　S=1:"_sj) + " 50");
    EXPECT_EQ(s.e[10].get(7), "KANJI");
    EXPECT_EQ(s.ctx->canvas.pen.layer, "D-STR-DIM");
    EXPECT_EQ(s.ctx->canvas.state.origin.x, s.origin.x);
    EXPECT_EQ(s.ctx->canvas.state.origin.y, s.origin.y);
    EXPECT_EQ(s.ctx->handed.f1_anchorage_extension, 320);
}

// The S2 ties in the section and their spacing indicator, for m = 0, 1 and 4 ties.
TEST(SectionView, S2IndicatorForAnyNumberOfTies) {
    const auto s2_ties = [](const DrawnSection& s) {
        int n = 0;
        for (const Segment& b : test::lines_on(s.e, "D-STR-STR1", s.origin)) {
            n += b.x1 == b.x2 && b.x1 != 1320 && b.y1 == 400 && b.y2 == 100;  // not F2's leg at the heel
        }
        return n;
    };
    const auto chain_at_half_height = [](const DrawnSection& s) {
        std::vector<Segment> out;
        for (const Segment& d : test::lines_on(s.e, "D-STR-DIM", s.origin)) {
            if (d.y1 == 250 && d.y2 == 250 && d.x2 - d.x1 > 1) out.push_back(d);
        }
        return out;
    };
    const auto callouts = [](const DrawnSection& s) {
        const auto t = texts(s);
        return std::count(t.begin(), t.end(), "S2");
    };

    // (2 + 6) / 2 ties, the first 200 from the heel bar, then every two heel spacings of 200.
    const DrawnSection four = draw_section(fitting_wall());
    EXPECT_EQ(s2_ties(four), 4);
    auto chain = chain_at_half_height(four);
    ASSERT_GE(chain.size(), 4u);
    EXPECT_EQ(chain[0].x2 - chain[0].x1, 400);  // two F3 spacings between ties
    EXPECT_EQ(chain[0].x1, -100);               // from the tie nearest the toe
    EXPECT_EQ(callouts(four), 1);

    const DrawnSection one = draw_section(fitting_wall({{18, "3,1,1,0,0"}}));
    EXPECT_EQ(s2_ties(one), 1);
    chain = chain_at_half_height(one);
    ASSERT_GE(chain.size(), 1u);
    EXPECT_EQ(chain[0].x2 - chain[0].x1, 250);  // the chain's own step for a single tie
    EXPECT_EQ(chain[0].x1, 1100);
    EXPECT_EQ(callouts(one), 1);

    const DrawnSection none = draw_section(fitting_wall({{18, "10,0,0,0,0"}}));
    EXPECT_EQ(s2_ties(none), 0);
    EXPECT_TRUE(chain_at_half_height(none).empty());
    EXPECT_EQ(callouts(none), 0);
    EXPECT_FALSE(test::has_nan_or_inf(none.ctx->canvas.dxf_out.contents()));
}

// The S1 indicator steps by the table of the two lowest zone counts; its leader starts where
// the indicator ends, or at the lowest tie when no indicator is drawn.
TEST(SectionView, S1IndicatorAndLeader) {
    struct Case {
        const char* counts;
        const char* pitches;
        double leader_from;  // above the footing's top cover, which is 400
    };
    const std::vector<Case> cases = {
        {"8,1,0,0,0", "250,250,0,0,0", 500 + 3 * 500},        // N1 even, N2 1: 3 steps
        {"2,0,0,0,0", "250,250,0,0,0", 500},                  // (2 - 4) / 2 + 1 = 0 steps
        {"7,3,0,0,0", "250,250,100,0,0", 500 + 3 * 500 + 300},  // N1 odd, N2 3: one more step, W4.pitch[1] + 100
        {"4,4,0,0,0", "250,250,0,0,0", 500},                  // N2 above 3: no indicator
        // Every other cell of the table, 500 a step
        {"7,0,0,0,0", "250,250,0,0,0", 500 + 2 * 500},  // (7 - 5) / 2 + 1
        {"9,1,0,0,0", "250,250,0,0,0", 500 + 4 * 500},  // (9 - 3) / 2 + 1
        {"6,2,0,0,0", "250,250,0,0,0", 500 + 3 * 500},  // (6 - 2) / 2 + 1
        {"5,2,0,0,0", "250,250,0,0,0", 500 + 2 * 500},  // (5 - 3) / 2 + 1
        {"6,3,0,0,0", "250,250,100,0,0", 500 + 3 * 500},  // (6 - 2) / 2 + 1, no second chain
    };
    for (const Case& c : cases) {
        const DrawnSection s = draw_section(fitting_wall({{33, c.pitches}, {34, c.counts}}));
        const auto dim = test::lines_on(s.e, "D-STR-DIM", s.origin);
        const auto leader = std::find_if(dim.begin(), dim.end(), [&](const Segment& d) {
            return d.x1 == -20 && d.x2 == -20 && d.y2 == 500 + 2400 + 1000;
        });
        ASSERT_NE(leader, dim.end()) << c.counts;
        EXPECT_EQ(leader->y1, 400 + c.leader_from) << c.counts;
        if (std::string(c.counts) == "2,0,0,0,0") {
            // Fewer than four rows: no tie across the wall.
            for (const Segment& b : test::lines_on(s.e, "D-STR-STR1", s.origin)) {
                EXPECT_FALSE(b.y1 == b.y2 && b.x1 == -100 && b.x2 == 120) << "tie at " << b.y1;
            }
        }
    }
    // Ties on every second row up to the second last: rows 2, 4 and 6 of zone 1 (200 apart from
    // 400) and row 2 of zone 2 (300 apart), from cover3 at the front face to cover4 at the back.
    const DrawnSection s = draw_section(fitting_wall());
    std::vector<double> ties;
    for (const Segment& b : test::lines_on(s.e, "D-STR-STR1", s.origin)) {
        if (b.y1 == b.y2 && b.x1 == -100 && b.x2 == 120) ties.push_back(b.y1);
    }
    EXPECT_EQ(ties, (std::vector<double>{800, 1200, 1600, 2200}));
}

TEST(SectionView, BarsSeenEndOn) {
    // Level top: the front face shows W4 (here D16), the back face W3 (D13).
    const auto face_dots = [](const DrawnSection& s, double x) {
        std::set<double> ys;
        double r = 0;
        for (const Circle& c : dots(s)) {
            if (c.x != x || c.y > 2700) continue;
            ys.insert(c.y);
            r = std::max(r, c.r);
        }
        return std::pair{ys, r};
    };
    const DrawnSection level = draw_section(fitting_wall({{36, "16,13,0,0,0"}}));
    const double x_front = -200 + 100 - 16;
    const double x_back = 200 - 100 + 6;
    // From 400 and half the zone-2 diameter: zone 1, 6 rows 200 apart, then zone 2, 4 rows 300
    // apart; W4 on the front face, W3 on the back.
    const std::set<double> rows = {406, 606, 806, 1006, 1206, 1406, 1606, 1906, 2206, 2506};
    EXPECT_EQ(face_dots(level, x_front).second, 8);
    EXPECT_EQ(face_dots(level, x_back).second, 7);  // 6.5 written whole
    EXPECT_EQ(face_dots(level, x_front).first, rows);
    EXPECT_EQ(face_dots(level, x_back).first, rows);

    // Left end higher: both faces show W4, zone 1 with one bar more, on which zone 2 starts.
    const DrawnSection sloped = draw_section(fitting_wall({{2, "2000,500,2400,1800"}, {36, "16,13,0,0,0"}}));
    const auto front = face_dots(sloped, x_front);
    const auto back = face_dots(sloped, x_back);
    EXPECT_EQ(front.first, rows);
    EXPECT_EQ(back.first, rows);
    EXPECT_EQ(back.second, 8);

    // A footing zone without a diameter draws nothing, and the next zone still starts after it.
    const DrawnSection gap = draw_section(fitting_wall({{16, "13,0,13,0,0"}}));
    std::set<double> top_layer;
    for (const Circle& c : dots(gap)) {
        if (c.y == 400) top_layer.insert(c.x);  // no zone-2 diameter to lift the layer
    }
    // Zone 1: 2 x 250 from cover4 at the toe (-800 + 80); zone 2 (2 x 150) skipped; zone 3: 6 + 1
    // bars 200 apart.
    EXPECT_EQ(top_layer, (std::set<double>{-720, -470, 80, 280, 480, 680, 880, 1080, 1280}));
}

}  // namespace
}  // namespace lwall
