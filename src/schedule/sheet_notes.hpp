#pragma once
// The notes "注 記" a checker looks for on a reinforcement drawing: the unit of the dimensions, the
// materials (SekkeiL.dat's steel grade and concrete strength, or the defaults SD345 and 24 N/mm2),
// what the covers measure to, the lap and anchorage lengths of every bar size on the sheet as the
// bar rules compute them, and the bending rule the bending drawings assume. A block of its own,
// placed with the tables.

#include <string>
#include <vector>

#include "context/run_context.hpp"

namespace lwall {

// The lap and anchorage of one bar size, as the notes state them (mm).
struct SizeLengths {
    int diameter = 0;
    double lap = 0;        // two pieces of one bar: the lap the bending drawings state
    double anchorage = 0;  // a wall bar in the footing
};

// The sizes of the bars on the sheet (the mass table's), smallest first, with their lengths.
std::vector<SizeLengths> noted_sizes(const RunContext& ctx);

// Draws the notes; after the mass table, whose sizes it names.
void draw_sheet_notes(RunContext& ctx);

}  // namespace lwall
