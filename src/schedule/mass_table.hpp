#pragma once
// The bar mass table "鉄 筋 質 量 表": per used bar-list row the cut length, count, unit mass, the
// mass of one bar and of the row, with a small picture of the bar's shape in the remarks column.
// Like the bending schedule it weighs the bars of the whole wall, and its note says so. It sums the
// row masses per bar size and in total for the material table.

#include "context/run_context.hpp"

namespace lwall {

// The shape icons of the remarks column, one per row in a fixed order of the bar marks (W1/W2
// classes, W3/W4 rows drawn, W5, F1, F2, F3/F4 rows, S1, S2).
void draw_mass_icons(RunContext& ctx);

// The table; fills ctx.mass_totals. The row mass is the one-bar mass as printed (three decimals)
// times the count, so that the printed figures add up.
void draw_mass_table(RunContext& ctx);

}  // namespace lwall
