#pragma once
// The run driver: opens the four files, frames the drawing file, reads the wall, checks the size
// limits, lays out the sheet and runs the drawings in their fixed order.

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "driver/run_context.hpp"

namespace lwall {

// What a run writes besides the drawing file and the script.
struct RunOptions {
    bool svg = false;  // Lwall.svg, a picture of the sheet
    bool csv = false;  // Lwall.csv, the schedule and the quantity tables
};

// Throws RunFailure with status 1 when the footing is wider than 2500 or footing and wall are
// higher than 3000 (width first; the limits themselves pass).
void check_size_limits(const WallInput& w);

// Every refusal of a wall that was read: the size limits, then the limits of a layout any wall could
// hold, then what each drawing cannot draw from. Throws RunFailure.
void check_wall_input(const WallInput& w);

// Everything after the files are open, writing into ctx.canvas, in two halves: the tables, the
// wall read, refused or checked (ctx.findings) and the sheet laid out; then the entities of all
// drawings and the document end. Throws RunFailure; what was written before stays written.
void start_sheet(RunContext& ctx, std::string_view wall_file_text, std::string_view layer_file_text);
void draw_sheet(RunContext& ctx);
void run_sheet(RunContext& ctx, std::string_view wall_file_text, std::string_view layer_file_text);

// The whole program in directory `dir`: console messages go to `console`, warnings to `errors`;
// returns the exit status.
int run_in_directory(const std::filesystem::path& dir, const RunOptions& options, std::FILE* console,
                     std::FILE* errors);

// lwall --check: reads PlenkL.dat in `dir`, prints every refusal or finding to `console` and writes
// no file. Returns 0 without a finding, kExitFindings with one, or the status of a refusal.
int check_in_directory(const std::filesystem::path& dir, std::FILE* console);

}  // namespace lwall
