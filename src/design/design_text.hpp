#pragma once
// The design checks as the engineer reads them: one line per result with its limit (lwall --check),
// the findings of the results that fail (a batch run's warnings, --check's status 7), the
// spreadsheet of the calculation (Lwall-calc.csv) and the record as JSON (the editor's panel).

#include <string>
#include <vector>

#include "core/findings.hpp"
#include "core/messages.hpp"
#include "core/wall_fields.hpp"
#include "design/wall_design.hpp"

namespace lwall {

// A design condition's value as the file would hold it ("19", "SD345", "1").
std::string condition_value_text(const DesignConditions& c, const WallField& f);

// A value compared with a limit, to `decimals` places: rounded as usual where it passes, and toward
// the failing side where it fails, so that a failing value never prints as its limit (a sliding
// factor of 1.196 against 1.20 prints 1.19).
std::string shown_value(double value, int decimals, bool at_most, bool ok);

// The parts of one result as every listing prints it.
struct CheckText {
    Message name;   // the check, with its member ("たて壁 鉄筋引張応力度 σs")
    Message where;  // the case and the section, and the bars of a member
    std::string value;  // with its unit; empty where there is none (then `why`)
    std::string limit;  // empty for a value reported without a limit
    Message why;
};
CheckText check_text(const DesignReport& r, const DesignCheck& c);

// Every result with its limit, in the order of the report: the stability of each section and case,
// then the members.
std::vector<Message> design_result_lines(const DesignReport& r);

// The results that fail, each a finding (no line of PlenkL.dat: the wall as a whole).
std::vector<Finding> design_findings(const DesignReport& r);

// Lwall-calc.csv: the conditions, the forces and moments about the toe, the member forces and
// stresses, and every check with its limit and verdict. Shift_JIS, CR LF.
std::string design_csv(const DesignReport& r);

// The whole record as JSON (UTF-8), the texts in `lang`: {"ok", "conditions": [{"name", "label",
// "value", "unit", "default"}], "geometry", "sections": [{"height", "lowest", "cases": [...],
// "members": [...]}], "checks": [{"kind", "case", "section", "member", "name", "where", "value",
// "limit", "unit", "at_most", "judged", "ok", "text"}]}.
std::string design_json(const DesignReport& r, Lang lang);

}  // namespace lwall
