#include "drawings/wall/wall_elevation_frames.hpp"

#include <cmath>

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "output/primitives/primitives.hpp"
#include "output/script/script_writer.hpp"

namespace lwall {

namespace {

constexpr double kTextHeight = 125;

// Start of a label of `bytes` bytes centred on `middle`.
double centred(double middle, std::size_t bytes) { return middle - static_cast<double>(bytes) * kTextHeight / 2; }

TextBuf count_times_pitch(int count, double pitch) {
    TextBuf t;
    t.integer(count).text(u8"×"_sj).fixed(pitch, 3, 0);
    return t;
}

TextBuf equals_length(double length) {
    TextBuf t;
    t.text("=").fixed(length, 5, 0);
    return t;
}

// Side chains: vertical dimensions measured on x = x0 with their line at x = line_x.
class SideChain {
public:
    SideChain(Canvas& cv, double x0, double line_x) : cv_(cv), x0_(x0), line_x_(line_x) {}

    // One dimension from y1 to y2 labelled "%5.0lf" of its length, its label `offset` beside the
    // line; `in_drawing` false writes the script line only.
    void plain(double y1, double y2, double offset, bool in_drawing = true) {
        script(y1, y2);
        if (in_drawing) dxf(y1, y2, offset, fmt_length(std::fabs(y2 - y1)));
    }

    // A zone of count spacings of pitch, from y1 upward: "%5.0lf" at `single_offset` for one
    // spacing, otherwise "n×pitch" at -200 and "=length" at -50.
    double zone(double y1, int count, double pitch, double single_offset) {
        const double y2 = y1 + count * pitch;
        script(y1, y2);
        if (count == 1) {
            dxf(y1, y2, single_offset, fmt_length(count * pitch));
        } else {
            dxf(y1, y2, -200, count_times_pitch(count, pitch));
            dxf(y1, y2, -50, equals_length(count * pitch));
        }
        return y2;
    }

private:
    void script(double y1, double y2) { scr_dimlinear_v(cv_, {x0_, y1}, {x0_, y2}, {line_x_, y1}); }

    void dxf(double y1, double y2, double offset, std::string_view label) {
        draw_dim_vertical(cv_, {x0_, y1}, {x0_, y2}, {line_x_, y1},
                          {line_x_ + offset, centred((y1 + y2) / 2, label.size())}, kTextHeight, label);
    }

    Canvas& cv_;
    double x0_;
    double line_x_;
};

// The bottom chain: horizontal dimensions measured on y = 0 with their line at y = -1000.
class BottomChain {
public:
    explicit BottomChain(Canvas& cv) : cv_(cv) {}

    // A zone from xa to xb; `script_text` writes it to the script with its text, "n×pitch=length".
    void zone(double xa, double xb, int count, double pitch, bool script_text) {
        const double length = count * pitch;
        if (script_text) {
            TextBuf t = count_times_pitch(count, pitch);
            t.text("=").fixed(length, 5, 0);
            scr_dimlinear_text(cv_, {xa, 0}, {xb, 0}, t, {xa, kLine});
        } else {
            scr_dimlinear_h(cv_, {xa, 0}, {xb, 0}, {xa, kLine});
        }
        if (count == 1) {
            dxf(xa, xb, kLine + 50, fmt_length(length));
        } else {
            dxf(xa, xb, kLine + 250, count_times_pitch(count, pitch));
            dxf(xa, xb, kLine + 50, equals_length(length));
        }
    }

    // The rest of the wall beyond the zones, labelled below the line.
    void remainder(double xa, double xb, double length) {
        scr_dimlinear_h(cv_, {xa, 0}, {xb, 0}, {xa, kLine});
        dxf(xa, xb, kLine - 200, fmt_length(length));
    }

private:
    static constexpr double kLine = -1000;

    void dxf(double xa, double xb, double label_y, std::string_view label) {
        draw_dim_horizontal(cv_, {xa, 0}, {xb, 0}, {xa, kLine}, {centred((xa + xb) / 2, label.size()), label_y},
                            kTextHeight, label);
    }

    Canvas& cv_;
};

}  // namespace

void draw_wall_elevation_frame(RunContext& ctx, WallFace face) {
    const WallInput& w = ctx.input;
    Canvas& cv = ctx.canvas;
    const double hf = w.footing_thickness;
    const double hl = w.height_left;
    const double hr = w.height_right;
    const double ll = w.length_left;
    const double lr = w.length_right;
    const double c1 = w.cover1;
    const double c2 = w.cover2;
    const double ct = w.cover_wall_top;
    const double t = hf + w.wall_height;
    const BarGroup& v = face == WallFace::back ? w.W1 : w.W2;  // the bottom chain's bars
    const Point origin = wall_face_origin(ctx, face);
    set_origin(cv, origin.x, origin.y);

    // 1. Outline.
    pen_select_layer(ctx, "D-STR");
    draw_polyline(cv, {{-ll, 0}, {lr, 0}, {lr, hf + hr}, {-ll, hf + hl}, {-ll, 0}});

    // 2. Side chains: the left one over the W4 rows, the right one over the W3 rows.
    pen_select_layer(ctx, "D-STR-DIM");
    SideChain(cv, -ll, -ll - 1500).plain(hf + hl, 0, -50);
    SideChain left(cv, -ll, -ll - 1000);
    left.plain(0, c1, 150);
    left.plain(c1, hf - c2, -50);
    double y = left.zone(hf - c2, w.W4.count[1], w.W4.pitch[1], -50);
    if (w.W4.count[2] != 0) y = left.zone(y, w.W4.count[2], w.W4.pitch[2], -50);
    left.plain(y, hf + hl - ct, -50, y != hf + hl - ct);
    left.plain(hf + hl - ct, hf + hl, 150);

    SideChain(cv, lr, lr + 1500).plain(0, hf + hr, -50);
    SideChain right(cv, lr, lr + 1000);
    right.plain(0, c1, 150);
    right.plain(c1, hf - c2, -50);
    y = right.zone(hf - c2, w.W3.count[1], w.W3.pitch[1], 300);
    if (w.W3.count[2] * w.W3.pitch[2] != 0) y = right.zone(y, w.W3.count[2], w.W3.pitch[2], -350);
    if (hf + hr - ct != y) right.plain(y, hf + hr - ct, -50);
    if (ct != 0) right.plain(hf + hr - ct, hf + hr, 150);

    // 3. Bottom chain: zones 2 and 1 to the left of the reference point, 3 and 4 to the right.
    BottomChain bottom(cv);
    const double z2 = v.count[2] * v.pitch[2];
    const double z1 = v.count[1] * v.pitch[1];
    const double z3 = v.count[3] * v.pitch[3];
    const double z4 = v.count[4] * v.pitch[4];
    bottom.zone(0, -z2, v.count[2], v.pitch[2], true);
    bottom.zone(-z2, -(z1 + z2), v.count[1], v.pitch[1], false);
    bottom.remainder(-(z1 + z2), -ll, ll - (z1 + z2));
    bottom.zone(0, z3, v.count[3], v.pitch[3], true);
    bottom.zone(z3, z3 + z4, v.count[4], v.pitch[4], false);
    bottom.remainder(z3 + z4, lr, lr - (z3 + z4));

    // 4. Centre line through the reference point.
    pen_select_layer(ctx, "D-BMK");
    draw_polyline(cv, {{0, -500}, {0, t + 2000}});

    // 5. Titles.
    pen_select_layer(ctx, "D-STR-HTXT");
    if (face == WallFace::back) {
        draw_text_styled(cv, {-670, t + 1500}, {500, t + 1500}, 300, 0, u8"(背  面)"_sj, "KANJI");
        pen_select_layer(ctx, "D-STR-DIM");
        pen_select_layer(ctx, "D-STR-HTXT");
        draw_text_styled(cv, {-1120, t + 1900}, {-1500, t + 1900}, 400, 0, u8"た　て　壁"_sj, "KANJI");
        draw_text_styled(cv, {1180, t + 1900}, {1480, t + 1900}, 300, 0, scale_label(ctx.layout.scale), "KANJI");
    } else {
        draw_text_styled(cv, {-600, t + 2000}, {-500, t + 2000}, 300, 0, u8"(前  面)"_sj, "KANJI");
    }
}

}  // namespace lwall
