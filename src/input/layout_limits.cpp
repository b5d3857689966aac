#include "input/layout_limits.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/number_format.hpp"
#include "core/wall_fields.hpp"

namespace lwall {

namespace {

struct MarkExtent {
    const char* mark;
    const BarGroup* group;
    const char* measure;  // what the zones are laid along
    double size;          // its size in mm
};

std::string mm(double v) { return std::string(TextBuf().fixed(v, 0, 0).view()); }

void check_mark(const WallInput& w, const MarkExtent& m) {
    const BarGroup& g = *m.group;
    const std::string mark = m.mark;
    double span = 0;
    int widest = 1;
    for (int i = 1; i <= 5; ++i) {
        if (g.count[i] < 0) refuse_wall_field(w, mark_field_name(mark, "count", i), "must not be negative");
        if (g.count[i] == 0) continue;
        if (!(g.pitch[i] >= kMinBarSpacing)) {
            refuse_wall_field(w, mark_field_name(mark, "pitch", i),
                              "must be 25 or more where the zone has bars (bars closer than 25 mm cannot be placed)");
        }
        const double zone_span = g.count[i] * g.pitch[i];
        if (zone_span > g.count[widest] * g.pitch[widest]) widest = i;
        span += zone_span;
    }
    if (span > kMaxZoneOverreach * std::max(m.size, 0.0)) {
        refuse_wall_field(w, mark_field_name(mark, "count", widest),
                          "the zones of " + mark + " span " + mm(span) + " mm, more than twice the " + m.measure +
                              " of " + mm(m.size) + " mm");
    }
}

}  // namespace

void check_layout_limits(const WallInput& w) {
    const std::pair<const char*, double> sizes[] = {
        {"footing_left_width", w.footing_left_width}, {"wall_thickness", w.wall_thickness},
        {"footing_right_width", w.footing_right_width}, {"wall_height", w.wall_height},
        {"footing_thickness", w.footing_thickness}, {"height_left", w.height_left},
        {"height_right", w.height_right}};
    for (const auto& [field, size] : sizes) {
        if (size < 0) refuse_wall_field(w, field, "must not be negative");
    }
    for (const auto& [field, height] : {std::pair{"height_left", w.height_left}, {"height_right", w.height_right}}) {
        if (height > kMaxEndHeight) {
            refuse_wall_field(w, field, "a wall end " + mm(height) + " mm high, more than the " + mm(kMaxEndHeight) +
                                            " mm any wall of at most 3000 mm at its reference point reaches");
        }
    }

    const double length = w.length_left + w.length_right;
    const double height = w.footing_thickness + std::max({w.wall_height, w.height_left, w.height_right});
    const double width = w.footing_left_width + w.wall_thickness + w.footing_right_width;
    const MarkExtent marks[] = {
        {"F1", &w.F1, "wall length", length}, {"F2", &w.F2, "wall length", length},
        {"F3", &w.F3, "footing width", width}, {"F4", &w.F4, "footing width", width},
        {"W1", &w.W1, "wall length", length}, {"W2", &w.W2, "wall length", length},
        {"W3", &w.W3, "wall height", height}, {"W4", &w.W4, "wall height", height},
        {"W5", &w.W5, "wall length", length},
    };
    for (const MarkExtent& m : marks) check_mark(w, m);
}

}  // namespace lwall
