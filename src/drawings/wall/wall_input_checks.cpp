#include "drawings/wall/wall_input_checks.hpp"

#include <algorithm>
#include <string>

namespace lwall {

namespace {

// Zones of a wall mark: no negative count, and a zone with bars has a spacing.
void check_zones(const WallInput& w, const BarGroup& g, const std::string& mark, int last_zone) {
    for (int i = 1; i <= last_zone; ++i) {
        const std::string zone = "[" + std::to_string(i) + "]";
        if (g.count[i] < 0) refuse_wall_field(w, mark + ".count" + zone, "must not be negative");
        if (g.count[i] > 0 && g.pitch[i] <= 0) {
            refuse_wall_field(w, mark + ".pitch" + zone, "must be more than 0 where the zone has bars");
        }
    }
}

}  // namespace

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
    check_zones(w, w.W1, "W1", 4);
    check_zones(w, w.W2, "W2", 4);
    // Rows go up zones 1 and 2 of both groups, and through every zone in use on a level top.
    check_zones(w, w.W3, "W3", std::max(2, w.W3.zones));
    check_zones(w, w.W4, "W4", std::max(2, w.W4.zones));
    check_zones(w, w.W5, "W5", 4);
}

}  // namespace lwall
