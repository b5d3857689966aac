#include "core/bar_rules.hpp"

#include <algorithm>
#include <cmath>

namespace lwall {

TextBuf bar_size_text(int diameter) {
    TextBuf t;
    t.text("D").integer(diameter);
    return t;
}

std::string bar_size_string(int diameter) { return std::string(bar_size_text(diameter).view()); }

double lapped_second_piece(double length, double first_piece, int diameter) {
    return (std::floor((length - first_piece + bar_length_by_rule(diameter, kRuleLap)) / 500) + 1) * 500;
}

double bar_unit_mass(int diameter) {
    struct Entry {
        int diameter;
        double kg_per_m;
    };
    static constexpr Entry kTable[] = {{13, 0.995}, {16, 1.56}, {19, 2.25}, {22, 3.04}, {25, 3.98}, {29, 5.04},
                                       {32, 6.23},  {35, 7.51}, {38, 8.95}, {41, 10.5}, {51, 15.9}};
    for (const Entry& e : kTable) {
        if (e.diameter == diameter) return e.kg_per_m;
    }
    return 0.0;
}

double bar_length_by_rule(int diameter, int rule) {
    if (rule == kRuleLap) return 31.25 * diameter;
    if (rule == kRuleBentLeg) return static_cast<double>(15 * diameter);
    return 0.0;
}

double stated_lap_length(int diameter) { return std::floor(bar_length_by_rule(diameter, kRuleLap) / 10) * 10; }

double cap_bar_lap_length(int cap_diameter) { return 20.0 * cap_diameter; }

double bar_extension_length(double diameter) {
    if (diameter == 13.0) return 15 * diameter;
    if (diameter == 19.0) return 22 * diameter;
    if (diameter == 22.0) return 24 * diameter;
    if (diameter == 25.0) return 22 * diameter;
    if (diameter == 29.0) return 21 * diameter;
    return 20 * diameter;
}

double wall_bar_anchorage(double diameter) {
    const double a = 31.25 * diameter;
    return a / 10 != std::floor(a / 10) ? (std::floor(a / 10) + 1) * 10 : a;
}

double wall_bar_anchor_leg(const WallInput& w, double diameter, int rule) {
    const double d = diameter;
    const double rule_leg = bar_length_by_rule(static_cast<int>(d), rule);
    if (d == 0) return rule_leg;  // a bar without a diameter has no leg to count in diameters
    const double a = wall_bar_anchorage(d);
    const double f = (a - (w.footing_thickness - w.cover1 - 3 * d) + 3 * d) / d;
    const double n = std::ceil(f);
    const double leg = n - f > 0.5 ? std::floor(f) * d : n * d;
    return std::max(leg, rule_leg);
}

}  // namespace lwall
