#pragma once
// Lwall.csv: the bending schedule, the bar mass table and the material table with the numbers the
// sheet prints, for a spreadsheet. Shift_JIS, CR LF, one block per table, each with one header row;
// the first column names the table, so every row says where it comes from, and the last column
// ("基準") what its numbers count over: the whole wall ("延長 10.0m当たり") for the schedule and the
// mass table, per metre of wall ("1m当たり") for most of the material table. A remark that holds a
// number of another basis says it in its own text ("全延長 483.378").

#include <string>
#include <string_view>

#include "core/printed_tables.hpp"

namespace lwall {

std::string quantities_csv(const PrintedTables& tables);

// A cell of a spreadsheet row: the text without the blanks that right-align it, quoted where a
// comma or a quote needs it.
std::string csv_cell(std::string_view text);

}  // namespace lwall
