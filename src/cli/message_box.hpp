#pragma once
// The one modal message of the program (caption and text, Shift_JIS), shown by the command line
// only. On Windows, in a console a person is watching, the system message box; otherwise (no
// message boxes, standard output redirected, a batch run) one line "caption: text" on standard
// error, so that nothing ever waits for a person who is not there.

#include <cstdio>
#include <string_view>

namespace lwall {

// True when `out` is the process's standard output and that is a console or terminal.
bool is_interactive_console(std::FILE* out);

void show_message_box(std::string_view caption, std::string_view text, bool interactive, std::FILE* errors);

}  // namespace lwall
