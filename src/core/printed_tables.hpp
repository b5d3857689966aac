#pragma once
// The texts the bending schedule, the mass table and the material table print, kept as printed so
// that the spreadsheet of the quantities holds exactly the numbers of the drawing.

#include <string>
#include <vector>

namespace lwall {

struct PrintedTables {
    // Per printed row: mark, shape, size, count, length, L1, L2, L3.
    std::vector<std::vector<std::string>> schedule;
    // Per printed row: mark, size, length, count, unit mass, mass of one bar, mass of the row.
    std::vector<std::vector<std::string>> mass;
    // Per quantity, from the top of the table down: group, item, unit, quantity, remark.
    std::vector<std::vector<std::string>> material;
};

}  // namespace lwall
