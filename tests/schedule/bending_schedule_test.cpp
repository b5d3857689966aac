#include "schedule/bending_schedule.hpp"

#include <gtest/gtest.h>

#include <memory>

#include "core/sjis.hpp"
#include "filled_bar_lists.hpp"

namespace lwall {
namespace {

struct BendingScheduleTest : ::testing::Test {
    std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();
    Point t;  // the block origin: 40000 + 23000 + 23000, 22000 at 1:50
    void SetUp() override {
        test::fill_level_wall(*ctx);
        ctx->canvas.state.dim_ext_gap = 100;
        t = {86000, 22000};
    }
    std::vector<test::DxfEntity> drawn() const { return test::entities(ctx->canvas); }
    // The lines of the frame layer that run vertically from y0 to y1 (relative to the block).
    std::vector<double> column_lines(double y0, double y1) const {
        std::vector<double> xs;
        for (const auto& e : drawn()) {
            if (e.type == "LINE" && e.get(8) == "D-MTR-FRAM" && e.num(10) == e.num(11) && e.num(20) == t.y + y0 &&
                e.num(21) == t.y + y1) {
                xs.push_back(e.num(10) - t.x);
            }
        }
        return xs;
    }
};

const std::vector<double> kColumns = {0, 800, 2000, 3200, 4000, 5400, 6800, 8200, 9400};

TEST_F(BendingScheduleTest, WithNoRowTheTableIsItsFrameAndHeadings) {
    ctx->bar_list = {};
    draw_bending_schedule(*ctx);
    const auto e = drawn();
    ASSERT_EQ(e.size(), 2u + 3 + 12 + 3 + 3 + 9);
    EXPECT_EQ(e[2].get(1), std::string(u8"鉄 筋 加 工 図"_sj));
    EXPECT_EQ(e[2].get(40), "350");
    EXPECT_EQ(e[2].num(10), t.x + 1300);
    EXPECT_EQ(e[2].num(20), t.y + 5000);
    EXPECT_EQ(e[3].get(1), std::string(u8"(縮尺なし)"_sj));  // a table, not a drawing to scale
    EXPECT_EQ(e[4].get(1), std::string(u8"(延長 10.0m当たり)"_sj));  // the bars of the whole wall
    EXPECT_EQ(e[5].get(1), std::string(u8"種 別"_sj));
    EXPECT_EQ(e[11].get(1), std::string(u8"Ｌ１"_sj));
    EXPECT_EQ(e[12].get(1), "(mm)");
    EXPECT_EQ(e[12].get(40), "150");
    EXPECT_EQ(column_lines(400, 0), kColumns);
}

TEST_F(BendingScheduleTest, RowsPrintInRowOrderWithEveryColumn) {
    draw_bending_schedule(*ctx);
    const auto rows = test::table_cells(drawn(), t.x, t.x + 9400);
    ASSERT_EQ(rows.size(), 11u);
    // A leg of length 0 leaves its cell empty.
    EXPECT_EQ(rows[0], (std::vector<std::string>{"W1", "1", "D16", "45", " 2500", " 2196", "  304"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"W3-1", "5", "D13", "9", " 9800", " 9800"}));
    // W5 (row 40) follows the last wall horizontal bar and precedes F1.
    EXPECT_EQ(rows[4][0], "W5");
    EXPECT_EQ(rows[3], (std::vector<std::string>{"W4-1", "5", "D16", "9", " 9800", " 9800"}));
    EXPECT_EQ(rows[5], (std::vector<std::string>{"F1", "4", "D16", "43", " 2120", "  320", " 1600", "  200"}));
    EXPECT_EQ(rows[8], (std::vector<std::string>{"F4", "5", "D13", "11", " 9800", " 9800"}));
    // The hooks of 101.5 print as 102 and the width takes up the rest: 990 - 2 x 102 - 2 x 229.
    EXPECT_EQ(rows[10], (std::vector<std::string>{"S2", "3", "D13", "24", "  990", "  102", "  229", "  328"}));
    EXPECT_EQ(column_lines(400, 300 - 300 * 12), kColumns);
}

TEST_F(BendingScheduleTest, RowsFilledLaterStillPrintInRowOrder) {
    ctx->bar_list = {};
    ctx->bar_list.fixed(BarList::kF1) = test::bar_row("F1", "4", "D16", 36, 1920, 320, 1600);
    ctx->bar_list.fixed(BarList::kW5) = test::bar_row("W5", "6", "D13", 39, 100, 0, 100);
    ctx->bar_list.piece(9) = test::bar_row("W3-3", "5", "D13", 1, 3500, 3500);
    ctx->bar_list.piece(7) = test::bar_row("W3-1", "5", "D13", 9, 9000, 9000);
    draw_bending_schedule(*ctx);
    const auto rows = test::table_cells(drawn(), t.x, t.x + 9400);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][0], "W3-1");
    EXPECT_EQ(rows[1][0], "W3-3");
    EXPECT_EQ(rows[2][0], "W5");
    EXPECT_EQ(rows[3][0], "F1");
}

TEST_F(BendingScheduleTest, TheNinthRowLiesAtMinus2700AndTheColumnLinesEndThere) {
    ctx->bar_list.fixed(BarList::kS1) = {};
    ctx->bar_list.fixed(BarList::kS2) = {};
    draw_bending_schedule(*ctx);
    bool ninth = false;
    for (const auto& e : drawn()) {
        if (e.type == "TEXT" && e.get(1) == "F4") {
            EXPECT_EQ(e.num(20), t.y - 2700 + 50);
            EXPECT_EQ(e.num(10), t.x + 50);
            ninth = true;
        }
        if (e.type == "LINE" && e.num(20) == t.y - 2700 && e.num(21) == t.y - 2700) {
            EXPECT_EQ(e.num(10), t.x);
            EXPECT_EQ(e.num(11), t.x + 9400);
        }
    }
    EXPECT_TRUE(ninth);
    EXPECT_EQ(column_lines(400, -2700), kColumns);
}

TEST_F(BendingScheduleTest, LegendDrawsTheSixTypesWithTheirCaptions) {
    draw_shape_legend(*ctx);
    const auto e = drawn();
    // Type 1, raised and scaled by 0.3, at T + (1000, 4000).
    ASSERT_EQ(e[0].type, "LINE");
    EXPECT_EQ(e[0].get(8), "D-STR-STR1");
    EXPECT_EQ(e[0].num(10), t.x + 1000);
    EXPECT_EQ(e[0].num(20), t.y + 4000 + 615);
    EXPECT_EQ(e[1].num(11), t.x + 1000 + 300);
    EXPECT_EQ(e[1].num(21), t.y + 4000 + 15);
    EXPECT_EQ(e[2].get(8), "D-STR-DIM");
    std::vector<std::string> captions;
    std::vector<Point> at;
    for (const auto& x : e) {
        if (x.type == "TEXT" && x.get(40) == "200") {
            captions.push_back(x.get(1));
            at.push_back({x.num(10) - t.x, x.num(20) - t.y});
        }
    }
    EXPECT_EQ(captions, (std::vector<std::string>{std::string(u8"形 式 １"_sj), std::string(u8"形 式 ２"_sj),
                                                  std::string(u8"形 式 ３"_sj), std::string(u8"形 式 ４"_sj),
                                                  std::string(u8"形 式 ５"_sj), std::string(u8"形 式 ６"_sj)}));
    ASSERT_EQ(at.size(), 6u);
    EXPECT_EQ(at[0].x, 800);
    EXPECT_EQ(at[0].y, 3000);
    EXPECT_EQ(at[3].y, 1000);
    EXPECT_EQ(at[5].x, 6800);
    // Every leg gets a script dimension except those of type 4: 2 + 3 + 5 + 0 + 1 + 3 commands.
    EXPECT_EQ(test::crlf_lines(ctx->canvas.scr_out.contents()).size(), 2u * 14);
}

}  // namespace
}  // namespace lwall
