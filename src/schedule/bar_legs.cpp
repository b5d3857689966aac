#include "schedule/bar_legs.hpp"

namespace lwall {

namespace {

// The leg that takes up the rest of the printed cut length, 1 ... 3.
int main_leg(std::string_view shape_code) {
    if (shape_code == "2" || shape_code == "4" || shape_code == "6") return 2;
    if (shape_code == "3") return 3;
    return 1;
}

}  // namespace

TextBuf PrintedLegs::text(int i) const {
    if (!has(i)) return TextBuf();
    return fmt_length((*this)[i]);
}

PrintedLegs printed_legs(const ScheduleRow& row) {
    PrintedLegs p;
    p.total = round_half_away(row.total_length);
    const std::array<double, 3> length{row.len1, row.len2, row.len3};
    const std::array<int, 3> times = shape_leg_multiplicity(row.shape_code);
    const std::size_t main = static_cast<std::size_t>(main_leg(row.shape_code) - 1);
    double others = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (i == main || times[i] == 0) continue;
        p.leg[i] = round_half_away(length[i]);
        others += times[i] * p.leg[i];
    }
    // The main leg is bent once; a bar without legs beside it is all main leg.
    if (length[main] != 0 || others != 0) p.leg[main] = p.total - others;
    return p;
}

}  // namespace lwall
