#pragma once
// Reading back a number the sheet has printed, so that a value carried on from a label is the
// value the reader of the sheet sees (a mass rounded to three decimals, a length to whole mm).

#include <charconv>
#include <string_view>

namespace lwall {

// The number at the start of `text` after leading blanks ("  400", "1.228", "-0"); 0 when there
// is none.
inline double read_printed_number(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return 0;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
    (void)end;
    return error == std::errc{} ? value : 0;
}

}  // namespace lwall
