#pragma once
// The texts the bending schedule, the mass table and the material table print, kept as printed so
// that the spreadsheet of the quantities holds exactly the numbers of the drawing, each with what
// it counts over.

#include <string>
#include <vector>

namespace lwall {

struct PrintedTables {
    // Per printed row: mark, shape, size, count, length, L1, L2, L3.
    std::vector<std::vector<std::string>> schedule;
    // Per printed row: mark, size, length, count, unit mass, mass of one bar, mass of the row.
    std::vector<std::vector<std::string>> mass;
    // What the counts and masses of the schedule and of the mass table count over, as their notes
    // print it without the brackets: the whole wall ("延長 10.0m当たり", in Shift_JIS).
    std::string schedule_basis;
    std::string mass_basis;
    // Per quantity, from the top of the table down: group, item, unit, quantity, remark, and what
    // the row's number counts over ("1m当たり", the whole wall's "延長 10.0m当たり").
    std::vector<std::vector<std::string>> material;
};

}  // namespace lwall
