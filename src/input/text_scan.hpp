#pragma once
// Strict reading of the numbers in the two input files. A token is accepted only when it is a
// whole decimal number of the field's kind; everything else is reported with the file, the line
// and the field, so that no value is ever guessed from a malformed line.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/messages.hpp"

namespace lwall {

// Largest magnitude accepted for any length or pen width (1 km) and for any whole number: far
// beyond every real wall, small enough that no sum or product of them can overflow.
inline constexpr double kMaxInputReal = 1e6;
inline constexpr long long kMaxInputInt = 1000000;

enum class ScanError { none, empty, not_a_number, not_whole, not_finite, out_of_range };

ScanError scan_real(std::string_view token, double& out);
ScanError scan_int(std::string_view token, int& out);

// "expected a number, found "x"" and its siblings, for a message line.
Message describe_scan_error(ScanError e, std::string_view token, bool whole);

// A position in a text file that knows its line number (1-based).
struct TextCursor {
    std::string_view text;
    std::size_t pos = 0;
    int line = 1;

    bool at_end() const { return pos >= text.size(); }
    char peek() const { return text[pos]; }
    // Skips blanks, tabs, CR and line feeds.
    void skip_white();
    // Skips blanks, tabs and CR on the current line.
    void skip_blanks();
    bool at_line_end() const { return at_end() || text[pos] == '\n'; }
    // True when only blanks remain on the current line.
    bool rest_of_line_blank() const;
    // Moves past the end of the current line.
    void next_line();
    // The characters up to the next comma, blank or line end.
    std::string_view token(bool stop_at_comma);
};

// At most a short prefix of the Shift_JIS text s as a message shows it (UTF-8), with control bytes
// shown as '?' and "..." where it was cut.
std::string shown_in_message(std::string_view s);

}  // namespace lwall
