#pragma once
// The command line: no arguments draws the sheet; options add a picture and a spreadsheet, or
// check the wall without drawing it.

#include <cstdio>

namespace lwall {

// Runs lwall with its arguments in the current directory; returns the exit status.
int run_command_line(int argc, const char* const* argv, std::FILE* console, std::FILE* errors);

}  // namespace lwall
