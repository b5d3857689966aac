#include "drawings/wall/wall_elevation_bars.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/bar_rules.hpp"
#include "output/primitives/primitives.hpp"

namespace lwall {

namespace {

// One side of a mark: each run of bars of one class and one spacing is one repeated line.
void draw_side(Canvas& cv, const WallInput& w, const VerticalBarLayout& v, const SideBars& side,
               const std::vector<int>& cls, int direction) {
    int i = 0;
    while (i < side.size()) {
        int n = 1;
        while (i + n < side.size() && cls[i + n] == cls[i] && side.pitch[i + n] == side.pitch[i]) ++n;
        const double piece = v.cls[cls[i]].piece;
        Point p1{side.x[i], w.cover1};
        Point p2{side.x[i], w.cover1 + piece};
        draw_line_repeat(cv, p1, p2, side.pitch[i], n, direction, 0);
        i += n;
    }
}

// One W5 bar hanging from the cap-bar line, not below cover1.
void cap_bar(Canvas& cv, const WallInput& w, double x, double length) {
    const double top = cap_bar_top(w, x);
    draw_polyline(cv, {{x, top}, {x, std::max(top - length, w.cover1)}});
}

// The W5 positions of one face, in drawing order, with the middle bar marked.
struct CapBar {
    double x;
    bool middle;
};

// Back face: zone 3 (its first bar opt[2] inside the grid), zone 4 (opt[3] outside it), the
// middle bar at the reference point, then zones 2 and 1 to the left.
std::vector<CapBar> back_cap_bars(const BarGroup& g) {
    std::vector<CapBar> bars;
    for (int j = 1; j <= g.count[3]; ++j) bars.push_back({j * g.pitch[3] - g.opt[2], false});
    for (int j = 1; j <= g.count[4]; ++j) bars.push_back({g.count[3] * g.pitch[3] + g.opt[3] + j * g.pitch[4], false});
    bars.push_back({0, true});
    for (int j = 1; j <= g.count[2]; ++j) bars.push_back({-j * g.pitch[2], false});
    for (int j = 1; j <= g.count[1]; ++j) bars.push_back({-g.count[2] * g.pitch[2] - j * g.pitch[1], false});
    return bars;
}

// Front face, mirrored: zones 2 and 1 shifted opt[1] to the left, the middle bar at -opt[1], then
// zones 3 and 4 on the grid from the reference point.
std::vector<CapBar> front_cap_bars(const BarGroup& g) {
    std::vector<CapBar> bars;
    const double shift = g.opt[1];
    for (int j = 1; j <= g.count[2]; ++j) bars.push_back({-shift - j * g.pitch[2], false});
    for (int j = 1; j <= g.count[1]; ++j) bars.push_back({-shift - g.count[2] * g.pitch[2] - j * g.pitch[1], false});
    bars.push_back({-shift, true});
    for (int j = 1; j <= g.count[3]; ++j) bars.push_back({j * g.pitch[3], false});
    for (int j = 1; j <= g.count[4]; ++j) bars.push_back({g.count[3] * g.pitch[3] + j * g.pitch[4], false});
    return bars;
}

// Tops (cover1 + piece) of the classes that hold bars, over both marks.
std::vector<double> class_tops(const WallInput& w, const WallVerticalBars& bars) {
    std::vector<double> tops;
    for (const VerticalBarLayout* v : {&bars.w1, &bars.w2}) {
        for (int c = 1; c <= v->classes; ++c) {
            if (v->count[c] > 0) tops.push_back(w.cover1 + v->cls[c].piece);
        }
    }
    return tops;
}

// The W2 bars from the left end to the right end.
std::vector<double> bars_from_left(const VerticalBarLayout& v) {
    std::vector<double> x(v.left.x.rbegin(), v.left.x.rend());
    x.push_back(0);
    x.insert(x.end(), v.right.x.begin(), v.right.x.end());
    return x;
}

// The shortest lap of one face's vertical bars with the cap bar: each vertical bar against the
// better of the two cap-bar legs nearest it, one on either side (one leg where it stands on the
// bar). The middle bar at the reference point is not among the legs: it closes the step between the
// class tops by a length rule of its own. No lap where the face has no legs.
void record_cap_lap(RunContext& ctx, const VerticalBarLayout& v, std::string_view name,
                    const std::vector<CapBar>& caps, double leg) {
    const WallInput& w = ctx.input;
    std::vector<double> legs;
    for (const CapBar& b : caps) {
        if (!b.middle) legs.push_back(b.x);
    }
    if (legs.empty()) return;
    std::sort(legs.begin(), legs.end());
    const auto overlap = [&](double bar_top, double x) {
        return bar_top - std::max(cap_bar_top(w, x) - leg, w.cover1);
    };
    BarLap lap;
    lap.kind = BarLap::Kind::cap;
    lap.second = "W5";
    lap.dia = w.W5.dia;
    lap.required = cap_bar_lap_length(w.W5.dia);
    bool found = false;
    v.for_each_bar([&](double x, int c) {
        const double top = w.cover1 + v.cls[static_cast<std::size_t>(c)].piece;
        const auto right = std::lower_bound(legs.begin(), legs.end(), x);
        double best = -std::numeric_limits<double>::infinity();
        if (right != legs.end()) best = overlap(top, *right);
        if (right != legs.begin()) best = std::max(best, overlap(top, *std::prev(right)));
        if (!found || best < lap.overlap) {
            found = true;
            lap.overlap = best;
            lap.x = x;
            lap.first = class_mark(name, v, c);
        }
    });
    if (found) ctx.handed.laps.push_back(lap);
}

void tie(Canvas& cv, double x, double y) { draw_polyline(cv, {{x - 50, y - 50}, {x, y}, {x + 50, y + 50}}); }

}  // namespace

void draw_wall_vertical_bars(RunContext& ctx, const WallVerticalBars& bars) {
    pen_select_layer(ctx, "D-STR-STR1");
    for (const WallFace face : {WallFace::back, WallFace::front}) {
        const VerticalBarLayout& v = face == WallFace::back ? bars.w1 : bars.w2;
        const Point origin = wall_face_origin(ctx, face);
        set_origin(ctx.canvas, origin.x, origin.y);
        draw_side(ctx.canvas, ctx.input, v, v.right, v.right_class, +1);
        draw_side(ctx.canvas, ctx.input, v, v.left, v.left_class, -1);
    }
}

double wall_cap_bar_leg(const WallInput& w, const WallVerticalBars& bars) {
    // A level top is measured by the same rule: there every class meets the top at one height, and
    // the leg reaches 20 diameters below the highest class top (a cap bar of real legs, not a
    // stub of its top alone).
    // The gap between the cap-bar line and the top of a class is largest at the class's end
    // nearest the higher end of the wall. The class that reaches the higher end is measured at
    // cover6 from that end; every other class at its bar nearest the higher end.
    const double toward_higher = w.height_right > w.height_left ? 1.0 : -1.0;
    const double end = toward_higher > 0 ? w.length_right : -w.length_left;
    double leg = -std::numeric_limits<double>::infinity();
    for (const VerticalBarLayout* v : {&bars.w1, &bars.w2}) {
        std::array<double, 4> nearest;
        nearest.fill(-std::numeric_limits<double>::infinity());
        int end_class = 0;
        double outermost = -std::numeric_limits<double>::infinity();
        v->for_each_bar([&](double x, int c) {
            auto& n = nearest[c];
            n = std::max(n, x * toward_higher);
            if (x * toward_higher > outermost) {
                outermost = x * toward_higher;
                end_class = c;
            }
        });
        for (int c = 1; c <= v->classes; ++c) {
            if (v->count[c] == 0) continue;
            const double x = c == end_class ? end - toward_higher * w.cover6 : nearest[c] * toward_higher;
            const double available = cap_bar_top(w, x) - w.cover1;
            leg = std::max(leg, available - v->cls[c].piece + cap_bar_lap_length(w.W5.dia));
        }
    }
    return leg;
}

void draw_wall_cap_bars(RunContext& ctx, const WallVerticalBars& bars) {
    const WallInput& w = ctx.input;
    Canvas& cv = ctx.canvas;
    pen_select_layer(ctx, "D-STR-STR1");
    const double leg = wall_cap_bar_leg(w, bars);
    ctx.handed.w5_leg_length = leg;
    // The middle bar reaches over the largest difference between the class tops and 260 more, in
    // whole 50 mm.
    const std::vector<double> tops = class_tops(w, bars);
    const auto [lowest, highest] = std::minmax_element(tops.begin(), tops.end());
    const double middle = std::floor((*highest - *lowest + 260) / 50) * 50;
    for (const WallFace face : {WallFace::back, WallFace::front}) {
        const Point origin = wall_face_origin(ctx, face);
        set_origin(cv, origin.x, origin.y);
        const std::vector<CapBar> positions = face == WallFace::back ? back_cap_bars(w.W5) : front_cap_bars(w.W5);
        for (const CapBar& b : positions) cap_bar(cv, w, b.x, b.middle ? middle : leg);
        if (face == WallFace::back) record_cap_lap(ctx, bars.w1, "W1", positions, leg);
        else record_cap_lap(ctx, bars.w2, "W2", positions, leg);
    }
}

TieAnchors draw_wall_ties(RunContext& ctx, const WallVerticalBars& bars) {
    const WallInput& w = ctx.input;
    Canvas& cv = ctx.canvas;
    const double base = w.footing_thickness - w.cover2;
    const BarGroup& w2 = w.W2;
    const BarGroup& w4 = w.W4;
    const Point origin = wall_face_origin(ctx, WallFace::front);
    set_origin(cv, origin.x, origin.y);
    pen_select_layer(ctx, "D-STR-STR1");

    // 1. Left of the reference point, on the W2 columns stepping left (zone 2, then zone 1 less
    // its last bar): odd columns start four W4 zone-2 spacings up, even ones two, and repeat
    // every four. No column takes more than 10 ties.
    const int columns = w2.count[2] + std::max(w2.count[1] - 1, 0);
    const double limit = base + w4.count[2] * w4.pitch[2];
    for (int c = 1; c <= columns; ++c) {
        const double x = c <= w2.count[2] ? -c * w2.pitch[2] : -w2.count[2] * w2.pitch[2] - (c - w2.count[2]) * w2.pitch[1];
        const int a = c % 2 == 1 ? 4 : 2;
        const int q = w4.count[3] - 2 - a + w4.count[2];
        const int n = std::min(static_cast<int>(std::floor(q / 4.0)) + 1, 10);
        for (int i = 0; i < n; ++i) {
            double y = base + a * w4.pitch[2] + i * 4 * w4.pitch[2];
            if (y > limit) y = limit + w4.pitch[3];
            tie(cv, x, y);
        }
    }

    // 2. Across the wall, on every W2 bar but the two end ones: odd positions start four W4
    // zone-1 spacings up, even ones two; every four spacings one more, at most 10, up to the wall
    // top less 400. These ties are the S1 count.
    const std::vector<double> xs = bars_from_left(bars.w2);
    const int n = static_cast<int>(xs.size());
    const double step = 4 * w4.pitch[1];
    auto first_tie = [&](int p) { return base + w4.pitch[1] * (p % 2 == 1 ? 4 : 2); };
    auto ties_in_column = [&](int p) {
        const double x = xs[p - 1];
        const double stop = wall_outline_top(w, x) - 400;
        int k = 0;
        while (k < 10 && first_tie(p) + k * step <= stop) ++k;
        return k;
    };
    int count = 0;
    for (int p = 2; p <= n - 1; ++p) {
        const int k = ties_in_column(p);
        for (int i = 0; i < k; ++i) tie(cv, xs[p - 1], first_tie(p) + i * step);
        count += k;
    }
    ctx.bar_list.fixed(BarList::kS1).count = count;

    // 3. The call-out arrows start at the second tie of columns 4 and 6, or at the last tie of
    // such a column when it stopped before its second (at its first place when it has none); a
    // wall with fewer bars takes its last bar instead.
    auto anchor = [&](int p) {
        p = std::clamp(p, 1, n);
        const int k = std::clamp(ties_in_column(p), 1, 2);
        return Point{xs[p - 1], first_tie(p) + (k - 1) * step};
    };
    return {anchor(4), anchor(6)};
}

}  // namespace lwall
