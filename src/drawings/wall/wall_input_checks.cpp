#include "drawings/wall/wall_input_checks.hpp"

#include <algorithm>
#include <string>

#include "core/wall_fields.hpp"

namespace lwall {

void check_wall_elevation_input(const WallInput& w) {
    // The leg at the foot of a vertical bar is counted in whole diameters.
    if (w.W1.dia <= 0) refuse_wall_field(w, "W1.dia", "must be more than 0");
    if (w.W2.dia <= 0) refuse_wall_field(w, "W2.dia", "must be more than 0");
    // The slope of the top and the length classes are taken over the length of the wall.
    if (w.length_left < 0) refuse_wall_field(w, "length_left", "must not be negative");
    if (w.length_right < 0) refuse_wall_field(w, "length_right", "must not be negative");
    if (w.length_left + w.length_right <= 0) {
        refuse_wall_field(w, "length_right", "the wall has no length (length_left + length_right is 0)");
    }
    if (w.max_bar_length <= 0) refuse_wall_field(w, "max_bar_length", "must be more than 0");
    // Negative counts and zones without a spacing are refused with the layout limits, earlier.
}

}  // namespace lwall
