#include "core/sheet_frames.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "core/title_block.hpp"

namespace lwall {
namespace {

BlockToPlace block(BlockRole role, double x0, double y0, double w, double h) {
    BlockToPlace b;
    b.role = role;
    b.extent.cover(x0, y0);
    b.extent.cover(x0 + w, y0 + h);
    return b;
}

Extent moved(const BlockToPlace& b, const BlockPlacement& p, std::size_t k) {
    Extent e;
    e.cover(b.extent.x0 + p.dx[k], b.extent.y0 + p.dy[k]);
    e.cover(b.extent.x1 + p.dx[k], b.extent.y1 + p.dy[k]);
    return e;
}

TEST(SheetFrames, RowsFromTheTopLeftClearOfEachOtherAndOfTheTitleBlock) {
    // At 1:50 a frame is 40000 x 27500; margin and gap 500; the title block 8500 x 3750.
    const SheetFrame second = frame_at(2, 42000, 50);
    const std::vector<BlockToPlace> blocks = {
        block(BlockRole::heading, 100.5, -7, 3000, 400),     // alone on the first row
        block(BlockRole::drawing, -5000, 3000, 20000, 6000),
        block(BlockRole::drawing, 0, 0, 17000, 4000),         // beside it
        BlockToPlace{},                                       // drew nothing: stays, takes no room
        block(BlockRole::drawing, 0, 0, 30000, 20000),        // too high for what is left: frame 3
        block(BlockRole::drawing, 0, 0, 30000, 3000),         // a row of its own, beside the title block
        block(BlockRole::drawing, 0, 0, 5000, 3000),          // over it, or below the margin: frame 4
    };
    const BlockPlacement p = place_blocks(blocks, second);
    ASSERT_EQ(p.frames.size(), 3u);
    EXPECT_EQ(p.frames[1].number, 3);
    EXPECT_EQ(p.frames[1].x, 42000 + 40000 + 2000);
    EXPECT_EQ(p.frame, (std::vector<int>{2, 2, 2, 0, 3, 3, 4}));
    EXPECT_EQ(p.dx[3], 0);
    EXPECT_EQ(p.dy[3], 0);
    // Whole offsets; the heading's corner rounded outward lands on the margin.
    EXPECT_EQ(p.dx[0], 42500 - 100);
    EXPECT_EQ(p.dy[0], 27000 - 400 + 7);
    EXPECT_EQ(moved(blocks[1], p, 1).x0, 42500);
    EXPECT_EQ(moved(blocks[1], p, 1).y1, 27000 - 400 - 500);
    EXPECT_EQ(moved(blocks[2], p, 2).x0, 42500 + 20000 + 500);
    EXPECT_EQ(moved(blocks[5], p, 5).x0, 84500);
    EXPECT_EQ(moved(blocks[5], p, 5).y1, 27000 - 20000 - 500);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].extent.empty) continue;
        const SheetFrame& f = p.frames[static_cast<std::size_t>(p.frame[i] - 2)];
        EXPECT_FALSE(moved(blocks[i], p, i).overlaps(title_block_area(f))) << i;
        for (std::size_t k = 0; k < i; ++k) EXPECT_FALSE(p.placed[k].overlaps(p.placed[i])) << k << " " << i;
    }
}

// A block that would stand beside the title block closer than the gap goes on: here it would end
// 200 short of the title block's left side (73500 at 1:50) and reach below its top.
TEST(SheetFrames, ABlockBesideTheTitleBlockKeepsTheGap) {
    const std::vector<BlockToPlace> blocks = {
        block(BlockRole::drawing, 0, 0, 20000, 22600),  // down to 4400
        block(BlockRole::drawing, 0, 0, 10300, 22800),  // from 63000 to 73300, down to 4200
    };
    EXPECT_EQ(place_blocks(blocks, frame_at(2, 42000, 50)).frame, (std::vector<int>{2, 3}));
    const std::vector<BlockToPlace> narrower = {blocks[0], block(BlockRole::drawing, 0, 0, 10000, 22800)};
    EXPECT_EQ(place_blocks(narrower, frame_at(2, 42000, 50)).frame, (std::vector<int>{2, 2}));  // ends at the gap
}

TEST(SheetFrames, TablesOfALargeScaleSheetGoToAFrameAt1To50AndTooLargeABlockToALargerScale) {
    const std::vector<BlockToPlace> blocks = {block(BlockRole::drawing, 0, 0, 1000, 1000),
                                              block(BlockRole::table, 0, 0, 9400, 9000),
                                              block(BlockRole::table, 0, 0, 9400, 9000)};
    BlockPlacement p = place_blocks(blocks, frame_at(2, 90000, 70));
    ASSERT_EQ(p.frames.size(), 2u);
    EXPECT_EQ(p.frames[1].scale, 50);
    EXPECT_EQ(p.frame, (std::vector<int>{2, 3, 3}));
    // At 1:60 the tables stay beside the drawings.
    p = place_blocks(blocks, frame_at(2, 50000, 60));
    EXPECT_EQ(p.frame, (std::vector<int>{2, 2, 2}));
    // A drawing wider than a frame at 1:50 gets a frame at the first scale that holds it; no frame is
    // left empty.
    p = place_blocks(std::vector{block(BlockRole::drawing, 0, 0, 50000, 1000)}, frame_at(2, 42000, 50));
    ASSERT_EQ(p.frames.size(), 1u);
    EXPECT_EQ(p.frames[0].scale, 70);  // 780 mm inside the margins: 1:70 gives 54600
    EXPECT_EQ(p.frame[0], 2);
}

// A view of frame 1 across its border moves in by the least whole units that leave it 2 paper mm
// inside, along the axis it crosses only; one too large to fit, or inside already, stays.
TEST(SheetFrames, ViewsAcrossTheFirstFramesBorderMoveInByTheLeastWholeUnits) {
    const SheetFrame f = frame_at(1, 0, 50);  // 40000 x 27500, 100 units clear
    const auto view = [](double x0, double y0, double x1, double y1) {
        FirstFrameView v;
        v.extent.cover(x0, y0);
        v.extent.cover(x1, y1);
        return v;
    };
    const std::vector<FirstFrameView> views = {
        view(-30.4, 5000, 2000, 6000),       // across the left edge
        view(10000, 27000, 12000, 27560.2),  // across the top
        view(-10, -20, 500, 300),            // across the lower left corner
        view(0, -50, 3000, 400),             // on the left edge, across the bottom
        view(37000, 27000, 40000, 27600),    // on the right edge, across the top
        view(-1, 8000, 39900, 9000),         // wider than the frame less its clearances
        view(-50, 12000, 39750, 13000),      // as wide as that exactly
        view(15000, -10, 16000, 27290),      // as high as that exactly
        view(20000, 10000, 21000, 11000),    // inside
    };
    const std::vector<ViewMove> m = mend_first_frame(views, f);
    ASSERT_EQ(m.size(), views.size());
    const double want[][2] = {{131, 0}, {0, -161}, {110, 120}, {0, 150}, {0, -200}, {0, 0}, {150, 0}, {0, 110}, {0, 0}};
    for (std::size_t i = 0; i < views.size(); ++i) {
        EXPECT_EQ(m[i].dx, want[i][0]) << "view " << i;
        EXPECT_EQ(m[i].dy, want[i][1]) << "view " << i;
    }
}

}  // namespace
}  // namespace lwall
