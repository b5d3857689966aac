#include "drawings/section_footing/footing_input_checks.hpp"

#include <string>

#include "core/wall_fields.hpp"
#include "drawings/section_footing/footing_plan.hpp"

namespace lwall {

namespace {

// No deformed bar is thicker than this; a bar seen end-on is drawn as one ring per millimetre of
// its diameter, so a mistyped diameter would multiply the drawing.
constexpr int kMaxBarDiameter = 100;

// No footing, at most 2.5 m wide, holds this many S2 ties; more can only come from a mistyped
// F1 or F3 count, and would flood the drawing.
constexpr long long kMaxS2Ties = 1'000'000;

void check_diameter(const WallInput& w, int diameter, std::string_view field) {
    if (diameter > kMaxBarDiameter) {
        refuse_wall_field(w, field, msg::diameter_too_large(diameter, kMaxBarDiameter));
    }
}

}  // namespace

void check_footing_input(const WallInput& w) {
    // The bars the section shows end-on.
    check_diameter(w, w.W4.dia, "W4.dia");
    check_diameter(w, w.W4.opt[1], "W4.opt[1]");
    check_diameter(w, w.W3.dia, "W3.dia");
    check_diameter(w, w.W3.opt[1], "W3.opt[1]");
    check_diameter(w, w.F3.dia, "F3.dia");
    check_diameter(w, w.F3.opt[1], "F3.opt[1]");
    check_diameter(w, w.F3.opt[2], "F3.opt[2]");
    check_diameter(w, w.F4.dia, "F4.dia");
    check_diameter(w, w.F4.opt[1], "F4.opt[1]");
    check_diameter(w, w.F4.opt[2], "F4.opt[2]");

    const S2TieTotals ties = count_s2_ties(w);
    if (ties.drawn > kMaxS2Ties) {
        refuse_wall_field(w, "F1.count[2]", msg::too_many_s2_ties(ties.drawn));
    }
    if (ties.counted > kMaxS2Ties) {
        refuse_wall_field(w, "F1.count[1]", msg::too_many_s2_ties(ties.counted));
    }
}

}  // namespace lwall
