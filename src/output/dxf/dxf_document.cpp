#include "output/dxf/dxf_document.hpp"

#include <array>
#include <vector>

#include "core/sjis.hpp"

namespace lwall {

namespace {

struct LineType {
    std::string_view name;
    std::string_view description;
    double pattern_length;
    std::vector<double> dashes;
};

const std::array<LineType, 5>& line_types() {
    static constexpr auto kSolid = u8"実線"_sj;
    static const std::array<LineType, 5> types = {{
        {"CONTINUOUS", kSolid, 1.0, {}},
        {"HIDDEN", "_ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _", 9.525, {6.35, -3.175}},
        {"CENTER", "____ _ ____ _ ____ _ ____ _ ____ _ ____", 50.8, {31.75, -6.35, 6.35, -6.35}},
        {"PHANTOM", "_____ _ _ _____ _ _ _____ _ _ _____ _ _ ____", 63.5,
         {31.75, -6.35, 6.35, -6.35, 6.35, -6.35}},
        {"DOT", ".............................................", 10.0, {5.0, -5.0}},
    }};
    return types;
}

}  // namespace

void dxf_ltype_table(DxfWriter& out) {
    out.name(0, "SECTION");
    out.name(2, "TABLES");
    out.name(0, "TABLE");
    out.name(2, "LTYPE");
    out.integer(70, 5);
    for (const LineType& t : line_types()) {
        out.name(0, "LTYPE");
        out.name(2, t.name);
        out.integer(70, 64);
        out.name(3, t.description);
        out.integer(72, 65);
        out.integer(73, static_cast<int>(t.dashes.size()));
        out.real(40, t.pattern_length);
        for (double d : t.dashes) out.real(49, d);
    }
    out.name(0, "ENDTAB");
}

void dxf_layer_table(DxfWriter& out, const LayerTable& table) {
    out.name(0, "TABLE");
    out.name(2, "LAYER");
    out.integer(70, 16);  // the announced maximum, whatever the number of rows
    out.line("0");
    std::string_view linetype = "CONTINUOUS";  // a first row with an unknown code
    for (const LayerRow& r : table.rows) {
        // An unknown line-type code keeps the line type of the row before it.
        if (r.linetype >= 1 && r.linetype <= 5) linetype = line_types()[r.linetype - 1].name;
        out.line("LAYER");
        out.name(2, r.name);
        out.integer(70, 0);
        out.integer(62, r.colour);
        out.name(6, linetype);
        out.line("0");
    }
    out.line("ENDTAB");
}

void dxf_style_table(DxfWriter& out) {
    out.name(0, "TABLE");
    out.name(2, "STYLE");
    out.integer(70, 2);
    out.line("0");
    const std::string_view styles[2][2] = {{kStandardTextStyle, ""}, {"KANJI", "BIGFONT"}};
    for (const auto& style : styles) {
        out.line("STYLE");
        out.name(2, style[0]);
        out.integer(70, 0);
        out.real(40, 0.0);   // fixed height
        out.real(41, 1.0);   // width factor
        out.real(50, 0.0);   // oblique angle
        out.integer(71, 0);  // generation flags
        out.real(42, 0.2);   // last height used
        out.name(3, "TXT");
        out.name(4, style[1]);
        out.line("0");
    }
    out.line("ENDTAB");
}

void dxf_open_entities(DxfWriter& out) {
    out.name(0, "ENDSEC");
    out.name(0, "SECTION");
    out.name(2, "ENTITIES");
    out.line("0");
}

void dxf_document_end(DxfWriter& out) {
    out.line("ENDSEC");
    out.name(0, "EOF");
}

}  // namespace lwall
