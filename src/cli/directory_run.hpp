#pragma once
// The command line's work in a folder: the fixed files opened in their order, the sheet drawn
// through run_sheet, the console lines and the exit status.

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "core/messages.hpp"

namespace lwall {

// What a run writes besides the drawing file and the script.
struct RunOptions {
    bool svg = false;  // Lwall.svg, a picture of the sheet
    bool csv = false;  // Lwall.csv, the schedule and the quantity tables
    bool pdf = false;  // Lwall.pdf, a page per sheet frame for plotting
    bool sfc = false;  // Lwall-1.sfc ..., an SXF sheet per sheet frame for electronic delivery
};

// One line (UTF-8, without its line end) on the console, as the console takes it; and a text of
// whole lines.
void print_console_line(std::FILE* out, const ConsoleStyle& style, std::string_view utf8_line);
void print_console_text(std::FILE* out, const ConsoleStyle& style, std::string_view utf8_text);

// The whole program in `dir`: console messages go to `console`, warnings to `errors`; returns the
// exit status. The member-length stop shows its message box. Where no PDF can be made, --pdf is
// refused before any file is touched.
int run_in_directory(const std::filesystem::path& dir, const RunOptions& options, std::FILE* console,
                     std::FILE* errors, const ConsoleStyle& style);

// lwall --check: reads PlenkL.dat in `dir`, prints every refusal or finding to `console` and writes
// no file. Returns 0 without a finding, kExitFindings with one, or the status of a refusal (whose
// line names the fields and by how much, also for the size limits). With SekkeiL.dat also every
// design result with its limit; one that fails is a finding.
int check_in_directory(const std::filesystem::path& dir, std::FILE* console, const ConsoleStyle& style);

// lwall --report: the design checks of the wall in `dir` from PlenkL.dat and SekkeiL.dat (and the
// works' name from HyodaiL.dat) as Lwall-calc.csv and the calculation report Lwall-calc.pdf; the
// results that fail go to `errors` as warnings. Without SekkeiL.dat it writes nothing (status 6).
// The spreadsheet is written first: where no PDF can be made it stays, and the run ends with the
// PDF's refusal (status 11). After a stop no earlier Lwall-calc.csv or Lwall-calc.pdf is left, nor
// an earlier PDF beside a new spreadsheet.
int report_in_directory(const std::filesystem::path& dir, std::FILE* console, std::FILE* errors,
                        const ConsoleStyle& style);

// lwall --explain: prints PlenkL.dat in `dir` as lwall reads it, field by field, and a refusal at
// the end. Returns 0, or the status of the refusal.
int explain_in_directory(const std::filesystem::path& dir, std::FILE* console, const ConsoleStyle& style);

}  // namespace lwall
