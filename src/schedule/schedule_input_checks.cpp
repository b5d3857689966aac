#include "schedule/schedule_input_checks.hpp"

#include <string>

#include "core/wall_fields.hpp"

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
}

}  // namespace lwall
