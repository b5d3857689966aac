#pragma once
// The one modal message of the program (caption and text, UTF-8), shown by the command line
// only. On Windows, in a console a person is watching, the system message box; otherwise (no
// message boxes, standard output redirected, a batch run) one line "caption: text" on standard
// error, so that nothing ever waits for a person who is not there.

#include <cstdio>
#include <string_view>

#include "core/messages.hpp"

namespace lwall {

// True when `out` is the process's standard output and that is a console or terminal.
bool is_interactive_console(std::FILE* out);

// The box speaks Shift_JIS, as the system's message box takes it on a Japanese Windows; the line
// on standard error speaks as the console does.
void show_message_box(std::string_view caption, std::string_view text, bool interactive, std::FILE* errors,
                      const ConsoleStyle& style);

}  // namespace lwall
