#include "output/dxf/dxf_entities.hpp"

#include <cmath>

namespace lwall {

namespace {

// A number as the drawing file holds it: whole, halves away from zero.
double held(double v) { return std::round(v); }

}  // namespace

void dxf_line(DxfWriter& out, std::string_view layer, double width, int colour, double x1, double y1, double x2,
              double y2) {
    out.line("LINE");
    out.name(8, layer);
    out.integer(62, colour);
    out.width(39, width);
    out.real(10, x1);
    out.real(20, y1);
    out.integer(30, 0);
    out.real(11, x2);
    out.real(21, y2);
    out.integer(31, 0);
    out.line("0");
    if (out.svg != nullptr) out.svg->line(layer, colour, width, held(x1), held(y1), held(x2), held(y2));
}

namespace {

// Type, pen and first point: the same in both forms of TEXT.
void text_head(DxfWriter& out, std::string_view layer, double width, int colour, double x, double y) {
    out.line("TEXT");
    out.name(8, layer);
    out.width(39, width);
    out.integer(62, colour);
    out.real(10, x);
    out.real(20, y);
    out.integer(30, 0);
}

}  // namespace

void dxf_text(DxfWriter& out, std::string_view layer, double width, int colour, int height, std::string_view text,
              double width_factor, double oblique, double x, double y) {
    text_head(out, layer, width, colour, x, y);
    out.integer(40, height);
    out.real(51, oblique);
    out.name(1, text);
    out.real(41, width_factor);
    out.line("0");
    if (out.svg != nullptr) out.svg->text(layer, width, height, text, 0, held(x), held(y));
}

void dxf_text_styled(DxfWriter& out, std::string_view layer, double width, int colour, int height,
                     std::string_view text, double width_factor, double rotation, std::string_view style, double x1,
                     double y1, double x2, double y2) {
    text_head(out, layer, width, colour, x1, y1);
    out.real(11, x2);
    out.real(21, y2);
    out.integer(31, 0);
    out.integer(40, height);
    out.real(41, width_factor);
    out.real(50, rotation);
    out.name(1, text);
    out.name(7, style);
    out.integer(72, 0);
    out.line("0");
    // Left-aligned: the text stands at its first point.
    if (out.svg != nullptr) out.svg->text(layer, width, height, text, held(rotation), held(x1), held(y1));
}

void dxf_circle(DxfWriter& out, std::string_view layer, double x, double y, double radius, double width,
                double origin_x, double origin_y) {
    out.line("CIRCLE");
    out.name(8, layer);
    out.width(39, width);
    out.real(10, x + origin_x);
    out.real(20, y + origin_y);
    out.integer(30, 0);
    out.real(40, radius);
    out.line("0");
    if (out.svg != nullptr) out.svg->circle(layer, width, held(x + origin_x), held(y + origin_y), held(radius));
}

}  // namespace lwall
