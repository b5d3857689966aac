#include "schedule/bar_shape_labels.hpp"

#include <algorithm>
#include <cmath>

#include "core/number_format.hpp"
#include "core/sjis.hpp"
#include "output/primitives/primitives.hpp"
#include "output/script/script_writer.hpp"

namespace lwall {

namespace {

constexpr double kTextOffset = 50;       // text beside a dimension line
constexpr double kCrankTextOffset = 62.5;  // the horizontal legs of type 4
constexpr double kShortDistance = 400;    // the top of a cap and of the legend hoop and crank
constexpr int kLabelHeight = 125;
constexpr double kLabelCircle = 150;
constexpr int kCaptionHeight = 200;
constexpr double kLabelY = -1000;
constexpr double kInclinedLabelY = -1500;

constexpr auto kTimes = u8"×"_sj;

// Half the length of a dimension text: its byte count (a double-byte character counts twice)
// times the text height, halved.
double half_text(std::string_view text) { return static_cast<double>(text.size()) * kDimTextHeight / 2; }

// The drawing part of a vertical dimension: extension lines from e1 and e2 out to the line at
// x = line_x, the text 50 left of the line and centred between them.
void dxf_vertical(Canvas& cv, Point e1, Point e2, double line_x, std::string_view text) {
    draw_dim_vertical(cv, e1, e2, {line_x, e1.y},
                      {line_x - kTextOffset, (e1.y + e2.y) / 2 - half_text(text)}, kDimTextHeight, text);
}

// The same for a horizontal dimension, its text `lift` above the line.
void dxf_horizontal(Canvas& cv, Point e1, Point e2, double line_y, std::string_view text,
                    double lift = kTextOffset) {
    draw_dim_horizontal(cv, e1, e2, {e1.x, line_y}, {(e1.x + e2.x) / 2 - half_text(text), line_y + lift},
                        kDimTextHeight, text);
}

enum class Side { left, right, above, below };

struct LegDim {
    double distance = kDimDistance;         // from the leg to the drawn dimension line
    double script_distance = kDimDistance;  // from the leg to the script's line point
    bool script = true;
    double lift = kTextOffset;              // text above a horizontal dimension line
};

// Dimensions the leg a-b on `side`: first the script command, then the drawn dimension. The
// script's line point lies beside the leg's second point, as for the foot of a type-1 bar. A leg
// without a text (a leg of length 0) is not dimensioned.
void dimension_leg(Canvas& cv, Point a, Point b, Side side, std::string_view text, LegDim d = {}) {
    if (text.empty()) return;
    const double gap = cv.state.dim_ext_gap;
    if (side == Side::left || side == Side::right) {
        const double sign = side == Side::right ? 1 : -1;
        if (d.script) scr_dimlinear_text(cv, a, b, text, {a.x + sign * d.script_distance, b.y});
        dxf_vertical(cv, {a.x + sign * gap, a.y}, {b.x + sign * gap, b.y}, a.x + sign * d.distance, text);
    } else {
        const double sign = side == Side::above ? 1 : -1;
        if (d.script) scr_dimlinear_text(cv, a, b, text, {b.x, a.y + sign * d.script_distance});
        dxf_horizontal(cv, {a.x, a.y + sign * gap}, {b.x, b.y + sign * gap}, a.y + sign * d.distance, text, d.lift);
    }
}

// A text's glyphs run half its height a byte (a double-byte character as wide as it is high).
constexpr double kLabelByte = kLabelHeight / 2.0;

// The circle that rings a mark of `bytes` at the start of a label at x: 150 about x + 120, which
// holds a mark of up to four bytes ("W3-7"); about the middle of a longer mark, 40 clear of its ends.
struct Ring {
    double centre, radius;
};
Ring ring_of(std::size_t bytes) {
    const double w = static_cast<double>(bytes) * kLabelByte;
    if (w + 20 <= 0.8 * kLabelCircle + kLabelCircle) return {0.8 * kLabelCircle, kLabelCircle};
    return {w / 2, w / 2 + 40};
}

// A call-out label at (x, y) with a circle ringing the mark at its start.
void callout(Canvas& cv, double x, double y, std::string_view text, std::size_t mark_bytes) {
    const Ring r = ring_of(mark_bytes);
    draw_text_styled(cv, {x, y}, {x + 500, y}, kLabelHeight, 0, text, "KANJI");
    draw_circle(cv, x + r.centre, y + kLabelCircle / 2, r.radius);
}

// "mark count-size" followed by `separator` and the length text. The count stands clear of the
// circle that rings the mark: as many blanks after the mark as keep it 25 beyond the circle.
TextBuf label_text(const ScheduleRow& bar, std::string_view separator, std::string_view length) {
    const Ring r = ring_of(bar.mark.size());
    const double mark_end = static_cast<double>(bar.mark.size()) * kLabelByte;
    const auto blanks = static_cast<int>(std::max(1.0, std::ceil((r.centre + r.radius + 25 - mark_end) / kLabelByte)));
    TextBuf t;
    t.text(bar.mark);
    for (int i = 0; i < blanks; ++i) t.text(" ");
    t.integer(bar.count).text("-").text(bar.size_text).text(separator).text(length);
    return t;
}

// "%s %d-%s ×%5.0lf" of the bar at x0, below the shape.
void label_bar(Canvas& cv, double x0, const ScheduleRow& bar) {
    const TextBuf length = fmt_length(bar.total_length);
    TextBuf separator;
    separator.text(" ").text(kTimes);
    callout(cv, x0, kLabelY, label_text(bar, separator, length), bar.mark.size());
}

// The two labels of a lapped bar, each under the middle of its piece.
void label_pieces(Canvas& cv, const ShapePoints& first, const ShapePoints& second, std::string_view text2,
                  std::string_view text4, const ScheduleRow& bar, const ScheduleRow& second_label, double y) {
    TextBuf separator;
    separator.text(" ").text(kTimes);
    callout(cv, (first[1].x + first[2].x) / 2, y, label_text(bar, separator, text2), bar.mark.size());
    callout(cv, (second[1].x + second[2].x) / 2, y, label_text(second_label, kTimes, text4), second_label.mark.size());
}

void caption(Canvas& cv, double y, std::string_view text) {
    draw_text_styled(cv, {-200, y}, {300, y}, kCaptionHeight, 0, text, "KANJI");
}

// Type 4 is dimensioned in the drawing only.
constexpr LegDim kDrawingOnly{kDimDistance, kDimDistance, false, kTextOffset};

}  // namespace

void label_shape_1(Canvas& cv, const ShapePoints& s, std::string_view text1, std::string_view text2,
                   const ScheduleRow& bar) {
    const double gap = cv.state.dim_ext_gap;
    // The vertical leg is measured from its top to the end of the foot, with the line right of the foot.
    if (!text1.empty()) {
        scr_dimlinear_text(cv, s[1], s[3], text1, {s[3].x + kDimDistance, s[3].y});
        dxf_vertical(cv, {s[3].x + gap, s[3].y}, {s[1].x + gap, s[1].y}, s[3].x + kDimDistance, text1);
    }
    dimension_leg(cv, s[2], s[3], Side::below, text2);
    label_bar(cv, -700, bar);
}

void label_shape_2(Canvas& cv, const ShapePoints& s, std::string_view text1, std::string_view text2,
                   std::string_view text3, const ScheduleRow& bar) {
    dimension_leg(cv, s[1], s[2], Side::left, text1);
    dimension_leg(cv, s[2], s[3], Side::below, text2);
    dimension_leg(cv, s[3], s[4], Side::right, text3);
    label_bar(cv, -200, bar);
}

void label_shape_3(Canvas& cv, const ShapePoints& s, std::string_view text1, std::string_view text2,
                   std::string_view text3, const ScheduleRow& bar) {
    dimension_leg(cv, s[1], s[2], Side::below, text1);
    dimension_leg(cv, s[2], s[3], Side::left, text2);
    dimension_leg(cv, s[3], s[4], Side::above, text3);
    dimension_leg(cv, s[4], s[5], Side::right, text2);
    dimension_leg(cv, s[5], s[6], Side::below, text1);
    label_bar(cv, -200, bar);
}

void label_shape_4(Canvas& cv, const ShapePoints& s, std::string_view text1, std::string_view text2,
                   std::string_view text3, const ScheduleRow& bar) {
    const double gap = cv.state.dim_ext_gap;
    // The horizontal leg's extension at its right end starts below the end of the down leg.
    if (!text2.empty()) {
        dxf_horizontal(cv, {s[2].x, s[2].y - gap}, {s[3].x, s[4].y - gap}, s[2].y - kDimDistance, text2,
                       kCrankTextOffset);
    }
    dimension_leg(cv, s[1], s[2], Side::left, text1, kDrawingOnly);
    dimension_leg(cv, s[3], s[4], Side::right, text3, kDrawingOnly);
    label_bar(cv, -200, bar);
}

void label_shape_5(Canvas& cv, const ShapePoints& s, std::string_view text1, const ScheduleRow& bar) {
    dimension_leg(cv, s[1], s[2], Side::above, text1);
    label_bar(cv, -200, bar);
}

void label_shape_5_inclined(Canvas& cv, const ShapePoints& s, std::string_view text1, const ScheduleRow& bar) {
    scr_dimlinear_text(cv, s[1], s[2], text1, {s[1].x, s[1].y + kDimDistance});
    draw_dim_aligned(cv, s[1], s[2], kDimDistance, kDimTextHeight, text1);
    label_bar(cv, -200, bar);
}

void label_shape_6(Canvas& cv, const ShapePoints& s, std::string_view text1, std::string_view text2,
                   const ScheduleRow& bar) {
    dimension_leg(cv, s[1], s[2], Side::left, text1);
    dimension_leg(cv, s[2], s[3], Side::above, text2, {kShortDistance, kShortDistance, true, kTextOffset});
    dimension_leg(cv, s[3], s[4], Side::right, text1);
    label_bar(cv, -200, bar);
}

void label_shape_5_lapped(Canvas& cv, const ShapePoints& first, const ShapePoints& second, std::string_view text1,
                          std::string_view text2, std::string_view text3, std::string_view text4,
                          const ScheduleRow& bar, const ScheduleRow& second_label) {
    const double gap = cv.state.dim_ext_gap;
    const Point p1 = first[1], p2 = first[2], q1 = second[1], q2 = second[2];
    dimension_leg(cv, p1, p2, Side::above, text2);
    dimension_leg(cv, q1, q2, Side::above, text4);
    // The whole bar, above both pieces.
    scr_dimlinear_text(cv, p1, q2, text1, {q1.x, q1.y + 1500});
    dxf_horizontal(cv, {p1.x, p1.y + gap}, {q2.x, q2.y + gap}, p1.y + 1200, text1);
    // The lap, below.
    scr_dimlinear_text(cv, q1, p2, text3, {p1.x, p1.y - kDimDistance});
    dxf_horizontal(cv, {q1.x, q1.y - gap}, {p2.x, p2.y - gap}, q1.y - kDimDistance, text3);
    label_pieces(cv, first, second, text2, text4, bar, second_label, kLabelY);
}

void label_shape_5_lapped_inclined(Canvas& cv, const ShapePoints& first, const ShapePoints& second,
                                   std::string_view text1, std::string_view text2, std::string_view text3,
                                   std::string_view text4, const ScheduleRow& bar, const ScheduleRow& second_label) {
    const Point p1 = first[1], p2 = first[2], q1 = second[1], q2 = second[2];
    scr_dimlinear_text(cv, p1, p2, text2, {p2.x, p1.y + kDimDistance});
    draw_dim_aligned(cv, p1, p2, kDimDistance, kDimTextHeight, text2);
    scr_dimlinear_text(cv, q1, q2, text4, {q2.x, q1.y + kDimDistance});
    draw_dim_aligned(cv, q1, q2, kDimDistance, kDimTextHeight, text4);
    scr_dimlinear_text(cv, p1, q2, text1, {q1.x, q1.y + 1500});
    draw_dim_aligned(cv, p1, q2, 1500, kDimTextHeight, text1);
    scr_dimlinear_text(cv, q1, p2, text3, {p1.x, p1.y - kDimDistance});
    draw_dim_aligned(cv, q1, p2, -kDimDistance, kDimTextHeight, text3);
    label_pieces(cv, first, second, text2, text4, bar, second_label, kInclinedLabelY);
}

void caption_shape_1(Canvas& cv, const ShapePoints& s, std::string_view l1, std::string_view l2) {
    // The legend measures the vertical leg itself, not up to the end of the foot.
    dimension_leg(cv, s[1], s[2], Side::left, l1);
    dimension_leg(cv, s[2], s[3], Side::below, l2);
    caption(cv, -1000, u8"形 式 １"_sj);
}

void caption_shape_2(Canvas& cv, const ShapePoints& s, std::string_view l1, std::string_view l2,
                     std::string_view l3) {
    dimension_leg(cv, s[1], s[2], Side::left, l1);
    dimension_leg(cv, s[2], s[3], Side::below, l2);
    dimension_leg(cv, s[3], s[4], Side::right, l3);
    caption(cv, -1000, u8"形 式 ２"_sj);
}

void caption_shape_3(Canvas& cv, const ShapePoints& s, std::string_view l1, std::string_view l2,
                     std::string_view l3) {
    dimension_leg(cv, s[1], s[2], Side::below, l1);
    dimension_leg(cv, s[2], s[3], Side::left, l2);
    dimension_leg(cv, s[3], s[4], Side::above, l3, {kShortDistance, kDimDistance, true, kTextOffset});
    dimension_leg(cv, s[4], s[5], Side::right, l2);
    dimension_leg(cv, s[5], s[6], Side::below, l1);
    caption(cv, -1000, u8"形 式 ３"_sj);
}

void caption_shape_4(Canvas& cv, const ShapePoints& s, std::string_view l1, std::string_view l2,
                     std::string_view l3) {
    const double gap = cv.state.dim_ext_gap;
    dxf_horizontal(cv, {s[1].x, s[1].y + gap}, {s[3].x, s[3].y + gap}, s[1].y + kShortDistance, l2,
                   kCrankTextOffset);
    dimension_leg(cv, s[1], s[2], Side::left, l1, kDrawingOnly);
    dimension_leg(cv, s[3], s[4], Side::right, l3, kDrawingOnly);
    caption(cv, -500, u8"形 式 ４"_sj);
}

void caption_shape_5(Canvas& cv, const ShapePoints& s, std::string_view l1) {
    dimension_leg(cv, s[1], s[2], Side::above, l1);
    caption(cv, -500, u8"形 式 ５"_sj);
}

void caption_shape_6(Canvas& cv, const ShapePoints& s, std::string_view l1, std::string_view l2) {
    dimension_leg(cv, s[1], s[2], Side::left, l1);
    dimension_leg(cv, s[2], s[3], Side::above, l2, {kShortDistance, kShortDistance, true, kTextOffset});
    dimension_leg(cv, s[3], s[4], Side::right, l1);
    caption(cv, -500, u8"形 式 ６"_sj);
}

}  // namespace lwall
