#pragma once
// The one modal message of the program (caption and text, Shift_JIS). On Windows the system
// message box; elsewhere one line on standard error, so that a batch run never waits for a person.

#include <string_view>

namespace lwall {

void show_message_box(std::string_view caption, std::string_view text);

}  // namespace lwall
