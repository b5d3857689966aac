#include "output/sfc/sfc_checker.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "core/sjis.hpp"

namespace lwall::test {

namespace {

constexpr std::string_view kColourNames[16] = {"black",    "red",   "green",  "blue",       "yellow",    "magenta",
                                               "cyan",     "white", "deeppink", "brown",    "orange",    "lightgreen",
                                               "lightblue", "lavender", "lightgray", "darkgray"};
constexpr std::string_view kLineTypeNames[15] = {
    "continuous",           "dashed",
    "dashed spaced",        "long dashed dotted",
    "long dashed double-dotted", "long dashed triplicate-dotted",
    "dotted",               "chain",
    "chain double dash",    "dashed dotted",
    "double-dashed dotted", "dashed double-dotted",
    "double-dashed double-dotted", "dashed triplicate-dotted",
    "double-dashed triplicate-dotted"};
constexpr double kWidths[9] = {0.13, 0.18, 0.25, 0.35, 0.5, 0.7, 1.0, 1.4, 2.0};

// Parameter types: I integer, L length or real (six decimals at most), A angle or ratio (fifteen
// digits at most), T string.
const std::map<std::string, std::string, std::less<>>& signatures() {
    static const std::map<std::string, std::string, std::less<>> s = {
        {"layer_feature", "TI"},
        {"pre_defined_colour_feature", "T"},
        {"pre_defined_font_feature", "T"},
        {"width_feature", "L"},
        {"text_font_feature", "T"},
        {"line_feature", "IIIILLLL"},
        {"circle_feature", "IIIILLL"},
        {"text_string_feature", "IIITLLLLLAAII"},
        {"sfig_org_feature", "TI"},
        {"sfig_locate_feature", "ITLLAAA"},
        {"drawing_attribute_feature", "TTTTTTTIIITT"},
        {"drawing_sheet_feature", "TIIII"},
    };
    return s;
}

bool is_table(std::string_view name) {
    return name == "layer_feature" || name == "pre_defined_colour_feature" || name == "pre_defined_font_feature" ||
           name == "width_feature" || name == "text_font_feature";
}

bool sjis_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// A number as SFC writes it: an optional minus, digits, an optional point with digits.
bool plain_number(std::string_view t) {
    std::size_t i = t.starts_with('-') ? 1 : 0;
    const std::size_t digits_from = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    if (i == digits_from) return false;
    if (i == t.size()) return true;
    if (t[i] != '.') return false;
    const std::size_t frac_from = ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    return i == t.size() && i > frac_from;
}

class Reader {
public:
    explicit Reader(SfcReading& r) : r_(r) {}

    void fault(const std::string& what) { r_.faults.push_back(what); }

    // The parameters between the parentheses of `text`; false on a syntax fault.
    bool params(std::string_view text, std::vector<SfcParam>& out) {
        std::size_t i = 0;
        while (i < text.size()) {
            SfcParam p;
            if (text.substr(i).starts_with("\\'")) {
                p.is_string = true;
                i += 2;
                bool closed = false;
                while (i < text.size()) {
                    const auto c = static_cast<unsigned char>(text[i]);
                    if (sjis_lead(c) && i + 1 < text.size()) {
                        p.text += text.substr(i, 2);
                        i += 2;
                    } else if (c == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
                        p.text += '\\';
                        i += 2;
                    } else if (c == '\\' && i + 1 < text.size() && text[i + 1] == '\'') {
                        i += 2;
                        closed = true;
                        break;
                    } else if (c == '\\') {
                        fault("a lone backslash in a string");
                        return false;
                    } else {
                        p.text += static_cast<char>(c);
                        ++i;
                    }
                }
                if (!closed) return fault("an unterminated string"), false;
            } else if (text[i] == '\'') {
                const std::size_t end = text.find('\'', i + 1);
                if (end == std::string_view::npos) return fault("an unterminated number"), false;
                p.text = std::string(text.substr(i + 1, end - i - 1));
                if (!plain_number(p.text)) return fault("not a plain number: '" + p.text + "'"), false;
                p.number = std::stod(p.text);
                i = end + 1;
            } else {
                return fault("an unquoted parameter"), false;
            }
            out.push_back(std::move(p));
            if (i == text.size()) break;
            if (text[i] != ',') return fault("no comma between parameters"), false;
            if (++i == text.size()) return fault("a trailing comma"), false;
        }
        return true;
    }

    void check_string(const std::string& s, const std::string& where) {
        if (s.empty()) fault(where + ": an empty string");
        if (s.size() > 256) fault(where + ": a string of " + std::to_string(s.size()) + " bytes");
        if (first_non_sjis(s) != std::string::npos) fault(where + ": not Shift_JIS");
    }

    void check_types(const SfcFeature& f, const std::string& sig, const std::string& where) {
        if (f.params.size() != sig.size()) {
            fault(where + ": " + std::to_string(f.params.size()) + " parameters, not " + std::to_string(sig.size()));
            return;
        }
        for (std::size_t k = 0; k < sig.size(); ++k) {
            const SfcParam& p = f.params[k];
            const std::string at = where + " parameter " + std::to_string(k + 1);
            if ((sig[k] == 'T') != p.is_string) {
                fault(at + (p.is_string ? ": a string where a number stands" : ": a number where a string stands"));
                continue;
            }
            if (sig[k] == 'T') check_string(p.text, at);
            if (sig[k] == 'I' && p.text.find('.') != std::string::npos) fault(at + ": not an integer");
            const std::size_t point = p.text.find('.');
            if (sig[k] == 'L' && point != std::string::npos && p.text.size() - point - 1 > 6) {
                fault(at + ": more than six decimals");
            }
            if (sig[k] == 'A' && std::count_if(p.text.begin(), p.text.end(), [](char c) { return c >= '0' && c <= '9'; }) > 15) {
                fault(at + ": more than fifteen digits");
            }
        }
    }

private:
    SfcReading& r_;
};

bool angle_ok(double a) { return a >= 0 && a < 360; }

}  // namespace

SfcReading read_sfc(std::string_view file) {
    SfcReading r;
    Reader rd(r);
    if (first_non_sjis(file) != std::string_view::npos) rd.fault("bytes that are not Shift_JIS");
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < file.size();) {
        const std::size_t end = file.find("\r\n", at);
        if (end == std::string_view::npos) {
            rd.fault("the file does not end with CR LF");
            break;
        }
        const std::string_view line = file.substr(at, end - at);
        if (line.find_first_of("\r\n") != std::string_view::npos) rd.fault("a bare CR or LF");
        lines.emplace_back(line);
        at = end + 2;
    }
    const auto expect = [&](std::size_t i, std::string_view want) {
        if (i >= lines.size() || lines[i] != want) rd.fault("line " + std::to_string(i + 1) + " is not " + std::string(want));
    };
    expect(0, "ISO-10303-21;");
    expect(1, "HEADER;");
    expect(2, "FILE_DESCRIPTION(('SCADEC level2 feature_mode'),'2;1');");
    // FILE_NAME('name','time',('author'),('organisation'),'preprocessor$$3.1','system','authorisation');
    if (lines.size() > 3 && lines[3].starts_with("FILE_NAME(") && lines[3].ends_with(");")) {
        std::vector<std::string> fields;
        std::string_view t = std::string_view(lines[3]).substr(10, lines[3].size() - 12);
        std::string cur;
        bool in_string = false;
        for (std::size_t i = 0; i < t.size(); ++i) {
            const char c = t[i];
            if (in_string) {
                if (c == '\'' && i + 1 < t.size() && t[i + 1] == '\'') cur += c, ++i;
                else if (c == '\'') in_string = false;
                else cur += c;
            } else if (c == '\'') {
                in_string = true;
            } else if (c == ',') {
                fields.push_back(cur);
                cur.clear();
            } else if (c != '(' && c != ')') {
                rd.fault("FILE_NAME holds something unquoted");
            }
        }
        fields.push_back(cur);
        if (fields.size() != 7) rd.fault("FILE_NAME has " + std::to_string(fields.size()) + " fields, not 7");
        else if (!fields[4].ends_with("$$3.1")) rd.fault("FILE_NAME's fifth field does not end in $$3.1");
    } else {
        rd.fault("line 4 is not FILE_NAME(...);");
    }
    expect(4, "FILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));");
    expect(5, "ENDSEC;");
    expect(6, "DATA;");
    r.header.assign(lines.begin(), lines.begin() + static_cast<long>(std::min<std::size_t>(lines.size(), 5)));

    std::size_t i = 7;
    std::set<long> ids;
    while (i < lines.size() && lines[i] != "ENDSEC;") {
        const std::string where = "line " + std::to_string(i + 1);
        const bool ver3 = lines[i] == "/*SXF3";
        if (lines[i] != "/*SXF" && !ver3) {
            rd.fault(where + ": not the start of a feature comment");
            return r;
        }
        if (i + 2 >= lines.size() || lines[i + 2] != (ver3 ? "SXF3*/" : "SXF*/")) {
            rd.fault(where + ": a feature comment not closed on its third line");
            return r;
        }
        const std::string& body = lines[i + 1];
        // A reader ends the comment at the first "*/", wherever it stands.
        if (body.find("*/") != std::string::npos) {
            rd.fault(where + ": a feature comment ended inside its feature");
            return r;
        }
        const std::size_t eq = body.find(" = ");
        const std::size_t open = body.find('(');
        SfcFeature f;
        if (!body.starts_with('#') || eq == std::string::npos || open == std::string::npos || !body.ends_with(")") ||
            !plain_number(body.substr(1, eq - 1)) || body.substr(1, eq - 1).find('.') != std::string::npos) {
            rd.fault(where + ": not #id = name(parameters)");
            return r;
        }
        f.id = std::stol(body.substr(1, eq - 1));
        f.name = body.substr(eq + 3, open - eq - 3);
        if (f.id <= 0 || !ids.insert(f.id).second) rd.fault(where + ": id #" + std::to_string(f.id) + " used twice or not positive");
        if (!rd.params(std::string_view(body).substr(open + 1, body.size() - open - 2), f.params)) {
            rd.fault(where + ": its parameters do not parse");
        }
        const auto sig = signatures().find(f.name);
        if (sig == signatures().end()) rd.fault(where + ": " + f.name + " is no feature of this sheet");
        else rd.check_types(f, sig->second, where + " " + f.name);
        if (ver3 != (f.name == "drawing_attribute_feature")) rd.fault(where + ": " + f.name + " in the wrong comment tag");
        r.features.push_back(std::move(f));
        i += 3;
    }
    expect(i, "ENDSEC;");
    expect(i + 1, "END-ISO-10303-21;");
    if (lines.size() != i + 2) rd.fault("lines after END-ISO-10303-21;");
    if (!r.faults.empty()) return r;

    // The codes, the ranges and the order.
    int layers = 0, fonts = 0;
    std::array<bool, 17> colours{};
    std::array<bool, 16> types{};
    std::array<bool, 10> widths{};
    bool drawing = false;  // past the tables
    std::size_t members = 0;
    std::set<std::string> figures;
    int sheets = 0;
    for (std::size_t k = 0; k < r.features.size(); ++k) {
        const SfcFeature& f = r.features[k];
        const std::string where = "#" + std::to_string(f.id) + " " + f.name;
        if (sheets > 0) rd.fault(where + ": after the drawing sheet");
        if (is_table(f.name)) {
            if (drawing) rd.fault(where + ": a table after the drawing began");
        } else {
            drawing = true;
        }
        const auto code = [&](std::size_t p, int count, std::string_view what) {
            const double c = f.num(p);
            if (c < 1 || c > count) rd.fault(where + ": " + std::string(what) + " " + f.str(p) + " not declared");
        };
        const auto declared = [&](const auto& table, std::size_t p, std::string_view what) {
            const double c = f.num(p);
            if (c < 1 || c >= static_cast<double>(table.size()) || !table[static_cast<std::size_t>(c)]) {
                rd.fault(where + ": " + std::string(what) + " " + f.str(p) + " not declared");
            }
        };
        const auto style = [&](bool with_type) {
            code(0, layers, "layer");
            declared(colours, 1, "colour");
            if (with_type) {
                declared(types, 2, "line type");
                declared(widths, 3, "width");
            }
        };
        if (f.name == "layer_feature") {
            ++layers;
            if (f.num(1) != 0 && f.num(1) != 1) rd.fault(where + ": a visibility flag not 0 or 1");
        } else if (f.name == "pre_defined_colour_feature") {
            const auto* at = std::find(std::begin(kColourNames), std::end(kColourNames), f.str(0));
            if (at == std::end(kColourNames)) rd.fault(where + ": no predefined colour");
            else if (std::exchange(colours[static_cast<std::size_t>(at - kColourNames) + 1], true)) rd.fault(where + ": declared twice");
        } else if (f.name == "pre_defined_font_feature") {
            const auto* at = std::find(std::begin(kLineTypeNames), std::end(kLineTypeNames), f.str(0));
            if (at == std::end(kLineTypeNames)) rd.fault(where + ": no predefined line type");
            else if (std::exchange(types[static_cast<std::size_t>(at - kLineTypeNames) + 1], true)) rd.fault(where + ": declared twice");
        } else if (f.name == "width_feature") {
            const auto* at = std::find_if(std::begin(kWidths), std::end(kWidths), [&](double w) { return std::fabs(w - f.num(0)) < 1e-9; });
            if (at == std::end(kWidths)) rd.fault(where + ": no predefined width");
            else if (std::exchange(widths[static_cast<std::size_t>(at - kWidths) + 1], true)) rd.fault(where + ": declared twice");
        } else if (f.name == "text_font_feature") {
            ++fonts;
        } else if (f.name == "line_feature") {
            style(true);
            ++members;
        } else if (f.name == "circle_feature") {
            style(true);
            if (!(f.num(6) > 0)) rd.fault(where + ": a radius not above 0");
            ++members;
        } else if (f.name == "text_string_feature") {
            style(false);
            code(2, fonts, "text font");
            if (!(f.num(6) > 0) || !(f.num(7) > 0)) rd.fault(where + ": a height or width not above 0");
            if (f.num(8) < 0) rd.fault(where + ": a negative spacing");
            if (!angle_ok(f.num(9))) rd.fault(where + ": an angle outside 0 <= a < 360");
            if (std::fabs(f.num(10)) > 85) rd.fault(where + ": a slant beyond 85 degrees");
            if (f.num(11) < 1 || f.num(11) > 9) rd.fault(where + ": a base point not 1 to 9");
            if (f.num(12) != 1 && f.num(12) != 2) rd.fault(where + ": a direction not 1 or 2");
            ++members;
        } else if (f.name == "sfig_org_feature") {
            if (members == 0) rd.fault(where + ": a part drawing without members");
            if (f.num(1) < 1 || f.num(1) > 4) rd.fault(where + ": a kind not 1 to 4");
            if (!figures.insert(f.str(0)).second) rd.fault(where + ": a part drawing's name used twice");
            members = 0;
        } else if (f.name == "sfig_locate_feature") {
            if (f.num(0) != 0) code(0, layers, "layer");
            if (!figures.contains(f.str(1))) rd.fault(where + ": places a part drawing not defined before it");
            if (!angle_ok(f.num(4))) rd.fault(where + ": an angle outside 0 <= a < 360");
            if (!(f.num(5) > 0) || !(f.num(6) > 0)) rd.fault(where + ": a ratio not above 0");
        } else if (f.name == "drawing_attribute_feature") {
            if (f.num(8) < 1 || f.num(8) > 12 || f.num(9) < 1 || f.num(9) > 31) rd.fault(where + ": no month or day");
        } else if (f.name == "drawing_sheet_feature") {
            ++sheets;
            const double t = f.num(1);
            if (!((t >= 0 && t <= 4) || t == 9)) rd.fault(where + ": a sheet type not 0 to 4 or 9");
            if (f.num(2) != 0 && f.num(2) != 1) rd.fault(where + ": an orientation not 0 or 1");
            if (!(f.num(3) > 0) || !(f.num(4) > 0)) rd.fault(where + ": a sheet size not above 0");
        }
    }
    if (sheets != 1) rd.fault(std::to_string(sheets) + " drawing sheets, not one");
    return r;
}

}  // namespace lwall::test
