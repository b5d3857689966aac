#pragma once
// What every frame of the sheet set carries besides its drawings: its border (frames 1 and 2 are
// drawn with the footing drawing) and the title block in its lower right corner.

#include "context/run_context.hpp"
#include "core/sheet_frames.hpp"

namespace lwall {

// The border of a frame after the second, on "D-TTL-FRAM".
void draw_frame_border(RunContext& ctx, const SheetFrame& frame);

// The title block of `frame`, one of `frame_count`, at the frame's scale: its border on
// "D-TTL-FRAM", its inner lines on "D-TTL-LINE" and its texts on "D-TTL-TXT", each with the pen the
// layer file gives it or the title block's own (core/layer_table.hpp).
void draw_title_block(RunContext& ctx, const SheetFrame& frame, int frame_count);

}  // namespace lwall
