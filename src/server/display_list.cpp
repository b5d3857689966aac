#include "server/display_list.hpp"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/sjis.hpp"

namespace lwall {

namespace {

// A number as the drawing file holds it: whole, halves away from zero.
double held(double v) { return std::round(v); }

// The run of `runs` that `same` picks, made at the end when there is none. Entities come in long
// stretches of one pen, so the last run is looked at first.
template <class Run, class Same, class Make>
Run& run_for(std::vector<Run>& runs, Same same, Make make) {
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
        if (same(*it)) return *it;
    }
    runs.push_back(make());
    return runs.back();
}

void append_numbers(std::string& out, const std::vector<double>& values) {
    out += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ',';
        append_picture_number(out, values[i]);
    }
    out += ']';
}

void append_string(std::string& out, std::string_view text) {
    out += '"';
    append_json_string(out, text);
    out += '"';
}

}  // namespace

void append_json_string(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.reserve(out.size() + text.size() + text.size() / 8);
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\') continue;
        out.append(text, run, i - run);
        run = i + 1;
        if (c == '"') out += "\\\"";
        else if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    out.append(text, run, std::string_view::npos);
}

// The picture's y runs downward: every y is kept negated.
void DisplayList::line(const LineEntity& e) {
    const double x1 = held(e.x1), y1 = held(e.y1), x2 = held(e.x2), y2 = held(e.y2);
    drawn_.cover(x1, y1);
    drawn_.cover(x2, y2);
    LineRun& run = run_for(
        lines_, [&](const LineRun& r) { return r.colour == e.colour && r.width == e.width; },
        [&] { return LineRun{e.colour, e.width, {}}; });
    run.xy.insert(run.xy.end(), {x1, -y1, x2, -y2});
    ++line_count_;
}

void DisplayList::circle(const CircleEntity& e) {
    const double x = held(e.x), y = held(e.y), r = held(e.radius);
    cover_circle(drawn_, x, y, r);
    CircleRun& run = run_for(
        circles_, [&](const CircleRun& c) { return c.layer == e.layer && c.width == e.width; },
        [&] { return CircleRun{std::string(e.layer), e.width, {}}; });
    run.xyr.insert(run.xyr.end(), {x, -y, r});
    ++circle_count_;
}

void DisplayList::text(const TextEntity& e) {
    const double x = held(e.x1), y = held(e.y1);
    const double rotation = e.form == TextForm::aligned ? held(e.angle) : 0;
    cover_text(drawn_, x, y, e.height);
    TextRun& run = run_for(
        texts_, [&](const TextRun& t) { return t.layer == e.layer && t.height == e.height; },
        [&] { return TextRun{std::string(e.layer), e.height, {}, {}}; });
    run.at.insert(run.at.end(), {x, -y, rotation == 0 ? 0 : -rotation});
    if (!run.strings.empty()) run.strings += ',';
    append_string(run.strings, sjis_to_utf8(e.text));
    ++text_count_;
}

void DisplayList::append_json(std::string& out, const LayerTable* layers, const PictureScales& scales) const {
    // Runs of one pen become strokes of one colour and width; several pens may share one, and a pen
    // draws wider in a frame of a larger scale.
    struct Stroke {
        std::string_view colour;
        double width;
        std::vector<double> lines, circles;
    };
    std::vector<Stroke> strokes;
    const auto stroke_for = [&](std::string_view colour, double width) -> Stroke& {
        return run_for(
            strokes, [&](const Stroke& s) { return s.colour == colour && s.width == width; },
            [&] { return Stroke{colour, width, {}, {}}; });
    };
    // Each run's numbers in groups of `n` whose first is x, to the stroke of the scale there.
    const auto deal = [&](std::string_view colour, double pen, const std::vector<double>& numbers, std::size_t n,
                          std::vector<double> Stroke::*into) {
        if (scales.uniform()) {
            auto& to = stroke_for(colour, picture_stroke(pen, scales.at(0))).*into;
            to.insert(to.end(), numbers.begin(), numbers.end());
            return;
        }
        for (std::size_t i = 0; i + n <= numbers.size(); i += n) {
            auto& to = stroke_for(colour, picture_stroke(pen, scales.at(numbers[i]))).*into;
            to.insert(to.end(), numbers.begin() + static_cast<std::ptrdiff_t>(i),
                      numbers.begin() + static_cast<std::ptrdiff_t>(i + n));
        }
    };
    for (const LineRun& r : lines_) deal(picture_colour(r.colour), r.width, r.xy, 4, &Stroke::lines);
    for (const CircleRun& r : circles_) deal(picture_colour(picture_layer_colour(layers, r.layer)), r.width, r.xyr, 3, &Stroke::circles);

    const PictureFrame f = picture_frame(drawn_);
    out += "{\"frame\":";
    append_numbers(out, {f.x, f.y, f.width, f.height});
    out += ",\"ground\":";
    append_string(out, kPictureGround);
    out += ",\"strokes\":[";
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        const Stroke& s = strokes[i];
        out += i > 0 ? ",{\"colour\":" : "{\"colour\":";
        append_string(out, s.colour);
        out += ",\"width\":";
        append_picture_number(out, s.width);
        out += ",\"lines\":";
        append_numbers(out, s.lines);
        out += ",\"circles\":";
        append_numbers(out, s.circles);
        out += '}';
    }
    out += "],\"texts\":[";
    bool first = true;
    for (const TextRun& t : texts_) {
        out += first ? "{\"colour\":" : ",{\"colour\":";
        first = false;
        append_string(out, picture_colour(picture_layer_colour(layers, t.layer)));
        out += ",\"size\":";
        append_picture_number(out, t.height);
        out += ",\"at\":";
        append_numbers(out, t.at);
        out += ",\"strings\":[";
        out += t.strings;
        out += "]}";
    }
    out += "],\"counts\":";
    append_numbers(out, {static_cast<double>(line_count_), static_cast<double>(circle_count_),
                         static_cast<double>(text_count_)});
    out += '}';
}

}  // namespace lwall
