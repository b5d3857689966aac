#pragma once
// The sheet set: frame 1 holds the drawings of the wall as they are drawn; the final drawing step
// (the bending drawings and the tables) is drawn into blocks that move, whole, into frame 2 and the
// frames after it; every frame gets a title block.

#include "context/run_context.hpp"

namespace lwall {

// Draws the final step into blocks, places them (core/sheet_frames.hpp) and writes them moved, in
// their drawing order; then the borders of the frames after the second and the title blocks of all.
// Fills ctx.frames and ctx.blocks.
void draw_sheet_set(RunContext& ctx);

}  // namespace lwall
