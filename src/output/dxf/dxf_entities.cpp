#include "output/dxf/dxf_entities.hpp"

#include "output/dxf/dxf_document.hpp"

namespace lwall {

void dxf_line(DxfWriter& out, const LineEntity& e) {
    out.line("LINE");
    out.name(8, e.layer);
    out.integer(62, e.colour);
    out.width(39, e.width);
    out.real(10, e.x1);
    out.real(20, e.y1);
    out.integer(30, 0);
    out.real(11, e.x2);
    out.real(21, e.y2);
    out.integer(31, 0);
    out.line("0");
}

void dxf_text(DxfWriter& out, const TextEntity& e) {
    out.line("TEXT");
    out.name(8, e.layer);
    out.width(39, e.width);
    out.integer(62, e.colour);
    out.real(10, e.x1);
    out.real(20, e.y1);
    out.integer(30, 0);
    if (e.form == TextForm::simple) {
        out.integer(40, e.height);
        out.real(51, e.angle);
        out.name(1, e.text);
        out.real(41, e.width_factor);
    } else {
        out.real(11, e.x2);
        out.real(21, e.y2);
        out.integer(31, 0);
        out.integer(40, e.height);
        out.real(41, e.width_factor);
        out.real(50, e.angle);
        out.name(1, e.text);
        // A text drawn before any style was chosen (the dimensions before the footing plan) names
        // the style every reader falls back to, which the STYLE table holds.
        out.name(7, e.style.empty() ? kStandardTextStyle : e.style);
        out.integer(72, 0);
    }
    out.line("0");
}

void dxf_circle(DxfWriter& out, const CircleEntity& e) {
    out.line("CIRCLE");
    out.name(8, e.layer);
    out.width(39, e.width);
    out.real(10, e.x);
    out.real(20, e.y);
    out.integer(30, 0);
    out.real(40, e.radius);
    out.line("0");
}

}  // namespace lwall
