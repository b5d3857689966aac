#pragma once
// The command line's work in a folder: the fixed files opened in their order, the sheet drawn
// through run_sheet, the console lines and the exit status.

#include <cstdio>
#include <filesystem>

namespace lwall {

// What a run writes besides the drawing file and the script.
struct RunOptions {
    bool svg = false;  // Lwall.svg, a picture of the sheet
    bool csv = false;  // Lwall.csv, the schedule and the quantity tables
    bool pdf = false;  // Lwall.pdf, a page per sheet frame for plotting
};

// The whole program in `dir`: console messages go to `console`, warnings to `errors`; returns the
// exit status. The member-length stop shows its message box. Where no PDF can be made, --pdf is
// refused before any file is touched.
int run_in_directory(const std::filesystem::path& dir, const RunOptions& options, std::FILE* console,
                     std::FILE* errors);

// lwall --check: reads PlenkL.dat in `dir`, prints every refusal or finding to `console` and writes
// no file. Returns 0 without a finding, kExitFindings with one, or the status of a refusal.
int check_in_directory(const std::filesystem::path& dir, std::FILE* console);

// lwall --explain: prints PlenkL.dat in `dir` as lwall reads it, field by field, and a refusal at
// the end. Returns 0, or the status of the refusal.
int explain_in_directory(const std::filesystem::path& dir, std::FILE* console);

}  // namespace lwall
