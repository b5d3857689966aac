#include "drawings/wall/wall_elevations.hpp"

#include "drawings/wall/wall_bar_lengths.hpp"
#include "drawings/wall/wall_elevation_bars.hpp"
#include "drawings/wall/wall_elevation_callouts.hpp"
#include "drawings/wall/wall_elevation_frames.hpp"
#include "drawings/wall/wall_horizontal_bars.hpp"
#include "output/primitives/primitives.hpp"

namespace lwall {

void draw_wall_elevations(RunContext& ctx) {
    // Outline, dimension chains, centre line and titles of the back face, then of the front face.
    draw_wall_elevation_frame(ctx, WallFace::back);
    draw_wall_elevation_frame(ctx, WallFace::front);

    // W1 and W2: the length classes (computed in the back-face view), rows 1-6 and the bars.
    const Point back = wall_face_origin(ctx, WallFace::back);
    set_origin(ctx.canvas, back.x, back.y);
    const WallVerticalBars vertical = lay_out_wall_vertical_bars(ctx);
    draw_wall_vertical_bars(ctx, vertical);

    // W3 on the back face, W4 on the front face, with their rows from row 7 on.
    WallHorizontalBars horizontal;
    draw_wall_horizontal_bars(ctx, WallFace::back, horizontal);
    draw_wall_horizontal_bars(ctx, WallFace::front, horizontal);

    draw_wall_cap_bars(ctx, vertical);
    const TieAnchors ties = draw_wall_ties(ctx, vertical);
    draw_wall_callouts(ctx, vertical, ties, horizontal);
}

}  // namespace lwall
