#pragma once
// The material table "材 料 表" (per metre of wall): concrete and formwork of wall and footing,
// steel per bar size and in total, and the levelling concrete and crushed-stone base over the
// whole wall length. The steel is the mass table's whole-wall mass divided by the wall's length;
// the whole-wall mass of each size and of the total stands beside it in the remarks column.

#include "context/run_context.hpp"

namespace lwall {

// Reads the wall's section dimensions and ctx.mass_totals (filled by the mass table before it).
void draw_material_table(RunContext& ctx);

}  // namespace lwall
