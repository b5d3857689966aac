#include "design/design_text.hpp"

#include <cmath>
#include <cstdio>

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "core/wall_fields.hpp"
#include "output/csv/quantities_csv.hpp"

namespace lwall {

namespace {

std::string fixed(double v, int decimals) { return std::string(TextBuf().fixed(v, 0, decimals).view()); }

struct Format {
    int decimals;
    const char* unit;
};

Format format_of(CheckKind k) {
    switch (k) {
    case CheckKind::eccentricity: return {3, " m"};
    case CheckKind::sliding:
    case CheckKind::moment_ratio: return {2, ""};
    case CheckKind::bearing_toe:
    case CheckKind::bearing_heel: return {1, " kN/m2"};
    case CheckKind::sigma_c: return {2, " N/mm2"};
    case CheckKind::sigma_s: return {1, " N/mm2"};
    case CheckKind::tau: return {3, " N/mm2"};
    }
    return {2, ""};
}

const MemberCase* member_of(const DesignReport& r, const DesignCheck& c) {
    for (const MemberCase& m : r.sections[static_cast<std::size_t>(c.section)].members) {
        if (m.member == c.member && m.load_case == c.load_case) return &m;
    }
    return nullptr;
}

bool is_stress(CheckKind k) { return k == CheckKind::sigma_c || k == CheckKind::sigma_s || k == CheckKind::tau; }

// "W1 D16@250 d=300mm", the bars a member is checked with.
std::string bars_text(const MemberCase& m) {
    std::string s = m.mark + " D" + std::to_string(m.diameter);
    if (m.pitch > 0) s += "@" + fixed(m.pitch, 0);
    return s + " d=" + fixed(m.depth, 0) + "mm";
}

std::string json_string(std::string_view s) {
    std::string out = "\"";
    for (char ch : s) {
        const auto u = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

// A number as JSON takes it: finite, to six decimals at most.
std::string json_number(double v) {
    if (!std::isfinite(v)) return "null";
    return std::string(TextBuf().plain(round_half_away(v, 6)).view());
}

const char* case_key(LoadCase lc) { return lc == LoadCase::seismic ? "seismic" : "normal"; }
const char* member_key(Member m) { return m == Member::heel ? "heel" : m == Member::toe ? "toe" : "stem"; }
const char* check_key(CheckKind k) {
    switch (k) {
    case CheckKind::eccentricity: return "eccentricity";
    case CheckKind::sliding: return "sliding";
    case CheckKind::moment_ratio: return "moment_ratio";
    case CheckKind::bearing_toe: return "bearing_toe";
    case CheckKind::bearing_heel: return "bearing_heel";
    case CheckKind::sigma_c: return "sigma_c";
    case CheckKind::sigma_s: return "sigma_s";
    case CheckKind::tau: return "tau";
    }
    return "";
}
const char* force_key(ForceKind f) {
    switch (f) {
    case ForceKind::stem: return "stem";
    case ForceKind::footing: return "footing";
    case ForceKind::soil_block: return "soil_block";
    case ForceKind::soil_wedge: return "soil_wedge";
    case ForceKind::surcharge: return "surcharge";
    case ForceKind::pressure_h: return "pressure_h";
    case ForceKind::pressure_v: return "pressure_v";
    }
    return "";
}

// A JSON object written field by field.
class Object {
public:
    Object& raw(std::string_view key, std::string_view value) {
        out_ += (out_.size() > 1 ? "," : "") + json_string(key) + ":" + std::string(value);
        return *this;
    }
    Object& num(std::string_view key, double v) { return raw(key, json_number(v)); }
    Object& str(std::string_view key, std::string_view v) { return raw(key, json_string(v)); }
    Object& flag(std::string_view key, bool v) { return raw(key, v ? "true" : "false"); }
    std::string done() { return out_ + "}"; }

private:
    std::string out_ = "{";
};

std::string array(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
    return out + "]";
}

std::string pressure_json(const EarthPressure& p) {
    return Object()
        .num("force", p.force)
        .num("delta", p.delta)
        .num("height", p.height)
        .num("slip_angle", p.slip_angle)
        .num("horizontal", p.horizontal())
        .num("vertical", p.vertical())
        .done();
}

}  // namespace

std::string shown_value(double value, int decimals, bool at_most, bool ok) {
    if (ok) return fixed(value, decimals);
    const double scale = std::pow(10.0, decimals);
    const double toward = at_most ? std::ceil(value * scale - 1e-9) : std::floor(value * scale + 1e-9);
    return fixed(toward / scale, decimals);
}

std::string condition_value_text(const DesignConditions& c, const WallField& f) {
    if (f.part == FieldPart::condition_grade) return std::string(steel_grade_name(c.steel_grade));
    if (f.part == FieldPart::condition_method) return std::to_string(static_cast<int>(c.method));
    return std::string(TextBuf().plain(c.*f.condition).view());
}

CheckText check_text(const DesignReport& r, const DesignCheck& c) {
    CheckText t;
    const DesignSection& sec = r.sections[static_cast<std::size_t>(c.section)];
    const Message lc = msg::load_case_name(c.load_case);
    const Message at = msg::design_section_name(sec.wall_height, sec.lowest);
    t.name = msg::design_check_name(c.kind);
    t.where = {lc.ja + ", " + at.ja, lc.en + ", " + at.en};
    if (is_stress(c.kind)) {
        const Message m = msg::design_member_name(c.member);
        t.name = {m.ja + " " + t.name.ja, m.en + ", " + t.name.en};
        if (const MemberCase* mc = member_of(r, c)) {
            const std::string bars = bars_text(*mc);
            t.where = {t.where.ja + ", " + bars, t.where.en + ", " + bars};
        }
    }
    const Format f = format_of(c.kind);
    if (c.unbounded) {
        t.why = msg::design_no_value(c.kind);
        return t;
    }
    t.value = (c.judged ? shown_value(c.value, f.decimals, c.at_most, c.ok) : fixed(c.value, f.decimals)) + f.unit;
    if (c.judged) t.limit = fixed(c.limit, f.decimals) + f.unit;
    return t;
}

std::vector<Message> design_result_lines(const DesignReport& r) {
    std::vector<Message> lines;
    for (const DesignCheck& c : r.checks) {
        const CheckText t = check_text(r, c);
        lines.push_back(msg::design_result(t.name, t.where, t.value, t.limit, c.at_most, c.ok, t.why));
    }
    return lines;
}

std::vector<Finding> design_findings(const DesignReport& r) {
    std::vector<Finding> out;
    for (const DesignCheck& c : r.checks) {
        if (c.ok) continue;
        const CheckText t = check_text(r, c);
        Finding f;
        f.field = check_key(c.kind);
        f.message = msg::design_check_failed(t.name, t.where, t.value, t.limit, c.at_most, t.why);
        f.text = f.message;
        out.push_back(std::move(f));
    }
    return out;
}

std::string design_csv(const DesignReport& r) {
    std::string out;
    const auto row = [&](const std::vector<std::string>& cells) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) line += (i ? "," : "") + csv_cell(cells[i]);
        out += utf8_to_sjis_marked(line) + "\r\n";
    };
    row({"表", "項目", "名称", "値", "単位", "既定値"});
    for (const WallField& f : condition_fields()) {
        const bool given = r.conditions.given[static_cast<std::size_t>(f.index)];
        row({"設計条件", f.name, f.label_ja, condition_value_text(r.conditions, f), f.unit, given ? "" : "既定値"});
    }
    out += "\r\n";
    row({"表", "断面", "ケース", "荷重", "V(kN/m)", "H(kN/m)", "x(m)", "y(m)", "V・x(kN・m/m)", "H・y(kN・m/m)"});
    for (const DesignSection& sec : r.sections) {
        const std::string at = msg::design_section_name(sec.wall_height, sec.lowest).ja;
        for (const StabilityCase& s : sec.cases) {
            const std::string lc = msg::load_case_name(s.load_case).ja;
            for (const ForceRow& f : s.rows) {
                row({"荷重", at, lc, msg::design_force_name(f.kind).ja, fixed(f.vertical, 2), fixed(f.horizontal, 2),
                     fixed(f.x, 3), fixed(f.y, 3), fixed(f.vertical * f.x, 2), fixed(f.horizontal * f.y, 2)});
            }
            row({"荷重", at, lc, "合計", fixed(s.sum_v, 2), fixed(s.sum_h, 2), "", "", fixed(s.resisting, 2),
                 fixed(s.overturning, 2)});
        }
    }
    out += "\r\n";
    row({"表", "断面", "ケース", "部材", "鉄筋", "M(kN・m/m)", "S(kN/m)", "As(mm2/m)", "k", "j"});
    for (const DesignSection& sec : r.sections) {
        const std::string at = msg::design_section_name(sec.wall_height, sec.lowest).ja;
        for (const MemberCase& m : sec.members) {
            row({"断面力", at, msg::load_case_name(m.load_case).ja, msg::design_member_name(m.member).ja, bars_text(m),
                 fixed(m.moment, 2), fixed(m.shear, 2), fixed(m.steel_area, 1), fixed(m.k, 4), fixed(m.j, 4)});
        }
    }
    out += "\r\n";
    row({"表", "照査", "条件", "値", "制限値", "判定"});
    for (const DesignCheck& c : r.checks) {
        const CheckText t = check_text(r, c);
        const std::string limit = t.limit.empty() ? "" : (c.at_most ? "≦ " : "≧ ") + t.limit;
        row({"照査", t.name.ja, t.where.ja, t.value.empty() ? t.why.ja : t.value, c.judged ? limit : "参考値",
             c.judged ? (c.ok ? "OK" : "NG") : ""});
    }
    return out;
}

std::string design_json(const DesignReport& r, Lang lang) {
    std::vector<std::string> conditions;
    for (const WallField& f : condition_fields()) {
        Object o;
        o.str("name", f.name).str("label", lang == Lang::en ? f.label_en : f.label_ja);
        if (f.part == FieldPart::condition_grade) o.str("value", condition_value_text(r.conditions, f));
        else o.raw("value", condition_value_text(r.conditions, f));
        o.str("unit", f.unit).flag("default", !r.conditions.given[static_cast<std::size_t>(f.index)]);
        conditions.push_back(o.done());
    }
    const DesignGeometry& g = r.geometry;
    const std::string geometry = Object()
                                     .num("toe", g.toe)
                                     .num("thickness", g.thickness)
                                     .num("heel", g.heel)
                                     .num("footing", g.footing)
                                     .num("base", g.base)
                                     .done();
    std::vector<std::string> sections;
    for (const DesignSection& sec : r.sections) {
        std::vector<std::string> cases;
        for (const StabilityCase& s : sec.cases) {
            std::vector<std::string> rows;
            for (const ForceRow& f : s.rows) {
                rows.push_back(Object()
                                   .str("kind", force_key(f.kind))
                                   .str("name", msg::design_force_name(f.kind).in(lang))
                                   .num("v", f.vertical)
                                   .num("h", f.horizontal)
                                   .num("x", f.x)
                                   .num("y", f.y)
                                   .done());
            }
            const std::string base = Object()
                                         .num("toe", s.base.toe)
                                         .num("heel", s.base.heel)
                                         .flag("triangular", s.base.triangular)
                                         .flag("outside", s.base.outside)
                                         .num("loaded_length", s.base.loaded_length)
                                         .done();
            cases.push_back(Object()
                                .str("case", case_key(s.load_case))
                                .raw("pressure", pressure_json(s.pressure))
                                .num("face_height", s.face_height)
                                .raw("forces", array(rows))
                                .num("sum_v", s.sum_v)
                                .num("sum_h", s.sum_h)
                                .num("resisting", s.resisting)
                                .num("overturning", s.overturning)
                                .num("resultant_x", s.resultant_x)
                                .num("eccentricity", s.eccentricity)
                                .raw("base_pressure", base)
                                .done());
        }
        std::vector<std::string> members;
        for (const MemberCase& m : sec.members) {
            members.push_back(Object()
                                  .str("member", member_key(m.member))
                                  .str("case", case_key(m.load_case))
                                  .num("moment", m.moment)
                                  .num("shear", m.shear)
                                  .str("bars", bars_text(m))
                                  .num("steel_area", m.steel_area)
                                  .num("sigma_c", m.sigma_c)
                                  .num("sigma_s", m.sigma_s)
                                  .num("tau", m.tau)
                                  .flag("computed", m.computed)
                                  .done());
        }
        sections.push_back(Object()
                               .num("height", sec.wall_height)
                               .flag("lowest", sec.lowest)
                               .raw("cases", array(cases))
                               .raw("members", array(members))
                               .done());
    }
    std::vector<std::string> checks;
    const std::vector<Message> lines = design_result_lines(r);
    for (std::size_t i = 0; i < r.checks.size(); ++i) {
        const DesignCheck& c = r.checks[i];
        const CheckText t = check_text(r, c);
        Object o;
        o.str("kind", check_key(c.kind)).str("case", case_key(c.load_case)).num("section", c.section);
        o.raw("member", is_stress(c.kind) ? json_string(member_key(c.member)) : "null");
        o.str("name", t.name.in(lang)).str("where", t.where.in(lang));
        o.raw("value", c.unbounded ? "null" : json_number(c.value));
        o.raw("limit", c.judged ? json_number(c.limit) : "null");
        o.str("unit", format_of(c.kind).unit[0] ? format_of(c.kind).unit + 1 : "");
        o.flag("at_most", c.at_most).flag("judged", c.judged).flag("ok", c.ok).str("text", lines[i].in(lang));
        checks.push_back(o.done());
    }
    return Object()
        .flag("ok", r.ok())
        .raw("conditions", array(conditions))
        .raw("geometry", geometry)
        .raw("sections", array(sections))
        .raw("checks", array(checks))
        .done();
}

}  // namespace lwall
