#include "drawings/sheet_set/title_block.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "output/primitives/primitives.hpp"

namespace lwall {

namespace {

void select(RunContext& ctx, std::string_view layer) { pen_select_layer(ctx.canvas.pen, ctx.declared_layers, layer); }

// A line between boxes, along x (horizontal: at = y) or along y (vertical: at = x), paper mm.
struct Segment {
    double at, from, to;
};

// The lines between the boxes: each box's lower and right edge inside the block, joined where they
// continue one another.
std::vector<Segment> joined(std::vector<Segment> s) {
    std::sort(s.begin(), s.end(), [](const Segment& a, const Segment& b) {
        return a.at != b.at ? a.at < b.at : a.from < b.from;
    });
    std::vector<Segment> out;
    for (const Segment& x : s) {
        if (!out.empty() && out.back().at == x.at && x.from <= out.back().to) {
            out.back().to = std::max(out.back().to, x.to);
        } else {
            out.push_back(x);
        }
    }
    return out;
}

std::string box_text(const RunContext& ctx, const TitleBox& box, const SheetFrame& frame, int frame_count) {
    switch (box.shows) {
    case TitleBoxText::caption: return utf8_to_sjis(box.caption).value_or("");
    case TitleBoxText::value: {
        const std::string& v = ctx.title.values[static_cast<std::size_t>(box.value)];
        if (box.value == kDrawingName) return frame_drawing_name(v, frame.holds);
        return v;
    }
    case TitleBoxText::scale: return std::string(TextBuf().text("1:").integer(std::llround(frame.scale)).view());
    case TitleBoxText::sheet_number:
        return std::string(TextBuf().integer(frame.number).text("/").integer(frame_count).view());
    }
    return {};
}

}  // namespace

void draw_frame_border(RunContext& ctx, const SheetFrame& f) {
    Canvas& cv = ctx.canvas;
    set_origin(cv, f.x, f.y);
    select(ctx, "D-TTL-FRAM");
    draw_polyline(cv, {{0, 0}, {0, f.height}, {f.width, f.height}, {f.width, 0}, {0, 0}});
}

void draw_title_block(RunContext& ctx, const SheetFrame& frame, int frame_count) {
    Canvas& cv = ctx.canvas;
    const double s = frame.scale;
    const double w = kTitleBlockWidth * s;
    const double h = kTitleBlockHeight * s;
    set_origin(cv, frame.x + frame.width - w, frame.y);

    select(ctx, "D-TTL-FRAM");
    draw_polyline(cv, {{0, 0}, {0, h}, {w, h}, {w, 0}, {0, 0}});

    std::vector<Segment> rows, columns;
    for (const TitleBox& b : title_boxes()) {
        if (b.y0 > 0) rows.push_back({b.y0, b.x0, b.x1});
        if (b.x1 < kTitleBlockWidth) columns.push_back({b.x1, b.y0, b.y1});
    }
    select(ctx, "D-TTL-LINE");
    for (const Segment& r : joined(rows)) draw_polyline(cv, {{r.from * s, r.at * s}, {r.to * s, r.at * s}});
    for (const Segment& c : joined(columns)) draw_polyline(cv, {{c.at * s, c.from * s}, {c.at * s, c.to * s}});

    select(ctx, "D-TTL-TXT");
    for (const TitleBox& b : title_boxes()) {
        const std::string text = box_text(ctx, b, frame, frame_count);
        if (text.empty()) continue;
        const Point at{title_text_x(b) * s, title_text_y(b) * s};
        const int height = static_cast<int>(std::lround(b.text_height * s));
        if (b.value == kDrawingName && text.size() > title_box_bytes(b)) {
            // The file's name fills its box: what the frame holds goes on a line of its own below,
            // at the height of the other values.
            const std::string& given = ctx.title.values[kDrawingName];
            const std::string contents = frame_contents_name(frame.holds);
            const double low = title_text_y(b) - 2.5;
            draw_kanji_text(cv, {at.x, (low + 5.5) * s}, {at.x, (low + 5.5) * s}, height,
                            given.empty() ? std::string(kDefaultDrawingName) : given);
            draw_kanji_text(cv, {at.x, low * s}, {at.x, low * s}, static_cast<int>(std::lround(2.5 * s)),
                            std::string(u8"（"_sj) + contents + std::string(u8"）"_sj));
            continue;
        }
        draw_kanji_text(cv, at, at, height, text);
    }
}

}  // namespace lwall
