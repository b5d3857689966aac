#include "schedule/schedule_drawings.hpp"

namespace lwall {

void draw_schedule_sheet(RunContext& ctx) {
    ctx.canvas.state.dim_ext_gap = 100;
    draw_shape_legend(ctx);
    draw_bending_drawings(ctx);
    draw_mass_icons(ctx);
    draw_bending_schedule(ctx);
    draw_mass_table(ctx);
    draw_material_table(ctx);
}

// TODO(#5): the legend, bending drawings, schedule and tables.
void draw_shape_legend(RunContext&) {}
void draw_bending_drawings(RunContext&) {}
void draw_mass_icons(RunContext&) {}
void draw_bending_schedule(RunContext&) {}
void draw_mass_table(RunContext&) {}
void draw_material_table(RunContext&) {}

}  // namespace lwall
