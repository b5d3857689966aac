// The whole final drawing step on filled bar lists, read back the way a quantity surveyor reads
// the sheet: every printed row of the schedule and of the mass table is one bar of the list, and
// the material table's steel adds up to the printed row masses.

#include "schedule/schedule_drawings.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <tuple>

#include "core/number_format.hpp"
#include "core/run_failure.hpp"
#include "core/sjis.hpp"
#include "drawings/wall/wall_test_support.hpp"
#include "filled_bar_lists.hpp"
#include "input/wall_file.hpp"
#include "schedule/schedule_input_checks.hpp"

namespace lwall {
namespace {

struct Example {
    const char* name;
    std::function<void(RunContext&)> fill;
};

const Example kExamples[] = {
    {"level wall drawn", [](RunContext& c) { test::fill_by_drawing(c, test::level_wall()); }},
    {"sloped example drawn", [](RunContext& c) { test::fill_by_drawing(c, test::sloped_example()); }},
    {"level", [](RunContext& c) { test::fill_level_wall(c); }},
    {"sloped, two-piece bars", [](RunContext& c) { test::fill_sloped_example(c, 9000); }},
    {"sloped, two-piece bar along the top only", [](RunContext& c) { test::fill_sloped_example(c, 11810); }},
};

std::string fixed(double v, int width, int decimals) { return std::string(TextBuf().fixed(v, width, decimals)); }

TEST(ScheduleSheet, EveryPrintedRowIsOneBarOfTheList) {
    for (const Example& ex : kExamples) {
        auto ctx = std::make_unique<RunContext>();
        ex.fill(*ctx);
        draw_schedule_sheet(*ctx);
        const auto e = test::entities(ctx->canvas);
        const auto schedule = test::table_cells(e, 86000, 86000 + 9400);
        const auto mass = test::table_cells(e, 96000, 96000 + 9400, 10000);
        const auto bars = ctx->bar_list.printed_rows();
        ASSERT_EQ(schedule.size(), bars.size()) << ex.name;
        ASSERT_EQ(mass.size(), bars.size()) << ex.name;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const ScheduleRow& r = *bars[i];
            const std::string count = std::to_string(r.count);
            ASSERT_GE(schedule[i].size(), 6u) << ex.name;
            EXPECT_EQ(std::vector<std::string>(schedule[i].begin(), schedule[i].begin() + 5),
                      (std::vector<std::string>{r.mark, r.shape_code, r.size_text, count, fixed(r.total_length, 5, 0)}))
                << ex.name;
            // The legs are the row's, each within a millimetre, in whole millimetres that add up to the
            // cut length as printed; a leg of length 0 is not printed.
            const std::array<int, 3> times = shape_leg_multiplicity(r.shape_code);
            const double legs[] = {r.len1, r.len2, r.len3};
            double sum = 0;
            std::size_t cell = 5;
            for (std::size_t k = 0; k < 3; ++k) {
                if (legs[k] == 0) continue;
                ASSERT_LT(cell, schedule[i].size()) << ex.name << " " << r.mark;
                const double printed = std::stod(schedule[i][cell++]);
                EXPECT_NEAR(printed, legs[k], 1) << ex.name << " " << r.mark;
                sum += times[k] * printed;
            }
            EXPECT_EQ(cell, schedule[i].size()) << ex.name << " " << r.mark;
            EXPECT_EQ(fixed(sum, 5, 0), fixed(r.total_length, 5, 0)) << ex.name << " " << r.mark;
            ASSERT_EQ(mass[i].size(), 7u) << ex.name;
            EXPECT_EQ(mass[i][0], r.mark) << ex.name;
            EXPECT_EQ(mass[i][1], r.size_text) << ex.name;
            EXPECT_EQ(mass[i][2], fixed(r.total_length, 5, 0)) << ex.name;
            EXPECT_EQ(mass[i][3], count) << ex.name;
        }
    }
}

TEST(ScheduleSheet, SteelTotalsAreTheSumsOfThePrintedRowMasses) {
    for (const Example& ex : kExamples) {
        auto ctx = std::make_unique<RunContext>();
        ex.fill(*ctx);
        draw_schedule_sheet(*ctx);
        const auto e = test::entities(ctx->canvas);
        std::map<std::string, double> by_size;
        double total = 0;
        for (const auto& row : test::table_cells(e, 96000, 96000 + 9400, 10000)) {
            // The row mass is the printed one-bar mass times the count, to the gram.
            EXPECT_EQ(row[6], fixed(std::stod(row[5]) * std::stoi(row[3]), 5, 3)) << ex.name << " " << row[0];
            by_size[row[1]] += std::stod(row[6]);
            total += std::stod(row[6]);
        }
        // The material table lists the sizes smallest lowest, then the total: each per metre of
        // wall, with the whole wall's mass in the remarks. Per metre times the length gives the
        // whole wall's mass to the rounding of the per-metre figure.
        const auto material = test::table_cells(e, 95000, 95000 + 6600, -10000, 2000);
        const int steel_rows = std::max(static_cast<int>(by_size.size()), 3);
        ASSERT_EQ(material.size(), 7u + steel_rows + 3) << ex.name;
        // The grams of the whole wall over the length in mm, rounded to grams per metre with halves
        // away from zero: 1409.466 kg over the 12 m of a sloped wall is 117.4555, printed 117.456.
        const double mm = ctx->input.length_left + ctx->input.length_right;
        auto expect_steel = [&](const std::vector<std::string>& row, double kg, const std::string& what) {
            ASSERT_EQ(row.size(), 2u) << ex.name << " " << what;
            EXPECT_EQ(row[0], fixed(std::round(std::round(kg * 1000) * 1000 / mm) / 1000, 5, 3)) << ex.name << " " << what;
            EXPECT_EQ(row[1], std::string(u8"全延長 "_sj) + fixed(kg, 5, 3)) << ex.name << " " << what;
            EXPECT_LE(std::abs(std::stod(row[0]) * mm / 1000 - kg), 0.0005 * mm / 1000 + 1e-9) << ex.name << " " << what;
        };
        int i = 7 + steel_rows - 1;  // the lowest steel row
        for (const auto& [size, kg] : by_size) expect_steel(material[i--], kg, size);
        expect_steel(material[7 + steel_rows], total, "total");
    }
}

// The notes of the schedule and of the mass table name the whole wall's length; the material
// table's steel is their mass divided by it. Worked by hand on the level example (10 m) and on
// the same bars under a wall of 2600 + 4750 mm, whose 7.35 m prints as 7.4.
TEST(ScheduleSheet, EachTableSaysWhatItsQuantitiesCountOver) {
    struct Case {
        double left, right;
        std::string_view basis;
        const char* d16;    // 383.472 kg, the D16 rows of the mass table (152.100 + 119.052 + 112.320), per metre
        const char* total;  // 917.667 kg per metre
        const char* base;   // (1.8 + 0.2) m times the length
    };
    const Case cases[] = {{5000, 5000, u8"延長 10.0m当たり"_sj, "38.347", "91.767", " 20.0"},
                          {2600, 4750, u8"延長 7.4m当たり"_sj, "52.173", "124.853", " 14.7"}};
    for (const Case& c : cases) {
        auto ctx = std::make_unique<RunContext>();
        test::fill_by_drawing(*ctx, read_wall_input(test::example_file("level", "PlenkL.dat")));
        ctx->input.length_left = c.left;
        ctx->input.length_right = c.right;
        draw_schedule_sheet(*ctx);
        const auto e = test::entities(ctx->canvas);
        auto text_at = [&](double x, double y) {
            for (const auto& t : e) {
                if (t.type == "TEXT" && t.num(10) == x && t.num(20) == y) return t.get(1);
            }
            return std::string("<none>");
        };
        const std::string note = "(" + std::string(c.basis) + ")";
        EXPECT_EQ(text_at(86000 + 8000, 22000 + 5000), note) << c.left;  // the schedule
        EXPECT_EQ(text_at(96000 + 8000, 22000 + 1000), note) << c.left;  // the mass table
        EXPECT_EQ(text_at(95000 + 5000, 1000 + 500), std::string(u8"(1m当たり)"_sj)) << c.left;
        // The material table's quantities at x 95050 + 4000, its remarks at 95050 + 5300; three
        // steel rows above the total at 1000 - 4400.
        EXPECT_EQ(text_at(99050, -2600), c.d16) << c.left;
        EXPECT_EQ(text_at(100350, -2600), std::string(u8"全延長 383.472"_sj)) << c.left;
        EXPECT_EQ(text_at(99050, -3400), c.total) << c.left;
        EXPECT_EQ(text_at(100350, -3400), std::string(u8"全延長 917.667"_sj)) << c.left;
        EXPECT_EQ(text_at(99050, -3800), c.base) << c.left;
        EXPECT_EQ(ctx->printed.schedule_basis, c.basis) << c.left;
        EXPECT_EQ(ctx->printed.mass_basis, c.basis) << c.left;
        EXPECT_EQ(ctx->printed.material.back().back(), c.basis) << c.left;
    }
}

TEST(ScheduleSheet, IconsMatchThePrintedRowsShapeByShape) {
    // Lines of each icon by shape type.
    const std::map<std::string, int> lines_of = {{"1", 2}, {"2", 3}, {"3", 5}, {"4", 3}, {"5", 1}, {"6", 3}};
    for (const Example& ex : kExamples) {
        auto ctx = std::make_unique<RunContext>();
        ex.fill(*ctx);
        draw_schedule_sheet(*ctx);
        std::map<int, int> lines_in_row;
        for (const auto& x : test::entities(ctx->canvas)) {
            if (x.type != "LINE" || x.get(8) != "D-STR-STR1" || x.num(10) < 96000 + 8200) continue;
            ++lines_in_row[static_cast<int>((22000 - std::min(x.num(20), x.num(21))) / 300) + 1];
        }
        const auto bars = ctx->bar_list.printed_rows();
        ASSERT_EQ(lines_in_row.size(), bars.size()) << ex.name;
        for (std::size_t j = 0; j < bars.size(); ++j) {
            EXPECT_EQ(lines_in_row[static_cast<int>(j) + 1], lines_of.at(bars[j]->shape_code))
                << ex.name << " row " << j + 1 << " " << bars[j]->mark;
        }
    }
}

TEST(ScheduleSheet, HandWorkedBarListsAreWhatTheDrawingsLeave) {
    const std::tuple<const char*, std::function<void(RunContext&)>, WallInput> walls[] = {
        {"level", [](RunContext& c) { test::fill_level_wall(c); }, test::level_wall()},
        {"sloped", [](RunContext& c) { test::fill_sloped_example(c, 9000); }, test::sloped_example()}};
    for (const auto& [example, fill, wall] : walls) {
        auto by_hand = std::make_unique<RunContext>();
        auto drawn = std::make_unique<RunContext>();
        fill(*by_hand);
        test::fill_by_drawing(*drawn, wall);
        const auto hand_rows = by_hand->bar_list.printed_rows();
        const auto drawn_rows = drawn->bar_list.printed_rows();
        ASSERT_EQ(hand_rows.size(), drawn_rows.size()) << example;
        for (std::size_t i = 0; i < hand_rows.size(); ++i) {
            const ScheduleRow& h = *hand_rows[i];
            const ScheduleRow& d = *drawn_rows[i];
            EXPECT_EQ(h.mark, d.mark) << example;
            EXPECT_EQ(h.shape_code, d.shape_code) << example << " " << h.mark;
            EXPECT_EQ(h.size_text, d.size_text) << example << " " << h.mark;
            // The cap bars are counted by the bending drawings, after this point.
            if (h.mark != "W5") {
                EXPECT_EQ(h.count, d.count) << example << " " << h.mark;
            }
            EXPECT_DOUBLE_EQ(h.total_length, d.total_length) << example << " " << h.mark;
            EXPECT_DOUBLE_EQ(h.len1, d.len1) << example << " " << h.mark;
            EXPECT_DOUBLE_EQ(h.len2, d.len2) << example << " " << h.mark;
            EXPECT_DOUBLE_EQ(h.len3, d.len3) << example << " " << h.mark;
            EXPECT_DOUBLE_EQ(h.unit_mass, d.unit_mass) << example << " " << h.mark;
        }
        EXPECT_EQ(by_hand->handed.sloped_row_count, drawn->handed.sloped_row_count) << example;
        EXPECT_EQ(by_hand->handed.w3_piece_count, drawn->handed.w3_piece_count) << example;
        EXPECT_EQ(by_hand->handed.wall_vertical_row_kinds, drawn->handed.wall_vertical_row_kinds) << example;
    }
}

TEST(ScheduleSheet, StepsRunInTheirOrderWithTheExtensionGapSet) {
    auto ctx = std::make_unique<RunContext>();
    test::fill_level_wall(*ctx);
    draw_schedule_sheet(*ctx);
    EXPECT_EQ(ctx->canvas.state.dim_ext_gap, 100);
    const auto e = test::entities(ctx->canvas);
    // The legend's type-1 bar comes first, the material table's last quantity, then the notes, last.
    EXPECT_EQ(e.front().num(10), 86000 + 1000);
    EXPECT_EQ(e.front().num(20), 22000 + 4000 + 615);
    const auto last_quantity = std::find_if(e.begin(), e.end(), [](const auto& x) { return x.type == "TEXT" && x.get(1) == std::string(u8"全延長 t=20cm"_sj); });
    const auto notes = std::find_if(e.begin(), e.end(), [](const auto& x) { return x.type == "TEXT" && x.get(1) == std::string(u8"注　記"_sj); });
    ASSERT_NE(last_quantity, e.end());
    EXPECT_EQ(notes, last_quantity + 1);
    EXPECT_EQ(e.back().get(1), std::string(u8"7. 曲げは直角とし、S2 の両端のフックには切断長から各辺を除いた長さを等分する。"_sj));
    for (const auto& x : e) {
        for (const auto& [code, value] : x.groups) EXPECT_EQ(value.find("nan"), std::string::npos) << code;
    }
}

TEST(ScheduleInput, RefusesARunWithNoLength) {
    WallInput w = read_wall_input(test::example_file("level", "PlenkL.dat"));
    EXPECT_EQ(test::refusal_message([&] { check_schedule_input(w); }, kExitBadInput), "<accepted>");
    w.end_cover_left = 5000;
    w.end_cover_right = 5000;
    EXPECT_EQ(test::refusal_message([&] { check_schedule_input(w); }, kExitBadInput),
              "PlenkL.dat line 6, end_cover_left: the end covers leave no length for the bars along the wall "
              "(length_left + length_right - end_cover_left - end_cover_right must be above 0)");
}

}  // namespace
}  // namespace lwall
