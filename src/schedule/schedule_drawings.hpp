#pragma once
// The final drawing step of the sheet: everything printed from the bar list.

#include "context/run_context.hpp"
#include "schedule/bending_drawings.hpp"
#include "schedule/bending_schedule.hpp"
#include "schedule/mass_table.hpp"
#include "schedule/material_table.hpp"
#include "schedule/sheet_notes.hpp"

namespace lwall {

// Sets the extension gap to 100 and draws, in this order, the shape legend, the bending
// drawings, the mass-table icons, the bending schedule, the mass table, the material table and the
// notes.
// When the canvas records, each table and each bending drawing is a block of its own.
void draw_schedule_sheet(RunContext& ctx);

}  // namespace lwall
