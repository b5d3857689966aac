#include "schedule/schedule_input_checks.hpp"

#include <string>

namespace lwall {

void check_schedule_input(const WallInput& w) {
    // The bars along the wall run between the end covers; with no run left the bending drawings,
    // the schedule and the tables would show bars of no or negative length and negative masses.
    const double run = run_along_wall(w);
    if (!(run > 0)) {
        refuse_wall_field(w, "end_cover_left",
                          "the end covers leave no length for the bars along the wall (length_left + length_right "
                          "- end_cover_left - end_cover_right must be above 0)");
    }
    // The number of cap bars W5 is counted from these spacings.
    for (int i = 1; i <= 5; ++i) {
        if (w.W5.count[static_cast<std::size_t>(i)] < 0) {
            refuse_wall_field(w, "W5.count[" + std::to_string(i) + "]", "a number of spacings cannot be negative");
        }
    }
}

}  // namespace lwall
