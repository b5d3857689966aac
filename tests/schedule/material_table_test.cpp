#include "schedule/material_table.hpp"

#include <gtest/gtest.h>

#include <memory>

#include "core/sjis.hpp"
#include "filled_bar_lists.hpp"
#include "schedule/mass_table.hpp"

namespace lwall {
namespace {

struct MaterialTableTest : ::testing::Test {
    std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();
    Point o{95000, 1000};  // 40000 + 23000 + 32000, 1000 at 1:50
    void SetUp() override {
        test::fill_level_wall(*ctx);
        // The section of the worked example: base 500 + 300 + 1200 = 2000, 10 m of wall.
        WallInput& w = ctx->input;
        w.wall_thickness = 300;
        w.wall_height = 2000;
        w.footing_left_width = 500;
        w.footing_right_width = 1200;
        w.footing_thickness = 400;
        w.length_left = 5000;
        w.length_right = 5000;
    }
    std::vector<test::DxfEntity> drawn() const { return test::entities(ctx->canvas); }
    std::vector<std::vector<std::string>> quantities() const { return test::table_cells(drawn(), o.x, o.x + 6600, o.y - 10000, o.y + 1000); }
    // The text drawn at (x, y) of the table, or "" when there is none.
    std::string text_at(double x, double y) const {
        for (const auto& e : drawn()) {
            if (e.type == "TEXT" && e.num(10) == o.x + x && e.num(20) == o.y + y) return e.get(1);
        }
        return "";
    }
    double lowest_frame_line() const {
        double low = 0;
        for (const auto& e : drawn()) {
            if (e.type == "LINE") low = std::min({low, e.num(20) - o.y, e.num(21) - o.y});
        }
        return low;
    }
};

using Rows = std::vector<std::vector<std::string>>;

TEST_F(MaterialTableTest, ConcreteFormworkAndBaseOfTheWorkedExample) {
    // 483.375 kg over 10 m is 48.3375 kg/m, a half: it rounds away from zero, where the quotient in
    // binary (48.33749...) would print 48.337.
    ctx->mass_totals.mass_by_size[0] = 483.375;
    ctx->mass_totals.size_used[0] = true;
    ctx->mass_totals.sizes_used = 1;
    ctx->mass_totals.mass_total = 483.375;
    draw_material_table(*ctx);
    const auto q = quantities();
    const std::string whole(u8"全延長 483.375"_sj);
    const std::string end = std::string(u8"断面1面 "_sj) + "1.400";
    EXPECT_EQ(q, (Rows{{"0.600"}, {"0.800"}, {"1.400"},             // concrete: wall, footing, total
                       {"4.000"}, {"0.800"}, {end}, {"4.800"},      // formwork; the ends in the remarks
                       {"0.000"}, {"0.000"}, {"48.338", whole},     // steel per metre: three rows,
                       {"48.338", whole},                           // then the total
                       {" 22.0", std::string(u8"全延長 t=10cm"_sj)},  // (2.0 + 0.2) x 10 m
                       {" 22.0", std::string(u8"全延長 t=20cm"_sj)}}));
    // The end formwork stands in the remarks column: one cross-section, not a metre of wall.
    EXPECT_EQ(text_at(50 + 5300, -2400), std::string(u8"断面1面 "_sj) + "1.400");
    EXPECT_EQ(text_at(200 + 1800, -4000), "D13");
    EXPECT_EQ(text_at(50 + 3500, -4400), "kg");
    EXPECT_EQ(text_at(250, 500), std::string(u8"材 料 表"_sj));
}

TEST_F(MaterialTableTest, SteelRowsRunFromTheSmallestSizeAtTheBottom) {
    ctx->mass_totals = {};
    RebarMassTotals& t = ctx->mass_totals;
    t.mass_by_size = {483.378, 372.24};
    t.size_used[0] = t.size_used[1] = true;
    t.sizes_used = 2;
    t.mass_total = 855.618;
    draw_material_table(*ctx);
    // Three steel rows: 400 x 3 + 3200 above the total.
    EXPECT_EQ(text_at(200 + 1800, -4000), "D13");
    EXPECT_EQ(text_at(200 + 1800, -3600), "D16");
    EXPECT_EQ(text_at(200 + 1800, -3200), "");
    EXPECT_EQ(text_at(50 + 4000, -4000), "48.338");
    EXPECT_EQ(text_at(50 + 5300, -4000), std::string(u8"全延長 483.378"_sj));
    EXPECT_EQ(text_at(50 + 4000, -3600), "37.224");
    EXPECT_EQ(text_at(50 + 5300, -3600), std::string(u8"全延長 372.240"_sj));
    EXPECT_EQ(text_at(50 + 4000, -3200), "0.000");
    EXPECT_EQ(text_at(50 + 5300, -3200), "");
    EXPECT_EQ(text_at(50 + 4000, -4400), "85.562");
    EXPECT_EQ(text_at(50 + 5300, -4400), std::string(u8"全延長 855.618"_sj));
    EXPECT_EQ(text_at(200 + 1800, -4400), std::string(u8"　計　"_sj));
    EXPECT_EQ(lowest_frame_line(), -5300);
}

TEST_F(MaterialTableTest, FiveSizesGrowTheFrameBy800AndMoveTheBaseRowsDown) {
    RebarMassTotals& t = ctx->mass_totals;
    for (std::size_t i = 0; i < 5; ++i) {
        t.mass_by_size[i] = 10.0 * static_cast<double>(i + 1);
        t.size_used[i] = true;
    }
    t.sizes_used = 5;
    t.mass_total = 150;
    draw_material_table(*ctx);
    EXPECT_EQ(lowest_frame_line(), -6100);
    EXPECT_EQ(text_at(200 + 1800, -400 * 5 - 3200 + 400), "D13");
    EXPECT_EQ(text_at(200 + 1800, -3200), "D25");  // the largest size highest
    EXPECT_EQ(text_at(50 + 4000, -5200), "15.000");
    EXPECT_EQ(text_at(50 + 4000, -5600), " 22.0");
    EXPECT_EQ(text_at(50 + 5300, -6000), std::string(u8"全延長 t=20cm"_sj));
    EXPECT_EQ(text_at(200, -5600), std::string(u8"基礎材"_sj));
}

TEST_F(MaterialTableTest, SteelIsTheMassTablesWholeWallPerMetre) {
    test::fill_level_wall(*ctx);
    ctx->bar_list.fixed(BarList::kW5).count = 49;
    draw_mass_table(*ctx);
    draw_material_table(*ctx);
    // The level wall: 300 x 2000 wall and 1800 x 400 footing, 10 m long; the steel of its mass
    // table, D16 above D13, whole-wall 605.053 and 495.388 kg, so 60.505 and 49.539 per metre.
    const auto q = quantities();
    ASSERT_EQ(q.size(), 13u);
    EXPECT_EQ(q[0][0], "0.600");
    EXPECT_EQ(q[1][0], "0.720");
    EXPECT_EQ(q[2][0], "1.320");
    EXPECT_EQ(q[7], (std::vector<std::string>{"0.000"}));
    EXPECT_EQ(q[8], (std::vector<std::string>{"60.505", std::string(u8"全延長 605.053"_sj)}));
    EXPECT_EQ(q[9], (std::vector<std::string>{"49.539", std::string(u8"全延長 495.388"_sj)}));
    EXPECT_EQ(q[10], (std::vector<std::string>{"110.044", std::string(u8"全延長 1100.441"_sj)}));
    EXPECT_EQ(q[11][0], " 20.0");  // (1.8 + 0.2) x 10 m
    // Each quantity says what it counts over in the spreadsheet.
    const auto& kept = ctx->printed.material;
    ASSERT_EQ(kept.size(), 13u);
    EXPECT_EQ(kept[5][5], std::string(u8"断面1面当たり"_sj));  // the end formwork
    EXPECT_EQ(kept[8][5], std::string(u8"1m当たり"_sj));
    EXPECT_EQ(kept[11][5], std::string(u8"延長 10.0m当たり"_sj));
}

}  // namespace
}  // namespace lwall
