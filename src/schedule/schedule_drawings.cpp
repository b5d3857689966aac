#include "schedule/schedule_drawings.hpp"

#include "output/primitives/primitives.hpp"

namespace lwall {

void draw_schedule_sheet(RunContext& ctx) {
    Canvas& cv = ctx.canvas;
    cv.state.dim_ext_gap = 100;
    // The blocks that are moved as wholes: the schedule with the legend above its headings, each
    // bending drawing (and their title), the mass table with its icons, the material table, the
    // notes.
    const int schedule = open_block(cv, BlockRole::table);
    draw_shape_legend(ctx);
    draw_bending_drawings(ctx);
    const int mass_table = open_block(cv, BlockRole::table);
    draw_mass_icons(ctx);
    select_block(cv, schedule);
    draw_bending_schedule(ctx);
    select_block(cv, mass_table);
    draw_mass_table(ctx);
    open_block(cv, BlockRole::table);
    draw_material_table(ctx);
    draw_sheet_notes(ctx);
}

}  // namespace lwall
