#include "drawings/wall/wall_horizontal_bars.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "drawings/wall/wall_test_support.hpp"

namespace lwall {
namespace {

struct Drawn {
    std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();
    WallHorizontalBars bars;
};

Drawn draw_rows(const WallInput& w) {
    Drawn d;
    test::load_example_layers(*d.ctx);
    d.ctx->input = w;
    d.ctx->layout = compute_sheet_layout(w);
    draw_wall_horizontal_bars(*d.ctx, WallFace::back, d.bars);
    draw_wall_horizontal_bars(*d.ctx, WallFace::front, d.bars);
    return d;
}

struct Row {
    std::string mark;
    int count;
    double length;
    bool operator==(const Row&) const = default;
};
void PrintTo(const Row& r, std::ostream* os) { *os << r.mark << " x" << r.count << " " << r.length; }

std::vector<Row> piece_rows(const RunContext& ctx) {
    std::vector<Row> rows;
    for (int r = BarList::kFirstPieceRow; r < ctx.bar_list.piece_row_end(); ++r) {
        const ScheduleRow& s = ctx.bar_list.piece(r);
        EXPECT_EQ(s.len1, s.total_length) << "row " << r;
        rows.push_back({s.mark, s.count, s.len1});
    }
    return rows;
}

// The level example with the run and the maximum member length given.
WallInput level_wall(double run, double max_len, double left = -1) {
    WallInput w = test::example_wall("level");
    w.length_left = left < 0 ? run / 2 + 100 : left;
    w.length_right = run + 200 - w.length_left;
    w.max_bar_length = max_len;
    return w;
}

TEST(WallHorizontalRows, RunOfExactlyTheMaximumIsOneBar) {
    const Drawn d = draw_rows(level_wall(9800, 9800));
    EXPECT_EQ(d.ctx->handed.w3_piece_count, 1);
    // Level top: the W4 row takes the place of row 8.
    const std::vector<Row> expected = {{"W3-1", 9, 9800}, {"W4-1", 9, 9800}};
    EXPECT_EQ(piece_rows(*d.ctx), expected);
    for (const auto face : {WallFace::back, WallFace::front}) {
        const test::FaceBars bars = test::face_bars(*d.ctx, face);
        EXPECT_EQ(bars.horizontal.size(), 10u);  // the row at cover1 and nine wall rows
        for (const test::Line& l : bars.horizontal) EXPECT_EQ(std::fabs(l.x2 - l.x1), 9800);
    }
}

TEST(WallHorizontalRows, OneMillimetreLongerIsTwoPiecesWithTheirLap) {
    const Drawn d = draw_rows(level_wall(9800, 9799));
    EXPECT_EQ(d.ctx->handed.w3_piece_count, 2);
    // 406.25 + 1 rounds up to 500: 9799 + 500 overlap by 499.
    const std::vector<Row> expected = {{"W3-1", 9, 9799}, {"W3-2", 9, 500}, {"W4-1", 9, 9799}, {"W4-2", 9, 500}};
    EXPECT_EQ(piece_rows(*d.ctx), expected);
}

TEST(WallHorizontalRows, SevenMetresOverFourAndAHalfSplitAt4500And3000) {
    const Drawn d = draw_rows(level_wall(7000, 4500));
    const std::vector<Row> expected = {{"W3-1", 9, 4500}, {"W3-2", 9, 3000}, {"W4-1", 9, 4500}, {"W4-2", 9, 3000}};
    EXPECT_EQ(piece_rows(*d.ctx), expected);
    const test::FaceBars back = test::face_bars(*d.ctx, WallFace::back);
    // The row at cover1 is odd: the long piece at the left end, the short one at the right end,
    // one diameter lower; the next row the other way round.
    ASSERT_GE(back.horizontal.size(), 4u);
    const std::vector<double> first = {back.horizontal[0].x1, back.horizontal[0].y1, back.horizontal[0].x2,
                                       back.horizontal[1].x1, back.horizontal[1].y1, back.horizontal[1].x2};
    EXPECT_EQ(first, (std::vector<double>{1000, 100, -3500, 3500, 87, 500}));
    EXPECT_EQ(back.horizontal[2].x1, -1000);
    EXPECT_EQ(back.horizontal[2].x2, 3500);
    EXPECT_EQ(back.horizontal[3].x1, -3500);
    EXPECT_EQ(back.horizontal[3].x2, -500);
}

TEST(WallHorizontalRows, PiecesKeepTheirLengthsWhenTheRunIsOffCentre) {
    const Drawn d = draw_rows(level_wall(7000, 4500, 2000));
    const std::vector<Row> expected = {{"W3-1", 9, 4500}, {"W3-2", 9, 3000}, {"W4-1", 9, 4500}, {"W4-2", 9, 3000}};
    EXPECT_EQ(piece_rows(*d.ctx), expected);
    for (const auto face : {WallFace::back, WallFace::front}) {
        for (const test::Line& l : test::face_bars(*d.ctx, face).horizontal) {
            const double length = std::fabs(l.x2 - l.x1);
            EXPECT_TRUE(length == 4500 || length == 3000) << length;
            EXPECT_GE(std::min(l.x1, l.x2), -1900);
            EXPECT_LE(std::max(l.x1, l.x2), 5100);
        }
    }
}

TEST(WallHorizontalRows, SlopedExampleRowsFollowTheTopAndTheirPiecesTheLaps) {
    const Drawn d = draw_rows(test::example_wall("sloped"));
    const HandedValues& h = d.ctx->handed;
    EXPECT_EQ(d.ctx->input.W3.zones, 1);
    EXPECT_EQ(d.ctx->input.W4.zones, 1);
    // Rows at 2600 and 2850 start at the higher right end; the first is odd (its long piece at the
    // left end), so it starts with the 3500 piece and ends with a 4000 piece overlapping by 617.
    ASSERT_EQ(h.sloped_row_count, 2);
    EXPECT_EQ(h.sloped_back.length, (std::vector<double>{6883, 1966}));
    EXPECT_EQ(h.sloped_back.pieces, (std::vector<int>{2, 1}));
    EXPECT_EQ(h.sloped_front.pieces, (std::vector<int>{2, 1}));
    // Top bar: floor(sqrt(11800^2 + 600^2)) = 11815, in pieces of 9000 and 3500.
    const std::vector<Row> expected = {
        {"W3-1", 9, 9000}, {"W3-2", 9, 3500}, {"W3-3", 1, 3500}, {"W3-4", 1, 4000}, {"W3-5", 1, 1966},
        {"W3-6", 1, 9000}, {"W3-7", 1, 3500}, {"W4-1", 9, 9000}, {"W4-2", 9, 3500}, {"W4-3", 1, 3500},
        {"W4-4", 1, 4000}, {"W4-5", 1, 1966}, {"W4-6", 1, 9000}, {"W4-7", 1, 3500}};
    EXPECT_EQ(piece_rows(*d.ctx), expected);
    EXPECT_EQ(d.bars.last_back_row, 13);
    ASSERT_EQ(d.bars.callouts.size(), 10u);
    EXPECT_EQ(d.bars.callouts[0].mark, "W3-3");
    EXPECT_EQ(d.bars.callouts[9].mark, "W4-7");
    EXPECT_EQ(d.bars.callouts[9].size, "D13");

    const test::FaceBars back = test::face_bars(*d.ctx, WallFace::back);
    // 10 full rows of two pieces, three sloped pieces, two top pieces.
    ASSERT_EQ(back.horizontal.size(), 25u);
    const test::Line& p1 = back.horizontal[20];
    const test::Line& p2 = back.horizontal[21];
    EXPECT_EQ(std::vector<double>({p1.x1, p1.y1, p1.x2, p2.x1, p2.y1, p2.x2}),
              std::vector<double>({5900, 2600, 2400, -983, 2587, 3017}));
}

TEST(WallHorizontalRows, ReversedSlopeStartsAtTheLeftEnd) {
    const Drawn d = draw_rows(test::sloped_wall(2600, 2000));
    const HandedValues& h = d.ctx->handed;
    ASSERT_EQ(h.sloped_row_count, 2);
    EXPECT_NEAR(h.sloped_back.length[0], 6883.333, 1e-3);  // not floored when starting at the left
    // Row 11 has its long piece at the left end, where it starts: 9000 spans it. Row 12 starts with
    // the 3500 piece, longer than the row.
    EXPECT_EQ(h.sloped_back.pieces, (std::vector<int>{1, 1}));
    EXPECT_EQ(d.ctx->bar_list.piece(9).len1, 6883);
    const test::FaceBars back = test::face_bars(*d.ctx, WallFace::back);
    const test::Line& row = back.horizontal[20];
    EXPECT_EQ(std::vector<double>({row.x1, row.y1, row.x2}), std::vector<double>({-5900, 2600, 983}));
}

TEST(WallHorizontalRows, ARowOf100OrLessEndsTheRows) {
    WallInput w = test::example_wall("sloped");
    w.height_right = 2590;  // the line under the top cover rises 1 in 20
    w.W3.pitch[1] = 258.5;  // the second sloped row lies at 2935: 5 under the top, 100 long
    EXPECT_EQ(draw_rows(w).ctx->handed.sloped_row_count, 1);
    w.W3.pitch[1] = 258.45;  // 110 long
    const Drawn d = draw_rows(w);
    EXPECT_EQ(d.ctx->handed.sloped_row_count, 2);
    EXPECT_EQ(d.ctx->handed.sloped_back.length[1], 110);
    // The row at the very top of the higher end has no length either.
    const Drawn shallow = draw_rows(test::sloped_wall(2060, 2500));
    EXPECT_EQ(shallow.ctx->handed.sloped_row_count, 1);
    EXPECT_EQ(shallow.ctx->handed.sloped_front.length.size(), 1u);
}

TEST(WallHorizontalRows, ShortPiecesNeverRunOutOfTheWall) {
    // One millimetre over the maximum: the second piece of a full row is 500. A sloped row starting
    // with that 500 piece would need a second piece of 7000 for its 6883 and run 117 past the
    // higher end; it is one bar instead.
    WallInput w = test::example_wall("sloped");
    w.max_bar_length = 11799;
    const Drawn d = draw_rows(w);
    EXPECT_EQ(d.ctx->handed.w3_piece_count, 2);
    EXPECT_EQ(d.ctx->handed.sloped_back.pieces, (std::vector<int>{1, 1}));
    for (const auto face : {WallFace::back, WallFace::front}) {
        for (const test::Line& l : test::face_bars(*d.ctx, face).horizontal) {
            EXPECT_GE(std::min(l.x1, l.x2), -5900);
            EXPECT_LE(std::max(l.x1, l.x2), 5900);
        }
    }
}

TEST(WallHorizontalRows, EveryPieceRowWeighsItsDiameter) {
    WallInput w = test::example_wall("sloped");
    w.W4.dia = 16;
    for (const double max_len : {9000.0, 12000.0}) {
        w.max_bar_length = max_len;
        const Drawn d = draw_rows(w);
        for (int r = BarList::kFirstPieceRow; r < d.ctx->bar_list.piece_row_end(); ++r) {
            const ScheduleRow& s = d.ctx->bar_list.piece(r);
            const bool w4 = s.mark.rfind("W4", 0) == 0 || (!s.used() && r == 8);
            EXPECT_EQ(s.unit_mass, w4 ? 1.56 : 0.995) << "row " << r << " " << s.mark;
        }
    }
}

TEST(WallHorizontalRows, ASteepWallGetsARowForEveryPieceBeforeTheFixedRows) {
    // 40 rows under a top rising 2000 over the wall: more pieces than rows 9 to 39 hold.
    const Drawn d = draw_rows(test::sloped_wall(500, 2500, 50));
    const HandedValues& h = d.ctx->handed;
    EXPECT_EQ(h.sloped_row_count, 39);  // the 40th lies at the very top of the higher end
    EXPECT_EQ(h.sloped_back.length.size(), 39u);
    EXPECT_EQ(h.sloped_front.pieces.size(), 39u);
    const BarList& list = d.ctx->bar_list;
    EXPECT_GT(list.piece_row_end(), 80);
    // Rows 40 onward belong to other marks and stay untouched.
    for (int r = BarList::kW5; r <= BarList::kLastRow; ++r) EXPECT_FALSE(list.fixed(r).used()) << r;
    // Every piece has a row of its own, numbered on, W3 first, then W4.
    int w3 = 0;
    int w4 = 0;
    for (const ScheduleRow* r : list.printed_rows()) {
        if (r->mark.rfind("W3-", 0) == 0) {
            EXPECT_EQ(w4, 0);
            EXPECT_EQ(r->mark, "W3-" + std::to_string(++w3));
        } else {
            EXPECT_EQ(r->mark, "W4-" + std::to_string(++w4));
        }
    }
    EXPECT_EQ(w3, w4);
    EXPECT_GT(w3 + w4, 31);
    int pieces = 0;
    for (int p : h.sloped_back.pieces) pieces += p;
    EXPECT_EQ(w3, 2 + pieces + 2);  // full rows, sloped rows, the bar along the top
}

TEST(WallHorizontalRows, LapsOfSplitRowsAreAtLeastTheLapLength) {
    const Drawn d = draw_rows(test::sloped_wall(1000, 2500));
    const HandedValues& h = d.ctx->handed;
    int row = 9;
    for (std::size_t k = 0; k < h.sloped_back.pieces.size(); ++k) {
        if (h.sloped_back.pieces[k] == 2) {
            const double lap = d.ctx->bar_list.piece(row).len1 + d.ctx->bar_list.piece(row + 1).len1 -
                               std::floor(h.sloped_back.length[k]);
            EXPECT_GE(lap, 406.25) << "sloped row " << k + 1;
        }
        row += h.sloped_back.pieces[k];
    }
}

}  // namespace
}  // namespace lwall
