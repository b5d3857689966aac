#pragma once
// lwall --explain: PlenkL.dat as the program reads it, one field a line with its line, name, value,
// unit and label, grouped like the file, so that a value on the wrong line shows at a glance.

#include <optional>
#include <string>
#include <string_view>

#include "core/messages.hpp"

namespace lwall {

struct WallExplanation {
    std::string text;  // console lines (UTF-8, LF)
    int status = 0;    // 0, or the status of the refusal the text ends with
};

// Every field read, in file order; on a file the program refuses, the fields read up to the
// refusal and then the refusal (with its fields and by how much).
WallExplanation explain_wall(std::string_view wall_text, Lang lang);

// HyodaiL.dat the same way, under the file's name: each value with its line, name and label; on a
// refused file, the values read up to the refusal and then the refusal. No file: a line that says
// the boxes stay empty.
WallExplanation explain_title(std::optional<std::string_view> title_text, Lang lang);

// SekkeiL.dat the same way: each value with its line, name, unit and label, a value the file leaves
// out with its default; on a refused file, the values read up to the refusal and then the refusal.
// No file: a line that says no design checks are made.
WallExplanation explain_conditions(std::optional<std::string_view> conditions_text, Lang lang);

}  // namespace lwall
