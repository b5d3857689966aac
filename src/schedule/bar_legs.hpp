#pragma once
// The legs of a bar as the sheet prints them, in whole millimetres, so that the legs of every bar
// add up to its printed cut length: in the bending schedule, in the bending drawings and in the
// spreadsheet alike. The cut length itself and the masses stay as computed.
//
// Each leg but one is its length rounded to the millimetre (halves away from zero). The one left,
// the bar's main leg, takes up what remains of the printed cut length: the straight part of an L
// (shape 1) or of a straight bar (5), the bottom of a U (2), the width of a hoop (3), the run of a
// crank (4) and the top of a cap (6). A leg drawn twice (both legs of a U or a cap, the sides and
// hooks of a hoop) counts twice. A leg of length 0 is no leg: it is neither printed nor dimensioned.

#include <array>

#include "core/bar_list.hpp"
#include "core/number_format.hpp"

namespace lwall {

struct PrintedLegs {
    std::array<double, 3> leg{};  // Ｌ１, Ｌ２, Ｌ３ in whole millimetres; 0: no leg
    double total = 0;             // the cut length as printed

    bool has(int i) const { return leg[static_cast<std::size_t>(i - 1)] != 0; }
    double operator[](int i) const { return leg[static_cast<std::size_t>(i - 1)]; }
    // "%5.0lf" of leg i, or nothing for a leg of length 0.
    TextBuf text(int i) const;
};

PrintedLegs printed_legs(const ScheduleRow& row);

}  // namespace lwall
