#include "drawings/wall/wall_bar_lengths.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "core/bar_rules.hpp"

namespace lwall {

WallBarClass fit_bar_to_500(const WallInput& w, double top, double leg) {
    const double available = top - w.cover1;
    const double total = 500 * std::floor((available + leg) / 500);
    return {total - leg, leg};
}

namespace {

// Smallest p in 1 ... n with base + p * step > limit; n + 1 when there is none.
int first_step_beyond(double base, double step, int n, double limit) {
    for (int p = 1; p <= n; ++p) {
        if (base + p * step > limit) return p;
    }
    return n + 1;
}

// Trial classes of one mark under the sloped top; returns its class count.
int trial_classes(const WallInput& w, const BarGroup& g, std::array<WallBarClass, 4>& cls, HandedValues& h) {
    const double len = w.length_left + w.length_right;
    const double hl = w.height_left;
    const double hr = w.height_right;
    const double hf = w.footing_thickness;
    const double ct = w.cover_wall_top;
    const int k1 = g.count[1];
    const int k2 = g.count[2];
    const double s1 = g.pitch[1];
    const double s2 = g.pitch[2];
    const double leg = wall_bar_anchor_leg(w, g.dia, kRuleBentLeg);
    const double limit = h.class_zone_limit;

    const int o = first_step_beyond(k1 * s1, s2, k2, limit);
    const int e = 2 * (o / 2);
    const double j = k1 * s1 + e * s2;
    const double t1 = hf + std::min(hl, hr) - ct;
    const double t2 = hf + hr + (hl - hr) * j / len - ct;
    const int m = first_step_beyond(0, s2, k2, limit / 2);
    const double t3 = hf + w.wall_height + (hl - hr) * (m * s2) / len - ct;

    cls[1] = fit_bar_to_500(w, t1, leg);
    cls[2] = fit_bar_to_500(w, t2, leg);
    cls[3] = fit_bar_to_500(w, t3, leg);
    h.wall_bar_classes.wall_bar_totals[1] = cls[1].piece + leg;
    h.wall_bar_classes.wall_bar_totals[3] = cls[2].piece + leg;
    h.wall_bar_classes.wall_bar_totals[5] = cls[3].piece + leg;
    const double p1 = cls[1].piece;
    const double p2 = cls[2].piece;
    const double p3 = cls[3].piece;
    if (t1 - p1 > 0 && t2 - p2 > 0 && t3 - p3 > 0 && p1 != p2 && p1 != p3 && p2 != p3) return 3;

    const double tm = hf + (hl + hr) / 2 - ct;
    cls[1] = fit_bar_to_500(w, t1, leg);
    cls[2] = fit_bar_to_500(w, tm, leg);
    return t1 - cls[1].piece > 0 && tm - cls[2].piece > 0 && cls[1].piece != cls[2].piece ? 2 : 1;
}

// Bars of one side: `inner` of them (outward from the reference point) in class `inner_class`,
// the rest in `outer_class`.
std::vector<int> side_classes(int bars, int inner, int inner_class, int outer_class) {
    std::vector<int> cls(bars, outer_class);
    for (int i = 0; i < std::min(inner, bars); ++i) cls[i] = inner_class;
    return cls;
}

// Middle-zone bars per side of the three-class layout: the bars within class_zone_limit / 2 of the
// reference point, counted in zone-2 spacings.
int middle_zone_bars(const BarGroup& g, double limit) { return first_step_beyond(0, g.pitch[2], g.count[2], limit / 2); }

// Which class each bar of a mark takes. One class: all. Two classes: the lower side and the
// reference bar take the lower-end class 1, the higher side class 2. Three classes: the reference
// bar and the `middle` bars next to it on each side take the middle class 2, the rest of the lower
// side class 1 and the rest of the higher side class 3.
void assign_classes(VerticalBarLayout& v, bool lower_left, int middle) {
    const int classes = v.classes;
    const int inner = classes == 3 ? middle : 0;
    const int middle_class = classes == 3 ? 2 : 1;
    const int lower = 1;
    const int higher = classes;
    v.reference_class = middle_class;
    v.left_class = side_classes(v.left.size(), inner, middle_class, lower_left ? lower : higher);
    v.right_class = side_classes(v.right.size(), inner, middle_class, lower_left ? higher : lower);
    v.for_each_bar([&](double, int c) { ++v.count[c]; });
}

// The top each class is fitted to. Class 1 stands under the lower end. A higher class is fitted to
// the top of its rule but never higher than the top over its lowest bar, so that no bar stands into
// the top cover (the mean height of the two-class rule lies over the higher side when the reference
// point is left of the middle of the wall). Two classes: the mean height when the top rises to the
// right, the height at the reference point when it falls. Three classes: the top over the lowest
// bar of the class (the middle class at its outermost bar on the lower side, class 3 at its
// innermost bar).
std::array<double, 4> class_tops(const WallInput& w, const VerticalBarLayout& v) {
    const double hf = w.footing_thickness;
    const double hl = w.height_left;
    const double hr = w.height_right;
    const double ct = w.cover_wall_top;
    const double none = std::numeric_limits<double>::infinity();
    std::array<double, 4> lowest{none, none, none, none};
    v.for_each_bar([&](double x, int c) { lowest[c] = std::min(lowest[c], wall_outline_top(w, x) - ct); });
    std::array<double, 4> top{0, hf + std::min(hl, hr) - ct, none, none};
    if (v.classes == 2) top[2] = hl < hr ? (hl + hr) / 2 + hf - ct : hf + w.wall_height - ct;
    for (int c = 2; c <= v.classes; ++c) {
        top[c] = std::min(top[c], lowest[c]);
        if (top[c] == none) top[c] = hf + std::max(hl, hr) - ct;  // a class without bars
    }
    return top;
}

}  // namespace

int wall_bar_class_count(const WallInput& w, HandedValues& h) {
    h.class_zone_limit = (w.length_left + w.length_right - 200) / 3;
    const int w2 = trial_classes(w, w.W2, h.wall_bar_classes.w2, h);
    const int w1 = trial_classes(w, w.W1, h.wall_bar_classes.w1, h);
    return std::min(w1, w2);
}

void VerticalBarLayout::for_each_bar(const std::function<void(double x, int cls)>& f) const {
    f(0.0, reference_class);
    for (int i = 0; i < left.size(); ++i) f(left.x[i], left_class[i]);
    for (int i = 0; i < right.size(); ++i) f(right.x[i], right_class[i]);
}

WallVerticalBars lay_out_wall_vertical_bars(RunContext& ctx) {
    const WallInput& w = ctx.input;
    HandedValues& h = ctx.handed;
    const double len = w.length_left + w.length_right;
    const bool lower_left = w.height_left < w.height_right;

    // The class count; a level top always takes one class.
    const int counted = wall_bar_class_count(w, h);
    WallVerticalBars out;
    out.sloped = wall_top_slopes(w);
    out.classes = out.sloped ? counted : 1;
    const int classes = out.classes;
    if (classes == 2) h.class_zone_limit = (len - w.end_cover_left - w.end_cover_right) / 2 - w.W2.count[1] * w.W2.pitch[1];
    if (classes == 3) h.class_zone_limit = (len - 200) / 3;

    // The middle zone of the three-class layout, in bars per side; W1 takes the length of the W2
    // middle zone when the top rises to the right.
    const int middle2 = middle_zone_bars(w.W2, h.class_zone_limit);
    int middle1 = middle_zone_bars(w.W1, h.class_zone_limit);
    if (lower_left && middle1 * w.W1.pitch[2] != middle2 * w.W2.pitch[2] && w.W1.pitch[2] > 0) {
        // No side holds more bars than zones 1 to 4 together.
        const double most = w.W1.count[1] + w.W1.count[2] + w.W1.count[3] + w.W1.count[4];
        middle1 = static_cast<int>(std::min(middle2 * w.W2.pitch[2] / w.W1.pitch[2], most));
    }

    auto lay_out = [&](const BarGroup& g, int middle) {
        VerticalBarLayout v;
        v.classes = classes;
        v.left = left_side_bars(g);
        v.right = right_side_bars(g);
        assign_classes(v, lower_left, middle);
        const double leg = wall_bar_anchor_leg(w, g.dia, kRuleBentLeg);
        const std::array<double, 4> top = class_tops(w, v);
        for (int c = 1; c <= classes; ++c) v.cls[c] = fit_bar_to_500(w, top[c], leg);
        return v;
    };
    out.w1 = lay_out(w.W1, middle1);
    out.w2 = lay_out(w.W2, middle2);

    // Rows 1-6: W1 classes in rows 1, 3, 5, W2 classes in rows 2, 4, 6. The bending drawings read
    // the same lengths from the handed classes.
    struct Mark {
        const BarGroup& group;
        const VerticalBarLayout& layout;
        std::array<WallBarClass, 4>& handed;
        const char* name;
        int first_row;
    };
    const Mark marks[] = {{w.W1, out.w1, h.wall_bar_classes.w1, "W1", 1}, {w.W2, out.w2, h.wall_bar_classes.w2, "W2", 2}};
    for (const Mark& m : marks) {
        for (int c = 1; c <= classes; ++c) {
            const WallBarClass& k = m.layout.cls[c];
            ScheduleRow& row = ctx.bar_list.fixed(m.first_row + 2 * (c - 1));
            row.mark = classes == 1 ? std::string(m.name) : std::string(m.name) + "-" + std::to_string(c);
            row.shape_code = "1";
            row.size_text = bar_size_string(m.group.dia);
            row.count = m.layout.count[c];
            row.len1 = k.piece;
            row.len2 = k.leg;
            row.total_length = k.piece + k.leg;
            row.unit_mass = bar_unit_mass(m.group.dia);
            m.handed[c] = k;
        }
    }
    // Three classes: 3 when the top rises to the right, 4 when it falls; the readers treat both alike.
    h.wall_vertical_row_kinds = classes < 3 ? classes : (lower_left ? 3 : 4);
    h.wall_vertical_class_count = classes;
    return out;
}

std::string class_mark(std::string_view name, const VerticalBarLayout& v, int cls) {
    return v.classes == 1 ? std::string(name) : std::string(name) + "-" + std::to_string(cls);
}

}  // namespace lwall
