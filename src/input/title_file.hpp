#pragma once
// Reading HyodaiL.dat, the values of the title block: Shift_JIS, lines ending in CR LF or LF, one
// value a line in the catalogue's order (工事名, 路線・箇所, 図面名, 図面番号, 年月日, 会社名,
// 設計者). Line n holds value n: a blank line is an empty value, and a file that ends early leaves
// the values after it empty. Blanks and tabs around a value are dropped.

#include <optional>
#include <string_view>
#include <vector>

#include "core/run_failure.hpp"
#include "core/title_block.hpp"

namespace lwall {

// What the reader made of a title file, also when it refused it.
struct TitleReading {
    TitleInput input;  // the values read; the rest empty
    int lines_read = 0;  // lines of the file the reader got to, refused or not
    std::optional<RunFailure> refusal;
};

TitleReading read_title_file(std::string_view text);

// Every refusal of the file, a line at a time (the first is read_title_file's).
std::vector<RunFailure> title_file_refusals(std::string_view text);

// The same for a run: refuses (RunFailure, status 6, naming the file, the line and the field) a value that is not
// Shift_JIS, holds a control character or is longer than its box, and a value after the eighth
// line.
TitleInput read_title_input(std::string_view text);

}  // namespace lwall
