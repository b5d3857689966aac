#pragma once
// Reading SekkeiL.dat, the design conditions: Shift_JIS, lines ending in CR LF or LF, one value a
// line in the catalogue's order (core/wall_fields.hpp). Line n holds value n; a blank line, or a
// file that ends before it, leaves the value at its default. Blanks and tabs around a value are
// dropped. A value that is not a number of its kind, lies outside its range, or a value after the
// fourteenth line is refused naming the file, the line and the field (status 6).

#include <optional>
#include <string_view>

#include "core/design_conditions.hpp"
#include "core/run_failure.hpp"

namespace lwall {

struct ConditionsReading {
    DesignConditions conditions;  // the values read, the rest their defaults
    int lines_read = 0;
    std::optional<RunFailure> refusal;
};

ConditionsReading read_conditions_file(std::string_view text);

// The same for a run: throws the refusal.
DesignConditions read_conditions_input(std::string_view text);

}  // namespace lwall
