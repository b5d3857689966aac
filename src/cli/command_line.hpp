#pragma once
// The command line: no arguments draws the sheet; options add a picture and a spreadsheet, or
// check the wall without drawing it; `lwall serve` opens the editor. --lang ja|en, anywhere, picks
// the language of the messages.

#include <cstdio>

#include "core/messages.hpp"

namespace lwall {

// The editor's door, `lwall serve [options]`, run with the arguments after `serve`. The editor
// stands beside the command line, so the program's entry hands it in; a build without it leaves
// `run` empty and says in `missing` why.
struct ServeDoor {
    int (*run)(int argc, const char* const* argv, std::FILE* console, std::FILE* errors,
               const ConsoleStyle& style) = nullptr;
    const char* missing = "";
};

// The console's language and encoding from the environment: the language from LC_ALL,
// LC_MESSAGES and LANG; on Windows always Shift_JIS, elsewhere UTF-8 when LC_ALL, LC_CTYPE or
// LANG says so.
ConsoleStyle console_style_from_environment();

// Runs lwall with its arguments in the current directory; returns the exit status.
int run_command_line(int argc, const char* const* argv, std::FILE* console, std::FILE* errors, ConsoleStyle style,
                     const ServeDoor& serve = {});

}  // namespace lwall
