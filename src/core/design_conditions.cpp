#include "core/design_conditions.hpp"

namespace lwall {

std::string_view steel_grade_name(SteelGrade g) { return g == SteelGrade::sd295 ? "SD295" : "SD345"; }

MaterialNote material_note(const DesignConditions* conditions) {
    const DesignConditions defaults;
    const DesignConditions& c = conditions != nullptr ? *conditions : defaults;
    // The grade and the strength stand on lines 13 and 12 of the file.
    const bool grade_given = conditions != nullptr && c.given[12];
    const bool strength_given = conditions != nullptr && c.given[11];
    return {std::string(steel_grade_name(grade_given ? c.steel_grade : defaults.steel_grade)),
            strength_given ? c.concrete_strength : defaults.concrete_strength, !grade_given, !strength_given};
}

}  // namespace lwall
