#include "input/layout_limits.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/sheet_layout.hpp"
#include "core/wall_fields.hpp"

namespace lwall {

namespace {

struct MarkExtent {
    const char* mark;
    const BarGroup* group;
    msg::Measure measure;  // what the zones are laid along
    double size;           // its size in mm
};

void check_mark(const WallInput& w, const MarkExtent& m) {
    const BarGroup& g = *m.group;
    const std::string mark = m.mark;
    double span = 0;
    int widest = 1;
    for (int i = 1; i <= 5; ++i) {
        if (g.count[i] < 0) refuse_wall_field(w, mark_field_name(mark, "count", i), msg::must_not_be_negative());
        if (g.count[i] == 0) continue;
        if (!(g.pitch[i] >= kMinBarSpacing)) {
            refuse_wall_field(w, mark_field_name(mark, "pitch", i), msg::pitch_below_minimum(kMinBarSpacing));
        }
        const double zone_span = g.count[i] * g.pitch[i];
        if (zone_span > g.count[widest] * g.pitch[widest]) widest = i;
        span += zone_span;
    }
    if (span > kMaxZoneOverreach * std::max(m.size, 0.0)) {
        refuse_wall_field(w, mark_field_name(mark, "count", widest),
                          msg::zones_span_too_far(mark, span, m.measure, m.size, kMaxZoneOverreach));
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
        if (size < 0) refuse_wall_field(w, field, msg::must_not_be_negative());
    }
    for (const auto& [field, height] : {std::pair{"height_left", w.height_left}, {"height_right", w.height_right}}) {
        if (height > kMaxEndHeight) {
            refuse_wall_field(w, field, msg::wall_end_too_high(height, kMaxEndHeight, kMaxTotalHeight));
        }
    }

    const double length = w.length_left + w.length_right;
    const double height = w.footing_thickness + std::max({w.wall_height, w.height_left, w.height_right});
    const double width = w.footing_left_width + w.wall_thickness + w.footing_right_width;
    const MarkExtent marks[] = {
        {"F1", &w.F1, msg::Measure::wall_length, length},   {"F2", &w.F2, msg::Measure::wall_length, length},
        {"F3", &w.F3, msg::Measure::footing_width, width},  {"F4", &w.F4, msg::Measure::footing_width, width},
        {"W1", &w.W1, msg::Measure::wall_length, length},   {"W2", &w.W2, msg::Measure::wall_length, length},
        {"W3", &w.W3, msg::Measure::wall_height, height},   {"W4", &w.W4, msg::Measure::wall_height, height},
        {"W5", &w.W5, msg::Measure::wall_length, length},
    };
    for (const MarkExtent& m : marks) check_mark(w, m);
}

}  // namespace lwall
