#pragma once
// The sheet set: frame 1 holds the drawings of the wall; the final step (the bending drawings and
// the tables) is drawn into blocks that move, whole, into the room frame 1's views leave and into
// frame 2 and the frames after it; what lies over something moves clear; every frame gets a title
// block.

#include "context/run_context.hpp"

namespace lwall {

// Draws the whole sheet:
// 1. frame 1's views (the elevations, the arrangement view, the footing plan, the section), each
//    moved whole where it would cross the frame's border, reach into its title block or lie over
//    another view (core/sheet_frames.hpp, mend_first_frame);
// 2. the final step into blocks, placed into the room frame 1 leaves and into the frames after it
//    (place_blocks);
// 3. whatever then lies over something else moved clear, with the leaders that end at it
//    (output/overlap_pass.hpp);
// 4. all of it written in drawing order, then the borders and the title blocks of the frames.
// Fills ctx.view_moves, ctx.frames and ctx.blocks. On a stop, what was drawn is written where it was
// drawn.
void draw_sheet_frames(RunContext& ctx);

}  // namespace lwall
