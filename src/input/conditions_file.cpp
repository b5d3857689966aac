#include "input/conditions_file.hpp"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/wall_fields.hpp"
#include "input/text_scan.hpp"

namespace lwall {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

const WallField& field_named(std::string_view name) {
    for (const WallField& f : condition_fields()) {
        if (f.name == name) return f;
    }
    return condition_fields().front();
}

[[noreturn]] void refuse(const WallField& f, int line, const Message& what) {
    throw input_refusal(FieldRef{kConditionsFileName, line, f.name, f.label_ja}, what);
}

void take_value(DesignConditions& c, const WallField& f, int line, std::string_view value) {
    if (f.part == FieldPart::condition_grade) {
        if (value == "SD295") c.steel_grade = SteelGrade::sd295;
        else if (value == "SD345") c.steel_grade = SteelGrade::sd345;
        else refuse(f, line, msg::unknown_steel_grade(shown_in_message(value)));
        return;
    }
    double v = 0;
    const bool whole = f.kind == FieldKind::whole;
    ScanError e = ScanError::none;
    if (whole) {
        int n = 0;
        e = scan_int(value, n);
        v = n;
    } else {
        e = scan_real(value, v);
    }
    if (e != ScanError::none) refuse(f, line, describe_scan_error(e, value, whole));
    if (!f.range.holds(v)) refuse(f, line, msg::condition_out_of_range(f.range.low, f.range.high, f.range.low_open,
                                                                      f.range.high_open, f.unit));
    if (f.part == FieldPart::condition_method) c.method = static_cast<EarthPressureMethod>(static_cast<int>(v));
    else c.*f.condition = v;
}

// Values that hold only together: the backfill must stand at its slope, in the seismic case too.
void check_together(const DesignConditions& c, const std::vector<int>& lines) {
    const auto at = [&](std::string_view name) {
        const WallField& f = field_named(name);
        return std::pair<const WallField&, int>(f, lines[static_cast<std::size_t>(f.index)]);
    };
    if (c.backfill_slope >= c.friction_angle) {
        const auto [f, line] = at("backfill_slope");
        refuse(f, line, msg::slope_not_below_friction(c.backfill_slope, c.friction_angle));
    }
    const double theta = std::atan(c.seismic_coefficient) * 180 / std::numbers::pi;
    if (c.backfill_slope + theta >= c.friction_angle) {
        const auto [f, line] = at("seismic_coefficient");
        refuse(f, line, msg::seismic_slope_too_steep(c.backfill_slope, theta, c.friction_angle));
    }
}

void read_lines(std::string_view text, ConditionsReading& r) {
    const std::vector<WallField>& fields = condition_fields();
    DesignConditions& c = r.conditions;
    // The line each value stands on, for a refusal of two values together (its own line when the
    // file leaves it out).
    std::vector<int> lines;
    for (const WallField& f : fields) lines.push_back(f.line);
    int& line = r.lines_read;
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        const std::string_view value = trimmed(raw);
        if (value.empty()) continue;
        if (line > kConditionsFileLines) {
            const std::string label = msg::title_extra_value_label();
            throw input_refusal(FieldRef{kConditionsFileName, line, "extra value", label},
                                msg::conditions_value_beyond_last(line, kConditionsFileLines));
        }
        const WallField& f = fields[static_cast<std::size_t>(line - 1)];
        take_value(c, f, line, value);
        c.given[static_cast<std::size_t>(f.index)] = true;
    }
    // The seismic bearing follows the normal one unless the file gives it.
    if (!c.given[static_cast<std::size_t>(field_named("bearing_seismic").index)]) c.bearing_seismic = 1.5 * c.bearing_normal;
    check_together(c, lines);
}

}  // namespace

ConditionsReading read_conditions_file(std::string_view text) {
    ConditionsReading r;
    try {
        read_lines(text, r);
    } catch (const RunFailure& f) {
        r.refusal = f;
    }
    return r;
}

DesignConditions read_conditions_input(std::string_view text) {
    ConditionsReading r = read_conditions_file(text);
    if (r.refusal) throw *r.refusal;
    return r.conditions;
}

}  // namespace lwall
