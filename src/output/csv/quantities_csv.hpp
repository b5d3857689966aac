#pragma once
// Lwall.csv: the bending schedule, the bar mass table and the material table with the numbers the
// sheet prints, for a spreadsheet. Shift_JIS, CR LF, one block per table, each with one header row;
// the first column names the table, so every row says where it comes from.

#include <string>

#include "core/printed_tables.hpp"

namespace lwall {

std::string quantities_csv(const PrintedTables& tables);

}  // namespace lwall
