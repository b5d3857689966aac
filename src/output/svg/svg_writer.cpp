#include "output/svg/svg_writer.hpp"

#include <algorithm>
#include <cmath>

#include "core/number_format.hpp"
#include "core/sjis.hpp"

namespace lwall {

namespace {

// A number as the drawing file holds it: whole, halves away from zero.
double held(double v) { return std::round(v); }

void attribute(std::string& out, std::string_view name, double value) {
    out += ' ';
    out += name;
    out += "=\"";
    append_picture_number(out, value);
    out += '"';
}

void attribute(std::string& out, std::string_view name, std::string_view value) {
    out += ' ';
    out += name;
    out += "=\"";
    out += value;
    out += '"';
}

void escaped(std::string& out, std::string_view utf8) {
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
}

}  // namespace

std::string_view picture_colour(int aci) {
    static constexpr std::string_view kColours[] = {"#ffffff", "#ff0000", "#ffff00", "#00ff00",
                                                     "#00ffff", "#0000ff", "#ff00ff", "#ffffff"};
    return aci >= 1 && aci <= 7 ? kColours[aci] : "#c0c0c0";
}

int picture_layer_colour(const LayerTable* layers, std::string_view layer) {
    if (layers != nullptr) {
        for (const LayerRow& r : layers->rows) {
            if (r.name == layer) return r.colour;
        }
    }
    return 7;
}

double picture_stroke(double pen_width, double scale) { return std::max(1.0, std::round(pen_width * scale * 100) / 100); }

void append_picture_number(std::string& out, double v) {
    char buf[48];
    std::size_t n = format_fixed(buf, v, 0, v == std::round(v) ? 0 : 2);
    if (v != std::round(v)) {
        while (buf[n - 1] == '0') --n;
        if (buf[n - 1] == '.') --n;
    }
    out.append(buf, n);
}

double PictureScales::at(double x) const {
    double scale = scale_;
    for (const FrameScale& f : frames_) {
        if (x >= f.x0 && x <= f.x1) scale = f.scale;
    }
    return scale;
}

PictureFrame picture_frame(const Extent& drawn) {
    const double margin = 1000;
    return {drawn.x0 - margin, -drawn.y1 - margin, drawn.width() + 2 * margin, drawn.height() + 2 * margin};
}

void cover_text(Extent& drawn, double x, double y, double height) {
    drawn.cover(x, y);
    drawn.cover(x + height, y + height);
}

void cover_circle(Extent& drawn, double x, double y, double r) {
    drawn.cover(x - r, y - r);
    drawn.cover(x + r, y + r);
}

// The drawing's y runs upward, the picture's downward: every y is written negated.
void SvgWriter::line(const LineEntity& e) {
    const double x1 = held(e.x1), y1 = held(e.y1), x2 = held(e.x2), y2 = held(e.y2);
    drawn_.cover(x1, y1);
    drawn_.cover(x2, y2);
    body_ += "<line";
    attribute(body_, "x1", x1);
    attribute(body_, "y1", -y1);
    attribute(body_, "x2", x2);
    attribute(body_, "y2", -y2);
    attribute(body_, "stroke", picture_colour(e.colour));
    attribute(body_, "stroke-width", picture_stroke(e.width, scales_.at(x1)));
    body_ += "/>\n";
}

void SvgWriter::text(const TextEntity& e) {
    const double x = held(e.x1), y = held(e.y1);
    const double rotation = e.form == TextForm::aligned ? held(e.angle) : 0;
    const int height = e.height;
    cover_text(drawn_, x, y, height);
    body_ += "<text";
    attribute(body_, "x", x);
    attribute(body_, "y", -y);
    attribute(body_, "font-size", height);
    attribute(body_, "fill", picture_colour(picture_layer_colour(layers_, e.layer)));
    if (rotation != 0) {
        body_ += " transform=\"rotate(";
        append_picture_number(body_, -rotation);
        body_ += " ";
        append_picture_number(body_, x);
        body_ += " ";
        append_picture_number(body_, -y);
        body_ += ")\"";
    }
    body_ += ">";
    escaped(body_, sjis_to_utf8(e.text));
    body_ += "</text>\n";
}

void SvgWriter::circle(const CircleEntity& e) {
    const double x = held(e.x), y = held(e.y), r = held(e.radius);
    cover_circle(drawn_, x, y, r);
    body_ += "<circle";
    attribute(body_, "cx", x);
    attribute(body_, "cy", -y);
    attribute(body_, "r", r);
    attribute(body_, "stroke", picture_colour(picture_layer_colour(layers_, e.layer)));
    attribute(body_, "stroke-width", picture_stroke(e.width, scales_.at(x)));
    body_ += "/>\n";
}

std::string SvgWriter::document(int pixel_width) const {
    const PictureFrame f = picture_frame(drawn_);
    const double x0 = f.x, y0 = f.y, w = f.width, h = f.height;
    const int pixel_height = std::max(1, static_cast<int>(std::lround(pixel_width * h / w)));
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" ";
    out += "width=\"" + std::to_string(pixel_width) + "\" height=\"" + std::to_string(pixel_height) + "\" viewBox=\"";
    append_picture_number(out, x0);
    out += " ";
    append_picture_number(out, y0);
    out += " ";
    append_picture_number(out, w);
    out += " ";
    append_picture_number(out, h);
    out += "\">\n<rect";
    attribute(out, "x", x0);
    attribute(out, "y", y0);
    attribute(out, "width", w);
    attribute(out, "height", h);
    attribute(out, "fill", kPictureGround);
    out += "/>\n";
    out += "<g fill=\"none\" stroke-linecap=\"round\" font-family=\"IPAGothic, 'IPAexGothic', 'Noto Sans CJK JP', "
           "'Yu Gothic', 'Hiragino Sans', 'MS Gothic', sans-serif\">\n";
    out += body_;
    out += "</g>\n</svg>\n";
    return out;
}

}  // namespace lwall
