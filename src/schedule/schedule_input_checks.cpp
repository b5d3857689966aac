#include "schedule/schedule_input_checks.hpp"

#include <string>

#include "core/wall_fields.hpp"

namespace lwall {

void check_schedule_input(const WallInput& w) {
    // The bars along the wall run between the end covers; with no run left the bending drawings,
    // the schedule and the tables would show bars of no or negative length and negative masses.
    const double run = run_along_wall(w);
    if (!(run > 0)) {
        refuse_wall_field(w, "end_cover_left", msg::no_run_between_end_covers());
    }
}

}  // namespace lwall
