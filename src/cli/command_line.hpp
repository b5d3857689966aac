#pragma once
// The command line: no arguments draws the sheet; options add a picture and a spreadsheet, or
// check the wall without drawing it; `lwall serve` opens the editor.

#include <cstdio>

namespace lwall {

// The editor's door, `lwall serve [options]`, run with the arguments after `serve`. The editor
// stands beside the command line, so the program's entry hands it in; a build without it leaves
// `run` empty and says in `missing` why.
struct ServeDoor {
    int (*run)(int argc, const char* const* argv, std::FILE* console, std::FILE* errors) = nullptr;
    const char* missing = "";
};

// Runs lwall with its arguments in the current directory; returns the exit status.
int run_command_line(int argc, const char* const* argv, std::FILE* console, std::FILE* errors,
                     const ServeDoor& serve = {});

}  // namespace lwall
