#include "sheet/sheet_set.hpp"

#include "drawings/sheet_set/title_block.hpp"
#include "output/block_recording.hpp"
#include "schedule/schedule_drawings.hpp"

namespace lwall {

void draw_sheet_set(RunContext& ctx) {
    Canvas& cv = ctx.canvas;
    const SheetLayout& sheet = ctx.layout;
    BlockRecording blocks;
    {
        // Recorded while drawn, also when the drawing stops.
        struct Stop {
            Canvas& cv;
            ~Stop() { cv.recording = nullptr; }
        } stop{cv};
        cv.recording = &blocks;
        draw_schedule_sheet(ctx);
    }

    // The title of the bending drawings and the drawings in drawing order, then the tables.
    const std::vector<Extent> extents = blocks.extents();
    std::vector<int> order;
    for (const bool tables : {false, true}) {
        for (int b = 0; b < blocks.block_count(); ++b) {
            if ((blocks.role(b) == BlockRole::table) == tables) order.push_back(b);
        }
    }
    std::vector<BlockToPlace> to_place;
    for (const int b : order) to_place.push_back({blocks.role(b), extents[static_cast<std::size_t>(b)]});
    const BlockPlacement placement = place_blocks(to_place, frame_at(2, sheet.sheet_width + kFrameGap, sheet.scale));

    const auto n = static_cast<std::size_t>(blocks.block_count());
    std::vector<double> dx(n), dy(n);
    ctx.blocks.assign(n, {});
    for (std::size_t k = 0; k < order.size(); ++k) {
        const auto b = static_cast<std::size_t>(order[k]);
        dx[b] = placement.dx[k];
        dy[b] = placement.dy[k];
        ctx.blocks[b] = {blocks.role(order[k]), dx[b], dy[b], placement.placed[k], placement.frame[k]};
    }
    ctx.frames = {frame_at(1, 0, sheet.scale)};
    ctx.frames.insert(ctx.frames.end(), placement.frames.begin(), placement.frames.end());
    for (const SheetFrame& f : ctx.frames) {
        if (f.scale != sheet.scale) ctx.picture.set_frame_scale(f.x, f.x + f.width, f.scale);
    }
    blocks.replay(cv.entities, cv.scr_out, dx, dy);

    const int count = static_cast<int>(ctx.frames.size());
    for (const SheetFrame& f : ctx.frames) {
        if (f.number > 2) draw_frame_border(ctx, f);
        draw_title_block(ctx, f, count);
    }
}

}  // namespace lwall
