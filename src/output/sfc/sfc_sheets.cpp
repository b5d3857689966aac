#include "output/sfc/sfc_sheets.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "output/entity_extent.hpp"

#ifndef LWALL_VERSION
#define LWALL_VERSION "unknown"
#endif

namespace lwall {

namespace {

// ---- The code tables ------------------------------------------------------------------------------

struct Rgb {
    int r, g, b;
};

// The 16 predefined colours, code = index + 1.
struct PredefinedColour {
    std::string_view name;
    Rgb rgb;
};
constexpr PredefinedColour kColours[16] = {
    {"black", {0, 0, 0}},         {"red", {255, 0, 0}},         {"green", {0, 255, 0}},
    {"blue", {0, 0, 255}},        {"yellow", {255, 252, 0}},    {"magenta", {255, 0, 255}},
    {"cyan", {0, 255, 255}},      {"white", {255, 255, 255}},   {"deeppink", {192, 0, 128}},
    {"brown", {192, 128, 64}},    {"orange", {255, 128, 0}},    {"lightgreen", {128, 192, 128}},
    {"lightblue", {0, 128, 255}}, {"lavender", {128, 64, 255}}, {"lightgray", {192, 192, 192}},
    {"darkgray", {128, 128, 128}},
};

// The predefined line types, code = index + 1.
constexpr std::string_view kLineTypes[15] = {"continuous",
                                             "dashed",
                                             "dashed spaced",
                                             "long dashed dotted",
                                             "long dashed double-dotted",
                                             "long dashed triplicate-dotted",
                                             "dotted",
                                             "chain",
                                             "chain double dash",
                                             "dashed dotted",
                                             "double-dashed dotted",
                                             "dashed double-dotted",
                                             "double-dashed double-dotted",
                                             "dashed triplicate-dotted",
                                             "double-dashed triplicate-dotted"};

// The nine predefined pen widths, code = index + 1 (mm).
constexpr double kWidths[9] = {0.13, 0.18, 0.25, 0.35, 0.5, 0.7, 1.0, 1.4, 2.0};

constexpr std::string_view kFont = u8"ＭＳ ゴシック"_sj;

constexpr std::size_t kMaxLayers = 256;

// The colour of a CAD colour number: 1-9 as CAD shows them, 10-249 by hue and shade, 250-255 the
// greys.
Rgb cad_colour(int aci) {
    static constexpr Rgb kFirst[10] = {{0, 0, 0},     {255, 0, 0},   {255, 255, 0}, {0, 255, 0},     {0, 255, 255},
                                       {0, 0, 255},   {255, 0, 255}, {255, 255, 255}, {128, 128, 128}, {192, 192, 192}};
    if (aci >= 0 && aci <= 9) return kFirst[aci];
    if (aci >= 250 && aci <= 255) {
        static constexpr int kGreys[6] = {51, 80, 105, 130, 190, 255};
        const int g = kGreys[aci - 250];
        return {g, g, g};
    }
    if (aci < 10 || aci > 249) return {255, 255, 255};
    const double hue = (aci - 10) / 10 * 15.0;  // degrees
    const int shade = aci % 10;
    static constexpr double kValue[5] = {1.0, 0.65, 0.5, 0.3, 0.15};
    const double v = kValue[shade / 2];
    const double sat = shade % 2 == 0 ? 1.0 : 0.5;
    const double h = hue / 60;
    const double c = v * sat;
    const double x = c * (1 - std::fabs(std::fmod(h, 2) - 1));
    double r = 0, g = 0, b = 0;
    if (h < 1) { r = c; g = x; }
    else if (h < 2) { r = x; g = c; }
    else if (h < 3) { g = c; b = x; }
    else if (h < 4) { g = x; b = c; }
    else if (h < 5) { r = x; b = c; }
    else { r = c; b = x; }
    const double m = v - c;
    return {static_cast<int>(std::lround((r + m) * 255)), static_cast<int>(std::lround((g + m) * 255)),
            static_cast<int>(std::lround((b + m) * 255))};
}


// The layer file's line type (1 CONTINUOUS, 2 HIDDEN, 3 CENTER, 4 PHANTOM, 5 DOT) as a code.
int line_type_code(int linetype) {
    switch (linetype) {
    case 2: return 2;   // dashed
    case 3: return 4;   // long dashed dotted
    case 4: return 5;   // long dashed double-dotted
    case 5: return 7;   // dotted
    default: return 1;  // continuous
    }
}

// The nearest of the nine widths (a tie to the thinner); 0 and below to the thinnest.
int width_code(double width) {
    int best = 0;
    for (int i = 1; i < 9; ++i) {
        if (std::fabs(kWidths[i] - width) < std::fabs(kWidths[best] - width)) best = i;
    }
    return best + 1;
}

// ---- Numbers and strings ----------------------------------------------------------------------------

// The first byte of a double-byte Shift_JIS character.
bool sjis_lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// A number as the drawing file holds it: whole, halves away from zero.
double held(double v) { return std::round(v); }

bool finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// An angle in 0 <= a < 360.
double turned(double a) {
    double r = std::fmod(a, 360.0);
    if (r < 0) r += 360;
    return r >= 360 ? 0 : r;
}

// A number to `decimals` places without trailing zeros ("12", "0.5", "-3.25").
std::string number(double v, int decimals = 6) {
    char buf[48];
    std::size_t n = format_fixed(buf, v, 0, decimals);
    if (std::string_view(buf, n).find('.') != std::string_view::npos) {
        while (buf[n - 1] == '0') --n;
        if (buf[n - 1] == '.') --n;
    }
    if (n == 2 && buf[0] == '-' && buf[1] == '0') return "0";
    return {buf, n};
}

// Shift_JIS text as a feature may hold it: bytes that are no character of the code page become
// '?', and the text ends at a character boundary within 256 bytes; an empty text is one space, as
// a name or a text of a feature is never empty; "*/" never stands in it.
std::string sfc_text(std::string_view sjis) {
    std::string out;
    std::string_view rest = sjis;
    while (!rest.empty()) {
        const std::size_t bad = first_non_sjis(rest);
        const std::string_view good = rest.substr(0, bad);
        out += good;
        if (bad == std::string_view::npos) break;
        out += '?';
        rest.remove_prefix(bad + 1);
    }
    if (out.size() > 256) {
        std::size_t cut = 0;
        for (std::size_t i = 0; i < out.size();) {
            const std::size_t len = sjis_lead(static_cast<unsigned char>(out[i])) ? 2 : 1;
            if (i + len > 256) break;
            i += len;
            cut = i;
        }
        out.resize(cut);
    }
    if (out.empty()) out = " ";
    // "*/" would end the comment the feature stands in: the readers refuse it in the title values
    // and the layer names, and no text of the program's own holds it; should one, its '/' is '?'.
    for (std::size_t at = out.find("*/"); at != std::string::npos; at = out.find("*/", at + 1)) out[at + 1] = '?';
    return out;
}

// Text between quotes: every backslash character doubled (not the second byte of a double-byte
// character), and `also` too.
std::string escaped(std::string_view sjis, char also) {
    const std::string text = sfc_text(sjis);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (sjis_lead(c) && i + 1 < text.size()) {
            out += text.substr(i, 2);
            ++i;
            continue;
        }
        if (c == '\\' || c == static_cast<unsigned char>(also)) out += static_cast<char>(c);
        out += static_cast<char>(c);
    }
    return out;
}

// A string parameter: \'...\'.
std::string quoted(std::string_view sjis) { return "\\'" + escaped(sjis, '\\') + "\\'"; }

// A number parameter.
std::string param(double v, int decimals = 6) { return "'" + number(v, decimals) + "'"; }
std::string param(int v) { return "'" + number(v, 0) + "'"; }

// A string of the file's header: '...' with a quote doubled too.
std::string header_string(std::string_view sjis) { return sjis.empty() ? "''" : "'" + escaped(sjis, '\'') + "'"; }

// ---- One file ----------------------------------------------------------------------------------

class SfcFile {
public:
    // A feature; `ver3` for one of Ver.3.0.
    void feature(std::string_view name, const std::vector<std::string>& params, bool ver3 = false) {
        id_ += 10;
        body_ += ver3 ? "/*SXF3\r\n#" : "/*SXF\r\n#";
        body_ += number(id_, 0);
        body_ += " = ";
        body_ += name;
        body_ += '(';
        for (std::size_t i = 0; i < params.size(); ++i) {
            if (i > 0) body_ += ',';
            body_ += params[i];
        }
        body_ += ver3 ? ")\r\nSXF3*/\r\n" : ")\r\nSXF*/\r\n";
    }

    std::string document(std::string_view file_name, std::string_view time_stamp, std::string_view author,
                         std::string_view organisation) const {
        std::string out = "ISO-10303-21;\r\nHEADER;\r\nFILE_DESCRIPTION(('SCADEC level2 feature_mode'),'2;1');\r\n";
        out += "FILE_NAME(" + header_string(file_name) + "," + header_string(time_stamp) + ",(" +
               header_string(author) + "),(" + header_string(organisation) + "),'lwall " LWALL_VERSION "$$3.1','lwall " LWALL_VERSION "','');\r\n";
        out += "FILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));\r\nENDSEC;\r\nDATA;\r\n";
        out += body_;
        out += "ENDSEC;\r\nEND-ISO-10303-21;\r\n";
        return out;
    }

private:
    int id_ = 0;
    std::string body_;
};

// The sheet: A1 landscape, and where a frame's lower left corner stands on it (the frame centred).
constexpr int kSheetType = 1;
constexpr int kLandscape = 1;
constexpr double kSheetX = (kPlotSheetWidth - kFramePaperWidth) / 2;
constexpr double kSheetY = (kPlotSheetHeight - kFramePaperHeight) / 2;

bool on_title_layer(std::string_view layer) { return layer.starts_with("D-TTL-"); }

}  // namespace

// The nearest predefined colour of a CAD colour number (code 1-16). CAD's white (7) is white.
int sfc_colour_code(int aci) {
    static constexpr int kDirect[10] = {8, 2, 5, 3, 7, 4, 6, 8, 16, 15};
    if (aci >= 0 && aci <= 9) return kDirect[aci];
    const Rgb c = cad_colour(aci);
    int best = 0;
    long best_d = -1;
    for (int i = 0; i < 16; ++i) {
        const Rgb p = kColours[i].rgb;
        const long d = static_cast<long>(c.r - p.r) * (c.r - p.r) + static_cast<long>(c.g - p.g) * (c.g - p.g) +
                       static_cast<long>(c.b - p.b) * (c.b - p.b);
        if (best_d < 0 || d < best_d) {
            best = i;
            best_d = d;
        }
    }
    return best + 1;
}

std::string sfc_file_name(int number) { return "Lwall-" + std::to_string(number) + ".sfc"; }

int sfc_file_number(std::string_view name) {
    constexpr std::string_view kHead = "Lwall-";
    constexpr std::string_view kTail = ".sfc";
    if (!name.starts_with(kHead) || !name.ends_with(kTail) || name.size() <= kHead.size() + kTail.size()) return 0;
    const std::string_view digits = name.substr(kHead.size(), name.size() - kHead.size() - kTail.size());
    if (digits.size() > 6 || digits.front() == '0') return 0;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

int SfcSheets::layer_index(std::string_view name) {
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        if (layers_[i] == name) return static_cast<int>(i);
    }
    layers_.emplace_back(name);
    return static_cast<int>(layers_.size() - 1);
}

SfcSheets::Item SfcSheets::item(Kind kind, std::string_view layer, int colour, double width, double x1, double y1,
                                double x2, double y2) {
    Item it;
    it.kind = kind;
    it.layer = layer_index(layer);
    it.colour = colour;
    it.width = width;
    it.x1 = held(x1);
    it.y1 = held(y1);
    it.x2 = held(x2);
    it.y2 = held(y2);
    return it;
}

void SfcSheets::line(const LineEntity& e) {
    Item it = item(Kind::line, e.layer, e.colour, e.width, e.x1, e.y1, e.x2, e.y2);
    if (finite({it.x1, it.y1, it.x2, it.y2, it.width})) items_.push_back(std::move(it));
}

void SfcSheets::circle(const CircleEntity& e) {
    Item it = item(Kind::circle, e.layer, 256, e.width, e.x, e.y, e.radius);
    if (finite({it.x1, it.y1, it.x2, it.width}) && it.x2 > 0) items_.push_back(std::move(it));
}

void SfcSheets::text(const TextEntity& e) {
    Item it = item(Kind::text, e.layer, e.colour, e.width, e.x1, e.y1);
    it.height = e.height;
    it.width_factor = std::isfinite(e.width_factor) && e.width_factor > 0 ? e.width_factor : 1;
    it.angle = held(e.angle);
    it.aligned = e.form == TextForm::aligned;
    it.text = std::string(e.text);
    if (finite({it.x1, it.y1, it.angle, it.width}) && it.height > 0) items_.push_back(std::move(it));
}

std::vector<std::string> SfcSheets::files(const SheetFrames& frames, const LayerTable& layers,
                                          const TitleInput& title) const {
    // The layers: those the drawing file declares, then any other an entity is on. A sheet holds
    // 256 layers at most: past that, only the layers drawn on.
    std::vector<std::string> names;
    std::vector<const LayerRow*> rows;
    for (const bool all : {true, false}) {
        names.clear();
        rows.clear();
        for (const LayerRow& r : layers.rows) {
            if (std::find(names.begin(), names.end(), r.name) != names.end()) continue;
            if (!all && std::find(layers_.begin(), layers_.end(), r.name) == layers_.end()) continue;
            names.push_back(r.name);
            rows.push_back(&r);
        }
        std::size_t others = 0;
        for (const std::string& l : layers_) others += std::find(names.begin(), names.end(), l) == names.end() ? 1 : 0;
        if (names.size() + others <= kMaxLayers) break;
    }
    std::vector<int> code_of(layers_.size());  // per layer of an entity, its layer code
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        auto at = std::find(names.begin(), names.end(), layers_[i]);
        if (at == names.end()) {
            names.push_back(layers_[i]);
            rows.push_back(nullptr);
            at = names.end() - 1;
        }
        code_of[i] = static_cast<int>(at - names.begin()) + 1;
    }
    // Two names that become one within 256 bytes are told apart by a number.
    std::vector<std::string> shown;
    for (const std::string& n : names) {
        std::string s = sfc_text(n);
        for (int k = 2; std::find(shown.begin(), shown.end(), s) != shown.end(); ++k) {
            s = sfc_text(n.substr(0, 240)) + "~" + std::to_string(k);
        }
        shown.push_back(s);
    }

    const auto pen_colour = [&](const Item& it) {
        const LayerRow* row = rows[static_cast<std::size_t>(code_of[static_cast<std::size_t>(it.layer)] - 1)];
        const int aci = it.colour == 0 || it.colour == 256 ? (row != nullptr ? row->colour : 7) : it.colour;
        return sfc_colour_code(aci);
    };
    const auto pen_type = [&](const Item& it) {
        const LayerRow* row = rows[static_cast<std::size_t>(code_of[static_cast<std::size_t>(it.layer)] - 1)];
        return line_type_code(row != nullptr ? row->linetype : 1);
    };

    const TitleDate date = read_title_date(title.values[kDrawingDate]);
    std::string time_stamp;
    if (date.valid()) {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT00:00:00", std::clamp(date.year, 0, 9999), date.month, date.day);
        time_stamp = buf;
    }

    std::vector<std::string> out;
    const int count = static_cast<int>(frames.size());
    for (std::size_t f = 0; f < frames.size(); ++f) {
        const SheetFrame& frame = frames[f];
        std::vector<const Item*> members, on_sheet;
        for (const Item& it : items_) {
            double ax = it.x1, ay = it.y1;
            if (it.kind == Kind::line) {
                ax = (it.x1 + it.x2) / 2;
                ay = (it.y1 + it.y2) / 2;
            }
            if (frame_holding(frames, ax, ay) != static_cast<int>(f)) continue;
            (on_title_layer(layers_[static_cast<std::size_t>(it.layer)]) ? on_sheet : members).push_back(&it);
        }
        // Codes used, declared in code order.
        std::array<bool, 17> colours{};
        std::array<bool, 16> types{};
        std::array<bool, 10> widths{};
        bool texts = false;
        for (const auto* list : {&members, &on_sheet}) {
            for (const Item* it : *list) {
                colours[static_cast<std::size_t>(pen_colour(*it))] = true;
                if (it->kind == Kind::text) {
                    texts = true;
                } else {
                    types[static_cast<std::size_t>(pen_type(*it))] = true;
                    widths[static_cast<std::size_t>(width_code(it->width))] = true;
                }
            }
        }

        SfcFile file;
        for (const std::string& n : shown) file.feature("layer_feature", {quoted(n), param(1)});
        for (int c = 1; c <= 16; ++c) {
            if (colours[static_cast<std::size_t>(c)]) file.feature("pre_defined_colour_feature", {quoted(kColours[c - 1].name)});
        }
        for (int t = 1; t <= 15; ++t) {
            if (types[static_cast<std::size_t>(t)]) file.feature("pre_defined_font_feature", {quoted(kLineTypes[t - 1])});
        }
        for (int w = 1; w <= 9; ++w) {
            if (widths[static_cast<std::size_t>(w)]) file.feature("width_feature", {param(kWidths[w - 1])});
        }
        if (texts) file.feature("text_font_feature", {quoted(kFont)});

        // An entity at real size from the frame's corner (`scale` 1), or in paper mm on the sheet.
        const auto write = [&](const Item& it, double x0, double y0, double scale, double ox, double oy) {
            const auto X = [&](double v) { return param((v - x0) / scale + ox); };
            const auto Y = [&](double v) { return param((v - y0) / scale + oy); };
            const std::string layer = param(code_of[static_cast<std::size_t>(it.layer)]);
            const std::string colour = param(pen_colour(it));
            switch (it.kind) {
            case Kind::line:
                file.feature("line_feature", {layer, colour, param(pen_type(it)), param(width_code(it.width)), X(it.x1),
                                              Y(it.y1), X(it.x2), Y(it.y2)});
                break;
            case Kind::circle:
                file.feature("circle_feature", {layer, colour, param(pen_type(it)), param(width_code(it.width)), X(it.x1),
                                                Y(it.y1), param(it.x2 / scale)});
                break;
            case Kind::text: {
                const double h = it.height / scale;
                const double w = text_length(it.text, it.height, it.width_factor) / scale;
                double slant = it.aligned ? 0 : turned(it.angle);
                if (slant > 180) slant -= 360;
                slant = std::clamp(slant, -85.0, 85.0);
                file.feature("text_string_feature",
                             {layer, colour, param(1), quoted(it.text), X(it.x1), Y(it.y1), param(h),
                              param(w > 0 ? w : h), param(0), param(it.aligned ? turned(it.angle) : 0.0), param(slant),
                              param(1), param(1)});
                break;
            }
            }
        };

        const std::string part_name = std::string(u8"部分図"_sj) + std::to_string(frame.number);
        for (const Item* it : members) write(*it, frame.x, frame.y, 1, 0, 0);
        file.feature("sfig_org_feature", {quoted(part_name), param(1)});  // kind 1: a part drawing
        file.feature("sfig_locate_feature", {param(0), quoted(part_name), param(kSheetX), param(kSheetY), param(0),
                                             param(1 / frame.scale, 14), param(1 / frame.scale, 14)});

        const std::string scale_text = "1:" + number(frame.scale, 0);
        // Each sheet's own name: the file's, and what the frame holds.
        const std::string drawing_name = frame_drawing_name(title.values[kDrawingName], frame.holds);
        std::string sheet_number = title.values[kDrawingNumber];
        if (!sheet_number.empty()) sheet_number += "-";
        sheet_number += std::to_string(frame.number) + "$$" + std::to_string(count);
        file.feature("drawing_attribute_feature",
                     {quoted(title.values[kRouteAndPlace]), quoted(title.values[kProjectName]), quoted(""),
                      quoted(drawing_name), quoted(sheet_number), quoted(u8"配筋図"_sj), quoted(scale_text),
                      param(date.valid() ? date.year : 0), param(date.valid() ? date.month : 1),
                      param(date.valid() ? date.day : 1), quoted(title.values[kCompany]), quoted(title.values[kOffice])},
                     true);
        for (const Item* it : on_sheet) write(*it, frame.x, frame.y, frame.scale, kSheetX, kSheetY);
        file.feature("drawing_sheet_feature", {quoted(drawing_name), param(kSheetType), param(kLandscape),
                                               param(static_cast<int>(kPlotSheetWidth)),
                                               param(static_cast<int>(kPlotSheetHeight))});
        out.push_back(file.document(sfc_file_name(frame.number), time_stamp, title.values[kDesigner],
                                    title.values[kCompany]));
    }
    return out;
}

}  // namespace lwall
