#pragma once
// Reading PlenkL.dat into the wall record, field by field as the catalogue lists them.

#include <optional>
#include <string_view>
#include <vector>

#include "core/run_failure.hpp"
#include "core/wall_fields.hpp"
#include "core/wall_input.hpp"

namespace lwall {

// What the reader made of a wall file, also when it refused it.
struct WallReading {
    WallInput input;          // every field read; the rest 0
    std::vector<bool> given;  // per catalogue field: written in the file (false: left 0)
    int fields_seen = 0;      // catalogue fields the reader got to, refused or not
    std::optional<RunFailure> refusal;
};

// Reads the whole file. A line with fewer values leaves the missing fields 0, and a file that ends
// early leaves every later field 0. Malformed text (a token that is not a number, a decimal point in
// a whole-number field, more values than the line holds, a blank before a comma, nan, inf, a zone
// count outside 0 ... 5, a value far outside any wall) ends the reading with a refusal (status 6)
// naming the file, the line and the field; the fields before it stay read.
WallReading read_wall_file(std::string_view text);

// Every refusal of the file, in file order, each value judged in its own place: a value found wrong
// is passed over to the next comma (the first is read_wall_file's). For an editor that marks them
// all at once.
std::vector<RunFailure> wall_file_refusals(std::string_view text);

// The field whose value holds the byte at `offset` of a wall file's text (Shift_JIS or UTF-8: the
// commas and line ends are the same bytes), as the reader places values: by the lines that are not
// blank and the commas before it on its line, values past the last field in the last. Nothing where
// the byte stands beyond the file's lines. `line` is set to the line of the text (1-based).
const WallField* wall_field_at(std::string_view text, std::size_t offset, int& line);

// The same for a run: throws the refusal as RunFailure.
WallInput read_wall_input(std::string_view text);

}  // namespace lwall
