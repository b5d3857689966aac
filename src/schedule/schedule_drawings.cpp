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

}  // namespace lwall
