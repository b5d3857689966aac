#pragma once
// The sheet set: frame 1 holds the drawings of the wall as they are drawn; the final drawing step
// (the bending drawings and the tables) is drawn into blocks that move, whole, into frame 2 and the
// frames after it; every frame gets a title block.

#include "context/run_context.hpp"

namespace lwall {

// Draws frame 1: the elevations, the footing views and the section where the layout puts them, and
// moves a view whole where it would cross the frame's border, reach into its title block or lie over
// another view (core/sheet_frames.hpp, mend_first_frame). On a stop, what was drawn is written
// where it was drawn.
//
// With ctx.first_frame_on_trial, the views go straight to the outputs and are only measured, which
// costs next to nothing; when one of them has to move, FirstFrameMoves is thrown and the run must
// start over without the trial.
void draw_first_frame(RunContext& ctx);

struct FirstFrameMoves {};

// Draws the final step into blocks, places them (core/sheet_frames.hpp) and writes them moved, in
// their drawing order; then the borders of the frames after the second and the title blocks of all.
// Fills ctx.frames and ctx.blocks.
void draw_sheet_set(RunContext& ctx);

}  // namespace lwall
