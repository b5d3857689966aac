#pragma once
// The final drawing step of the sheet: everything printed from the bar list.

#include "driver/run_context.hpp"

namespace lwall {

// Sets the extension gap to 100 and draws, in this order, the shape legend, the bending
// drawings, the mass-table icons, the bending schedule, the mass table and the material table.
void draw_schedule_sheet(RunContext& ctx);

void draw_shape_legend(RunContext& ctx);
void draw_bending_drawings(RunContext& ctx);
void draw_mass_icons(RunContext& ctx);
void draw_bending_schedule(RunContext& ctx);
void draw_mass_table(RunContext& ctx);
void draw_material_table(RunContext& ctx);

}  // namespace lwall
