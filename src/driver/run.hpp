#pragma once
// The run driver: opens the four files, frames the drawing file, reads the wall, checks the size
// limits, lays out the sheet and runs the drawings in their fixed order.

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "driver/run_context.hpp"

namespace lwall {

// Throws RunFailure with status 1 when the footing is wider than 2500 or footing and wall are
// higher than 3000 (width first; the limits themselves pass).
void check_size_limits(const WallInput& w);

// Everything after the files are open, writing into ctx.canvas: the tables, the entities of all
// drawings and the document end. Throws RunFailure; what was written before stays written.
void run_sheet(RunContext& ctx, std::string_view wall_file_text, std::string_view layer_file_text);

// The whole program in directory `dir`: console messages go to `console`; returns the exit status.
int run_in_directory(const std::filesystem::path& dir, std::FILE* console);

}  // namespace lwall
