#include "output/entity_extent.hpp"

#include <cmath>
#include <numbers>

namespace lwall {

double text_length(std::string_view text, double height, double width_factor) {
    return static_cast<double>(text.size()) * height * width_factor;
}

Extent extent_of(const LineEntity& e) {
    Extent x;
    x.cover(e.x1, e.y1);
    x.cover(e.x2, e.y2);
    return x;
}

Extent extent_of(const TextEntity& e) {
    const double along = text_length(e.text, e.height, e.width_factor);
    const double across = e.height;
    const double angle = e.form == TextForm::aligned ? e.angle : 0;
    // Most texts stand upright or turned a quarter: no sine for them.
    double c = 1, s = 0;
    if (angle == 90) {
        c = 0, s = 1;
    } else if (angle != 0) {
        const double turn = angle * std::numbers::pi / 180;
        c = std::cos(turn);
        s = std::sin(turn);
    }
    Extent x;
    x.cover(e.x1, e.y1);
    x.cover(e.x1 + along * c, e.y1 + along * s);
    x.cover(e.x1 - across * s, e.y1 + across * c);
    x.cover(e.x1 + along * c - across * s, e.y1 + along * s + across * c);
    return x;
}

Extent extent_of(const CircleEntity& e) {
    Extent x;
    x.cover(e.x - e.radius, e.y - e.radius);
    x.cover(e.x + e.radius, e.y + e.radius);
    return x;
}

}  // namespace lwall
