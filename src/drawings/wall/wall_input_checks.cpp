#include "drawings/wall/wall_input_checks.hpp"

#include <algorithm>
#include <string>

#include "core/wall_fields.hpp"

namespace lwall {

void check_wall_elevation_input(const WallInput& w) {
    // The leg at the foot of a vertical bar is counted in whole diameters.
    if (w.W1.dia <= 0) refuse_wall_field(w, "W1.dia", msg::must_be_positive());
    if (w.W2.dia <= 0) refuse_wall_field(w, "W2.dia", msg::must_be_positive());
    // The slope of the top and the length classes are taken over the length of the wall.
    if (w.length_left < 0) refuse_wall_field(w, "length_left", msg::must_not_be_negative());
    if (w.length_right < 0) refuse_wall_field(w, "length_right", msg::must_not_be_negative());
    if (w.length_left + w.length_right <= 0) {
        refuse_wall_field(w, "length_right", msg::wall_without_length());
    }
    if (w.max_bar_length <= 0) refuse_wall_field(w, "max_bar_length", msg::must_be_positive());
    // Negative counts and zones without a spacing are refused with the layout limits, earlier.
}

}  // namespace lwall
