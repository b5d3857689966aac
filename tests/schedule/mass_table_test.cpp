#include "schedule/mass_table.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "core/sjis.hpp"
#include "filled_bar_lists.hpp"

namespace lwall {
namespace {

constexpr std::size_t kD13 = 0;
constexpr std::size_t kD16 = 1;

struct MassTableTest : ::testing::Test {
    std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();
    Point m{96000, 22000};  // 40000 + 33000 + 23000 at 1:50
    void SetUp() override {
        test::fill_level_wall(*ctx);
        ctx->bar_list = {};
    }
    std::vector<std::vector<std::string>> rows() const {
        return test::table_cells(test::entities(ctx->canvas), m.x, m.x + 9400);
    }
};

TEST_F(MassTableTest, RowMassIsThePrintedOneBarMassTimesTheCount) {
    ctx->bar_list.fixed(1) = test::bar_row("W1", "1", "D16", 5, 3500, 3200, 300, 0, 1.56);
    ctx->bar_list.piece(7) = test::bar_row("W3-1", "5", "D13", 10, 1234, 1234, 0, 0, 0.995);
    draw_mass_table(*ctx);
    const auto r = rows();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], (std::vector<std::string>{"W1", "D16", " 3500", "5", "1.560", "5.460", "27.300"}));
    // 1.22783 kg per bar prints 1.228; the row is 1.228 x 10, not 12.2783.
    EXPECT_EQ(r[1], (std::vector<std::string>{"W3-1", "D13", " 1234", "10", "0.995", "1.228", "12.280"}));
    const RebarMassTotals& t = ctx->mass_totals;
    EXPECT_DOUBLE_EQ(t.mass_by_size[kD16], 27.3);
    EXPECT_DOUBLE_EQ(t.mass_by_size[kD13], 12.28);
    EXPECT_DOUBLE_EQ(t.mass_total, 27.3 + 12.28);
    EXPECT_TRUE(t.size_used[kD13]);
    EXPECT_TRUE(t.size_used[kD16]);
    EXPECT_EQ(t.sizes_used, 2);
}

TEST_F(MassTableTest, SizesOutsideTheTableAddToTheTotalOnly) {
    ctx->bar_list.fixed(1) = test::bar_row("W1", "1", "D10", 2, 1000, 1000, 0, 0, 0.56);
    ctx->bar_list.fixed(2) = test::bar_row("W2", "1", "D10", 3, 1000, 1000, 0, 0, 0);
    draw_mass_table(*ctx);
    const RebarMassTotals& t = ctx->mass_totals;
    EXPECT_DOUBLE_EQ(t.mass_total, 1.12);
    EXPECT_EQ(t.sizes_used, 0);
    for (std::size_t i = 0; i < t.size_used.size(); ++i) {
        EXPECT_FALSE(t.size_used[i]);
        EXPECT_EQ(t.mass_by_size[i], 0);
    }
    // A diameter without a unit mass weighs nothing.
    const auto r = rows();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1][5], "0.000");
    EXPECT_EQ(r[1][6], "0.000");
}

TEST_F(MassTableTest, AnEmptyListGivesTheHeadingsAndNoMass) {
    ctx->mass_totals.mass_total = 99;  // left from elsewhere: the table starts from zero
    draw_mass_table(*ctx);
    EXPECT_EQ(ctx->mass_totals.sizes_used, 0);
    EXPECT_EQ(ctx->mass_totals.mass_total, 0);
    const auto e = test::entities(ctx->canvas);
    ASSERT_EQ(e.size(), 2u + 3 + 12 + 9);
    EXPECT_EQ(e[0].get(1), std::string(u8"鉄 筋 質 量 表"_sj));
    EXPECT_EQ(e[0].get(40), "400");
    EXPECT_EQ(e[1].get(1), std::string(u8"(縮尺なし)"_sj));
    EXPECT_EQ(e[12].get(1), std::string(u8"１本当り質量"_sj));
    for (std::size_t i = 17; i < e.size(); ++i) {
        EXPECT_EQ(e[i].num(20), m.y + 700);
        EXPECT_EQ(e[i].num(21), m.y);
    }
}

TEST_F(MassTableTest, TheLevelExampleAgainstHandCalculation) {
    test::fill_level_wall(*ctx);
    ctx->bar_list.fixed(BarList::kW5).count = 49;  // as the bending drawings count them
    draw_mass_table(*ctx);
    // D16: W1 3.900 x 45, W4-1 15.288 x 9, F1 3.307 x 43, F2 3.120 x 48.
    EXPECT_NEAR(ctx->mass_totals.mass_by_size[kD16], 175.5 + 137.592 + 142.201 + 149.76, 1e-9);
    // D13: W2 1.990 x 48, W3-1 and F3 9.751 x 9, F4 9.751 x 11, W5 1.403 x 49, S1 0.358 x 69,
    // S2 0.985 x 24.
    EXPECT_NEAR(ctx->mass_totals.mass_by_size[kD13], 95.52 + 2 * 87.759 + 107.261 + 68.747 + 24.702 + 23.64, 1e-9);
    EXPECT_NEAR(ctx->mass_totals.mass_total, 605.053 + 495.388, 1e-9);
    EXPECT_EQ(ctx->mass_totals.sizes_used, 2);
    const auto r = rows();
    ASSERT_EQ(r.size(), 11u);
    EXPECT_EQ(r[3], (std::vector<std::string>{"W4-1", "D16", " 9800", "9", "1.560", "15.288", "137.592"}));
    EXPECT_EQ(r[4], (std::vector<std::string>{"W5", "D13", " 1410", "49", "0.995", "1.403", "68.747"}));
    EXPECT_EQ(r[8], (std::vector<std::string>{"F4", "D13", " 9800", "11", "0.995", "9.751", "107.261"}));
}

TEST_F(MassTableTest, IconsStandInTheRowsInTheirFixedOrder) {
    HandedValues& h = ctx->handed;
    h.wall_vertical_class_count = 2;
    h.wall_horizontal_drawn_rows = 3;
    h.w3_piece_count = 2;
    draw_mass_icons(*ctx);
    // Lines per icon band, from the top: 4 type-1 icons (2 lines), 3 straight bars, W5 (3), F1 (3),
    // F2 (3), 4 straight footing bars, S1 (3), S2 (5).
    std::map<int, int> lines_in_row;
    const double icon_x = m.x + 8200;
    for (const auto& e : test::entities(ctx->canvas)) {
        ASSERT_EQ(e.type, "LINE");
        EXPECT_EQ(e.get(8), "D-STR-STR1");
        EXPECT_GE(std::min(e.num(10), e.num(11)), icon_x);
        EXPECT_LE(std::max(e.num(10), e.num(11)), icon_x + 1200);
        const double low = std::min(e.num(20), e.num(21));
        const double high = std::max(e.num(20), e.num(21));
        const int row = static_cast<int>((m.y - low) / 300) + 1;
        EXPECT_LE(high, m.y - 300 * (row - 1)) << "an icon reaches into the row above";
        ++lines_in_row[row];
    }
    const std::vector<int> expected = {2, 2, 2, 2, 1, 1, 1, 3, 3, 3, 1, 1, 1, 1, 3, 5};
    ASSERT_EQ(lines_in_row.size(), expected.size());
    for (std::size_t j = 0; j < expected.size(); ++j) EXPECT_EQ(lines_in_row[static_cast<int>(j) + 1], expected[j]);
}

}  // namespace
}  // namespace lwall
