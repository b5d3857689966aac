#include "sheet/drawn_over.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <unordered_map>

#include "core/sjis.hpp"

namespace lwall::test {

using Item = OverlapRecorder::Item;

void OverlapRecorder::line(const LineEntity& e) {
    Item i;
    i.kind = Item::Kind::line;
    i.layer = e.layer;
    i.a = {e.x1, e.y1};
    i.b = {e.x2, e.y2};
    items.push_back(std::move(i));
}

void OverlapRecorder::text(const TextEntity& e) {
    Item i;
    i.kind = Item::Kind::text;
    i.layer = e.layer;
    i.text = e.text;
    i.a = {e.x1, e.y1};
    i.height = e.height;
    i.rotation = e.form == TextForm::aligned ? e.angle : 0;
    i.width_factor = e.width_factor;
    items.push_back(std::move(i));
}

void OverlapRecorder::circle(const CircleEntity& e) {
    Item i;
    i.kind = Item::Kind::circle;
    i.layer = e.layer;
    i.a = {e.x, e.y};
    i.radius = e.radius;
    items.push_back(std::move(i));
}

namespace {

constexpr double kCalloutRadius = 100;

// An oriented box: from o, w along u and h along v (u turned a quarter to the left).
struct Box {
    Point o;
    double ux = 1, uy = 0;
    double w = 0, h = 0;

    Point local(Point p) const {
        const double dx = p.x - o.x, dy = p.y - o.y;
        return {dx * ux + dy * uy, -dx * uy + dy * ux};
    }
    Point corner(double x, double y) const { return {o.x + x * ux - y * uy, o.y + x * uy + y * ux}; }
};

// The glyphs of text bytes [from, to) of a text (without the blanks around them), shrunk by a
// twentieth of the height on each side so that texts that only touch do not count.
bool glyph_box(const Item& t, std::size_t from, std::size_t to, Box& box) {
    const std::string& s = t.text;
    while (from < to && s[from] == ' ') ++from;
    while (to > from && s[to - 1] == ' ') --to;
    if (from >= to || t.height <= 0) return false;
    const double unit = t.height / 2 * t.width_factor;
    const double turn = t.rotation * std::numbers::pi / 180;
    box.ux = std::cos(turn);
    box.uy = std::sin(turn);
    const double eps = t.height / 20;
    box.o = {t.a.x, t.a.y};
    box.o = box.corner(static_cast<double>(from) * unit + eps, eps);
    box.w = static_cast<double>(to - from) * unit - 2 * eps;
    box.h = t.height - 2 * eps;
    return box.w > 0 && box.h > 0;
}

bool separated_on(const Box& a, const Box& b, double ax, double ay) {
    auto span = [&](const Box& x) {
        double lo = 1e300, hi = -1e300;
        for (const Point p : {x.corner(0, 0), x.corner(x.w, 0), x.corner(0, x.h), x.corner(x.w, x.h)}) {
            const double d = p.x * ax + p.y * ay;
            lo = std::min(lo, d);
            hi = std::max(hi, d);
        }
        return std::pair{lo, hi};
    };
    const auto [a0, a1] = span(a);
    const auto [b0, b1] = span(b);
    return a1 <= b0 || b1 <= a0;
}

bool boxes_overlap(const Box& a, const Box& b) {
    for (const Box* x : {&a, &b}) {
        if (separated_on(a, b, x->ux, x->uy) || separated_on(a, b, -x->uy, x->ux)) return false;
    }
    return true;
}

// Whether the segment p-q runs through the inside of the box.
bool segment_through(const Box& box, Point p, Point q) {
    const Point a = box.local(p), b = box.local(q);
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const auto clip = [&](double den, double num) {  // keeps den * t <= num
        if (den == 0) return num > 0;
        const double t = num / den;
        if (den > 0) t1 = std::min(t1, t);
        else t0 = std::max(t0, t);
        return t0 < t1;
    };
    return clip(-dx, a.x) && clip(dx, box.w - a.x) && clip(-dy, a.y) && clip(dy, box.h - a.y) && t1 - t0 > 1e-9;
}

bool inside(const Box& box, Point p, double margin) {
    const Point l = box.local(p);
    return l.x > -margin && l.x < box.w + margin && l.y > -margin && l.y < box.h + margin;
}

bool circle_over(const Box& box, Point c, double r) {
    const Point l = box.local(c);
    const double x = std::clamp(l.x, 0.0, box.w), y = std::clamp(l.y, 0.0, box.h);
    return std::hypot(l.x - x, l.y - y) < r;
}

std::string where(Point p) {
    std::ostringstream out;
    out << "(" << std::lround(p.x) << ", " << std::lround(p.y) << ")";
    return out.str();
}

std::string shown(const Item& t) { return "text \"" + sjis_to_utf8(t.text) + "\""; }

// A coarse grid of what lies where, so that each text meets only its neighbours.
class Grid {
public:
    static constexpr double kCell = 2000;
    void add(std::size_t i, double x0, double y0, double x1, double y1) {
        for (long long cx = cell(x0); cx <= cell(x1); ++cx) {
            for (long long cy = cell(y0); cy <= cell(y1); ++cy) cells_[key(cx, cy)].push_back(i);
        }
    }
    template <typename F>
    void near(double x0, double y0, double x1, double y1, F&& f) const {
        std::vector<std::size_t> seen;
        for (long long cx = cell(x0); cx <= cell(x1); ++cx) {
            for (long long cy = cell(y0); cy <= cell(y1); ++cy) {
                const auto it = cells_.find(key(cx, cy));
                if (it == cells_.end()) continue;
                seen.insert(seen.end(), it->second.begin(), it->second.end());
            }
        }
        std::sort(seen.begin(), seen.end());
        seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
        for (const std::size_t i : seen) f(i);
    }

private:
    static long long cell(double v) { return static_cast<long long>(std::floor(v / kCell)); }
    static long long key(long long x, long long y) { return x * 1000003 + y; }
    std::unordered_map<long long, std::vector<std::size_t>> cells_;
};

}  // namespace

std::vector<std::string> drawn_over(const std::vector<Item>& items) {
    std::vector<std::string> out;
    // The glyphs of each text, and the owner of each call-out circle: the text drawn just before it.
    std::vector<Box> box(items.size());
    std::vector<bool> has_box(items.size(), false);
    std::vector<std::size_t> owner(items.size(), items.size());
    Grid grid;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& it = items[i];
        switch (it.kind) {
        case Item::Kind::text:
            has_box[i] = glyph_box(it, 0, it.text.size(), box[i]);
            if (has_box[i]) {
                double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
                for (const Point p : {box[i].corner(0, 0), box[i].corner(box[i].w, 0), box[i].corner(0, box[i].h),
                                      box[i].corner(box[i].w, box[i].h)}) {
                    x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
                }
                grid.add(i, x0, y0, x1, y1);
            }
            break;
        case Item::Kind::line:
            grid.add(i, std::min(it.a.x, it.b.x), std::min(it.a.y, it.b.y), std::max(it.a.x, it.b.x),
                     std::max(it.a.y, it.b.y));
            break;
        case Item::Kind::circle:
            grid.add(i, it.a.x - it.radius, it.a.y - it.radius, it.a.x + it.radius, it.a.y + it.radius);
            if (it.radius >= kCalloutRadius) {
                for (std::size_t j = i; j-- > 0;) {
                    if (items[j].kind == Item::Kind::text) {
                        owner[i] = j;
                        break;
                    }
                    if (items[j].kind == Item::Kind::circle) break;
                }
            }
            break;
        }
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!has_box[i]) continue;
        const Item& t = items[i];
        const Box& b = box[i];
        double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
        for (const Point p : {b.corner(0, 0), b.corner(b.w, 0), b.corner(0, b.h), b.corner(b.w, b.h)}) {
            x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
        }
        grid.near(x0, y0, x1, y1, [&](std::size_t j) {
            const Item& o = items[j];
            if (o.kind == Item::Kind::text) {
                // Each pair once.
                if (j > i && has_box[j] && boxes_overlap(b, box[j])) {
                    out.push_back(shown(t) + " over " + shown(o) + " at " + where(t.a));
                }
            } else if (o.kind == Item::Kind::line) {
                // A leader or an arrow may end at the text it points to.
                const double margin = t.height / 2;
                if (inside(b, o.a, margin) || inside(b, o.b, margin)) return;
                if (segment_through(b, o.a, o.b)) {
                    out.push_back("line " + where(o.a) + "-" + where(o.b) + " through " + shown(t));
                }
            } else if (owner[j] == i) {
                // A call-out circle rings the mark at the start of its text, and nothing after it.
                const std::size_t mark = t.text.find_first_not_of(' ');
                const std::size_t end = t.text.find(' ', mark);
                Box rest;
                if (end != std::string::npos && glyph_box(t, end, t.text.size(), rest) &&
                    circle_over(rest, o.a, o.radius)) {
                    out.push_back("the circle of " + shown(t) + " over the text after its mark");
                }
            } else if (circle_over(b, o.a, o.radius)) {
                out.push_back(std::string(o.radius >= kCalloutRadius ? "call-out circle" : "bar") + " at " +
                              where(o.a) + " under " + shown(t));
            }
        });
    }
    // Call-out circles over each other.
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& c = items[i];
        if (c.kind != Item::Kind::circle || c.radius < kCalloutRadius) continue;
        grid.near(c.a.x - c.radius, c.a.y - c.radius, c.a.x + c.radius, c.a.y + c.radius, [&](std::size_t j) {
            const Item& o = items[j];
            if (j <= i || o.kind != Item::Kind::circle || o.radius < kCalloutRadius) return;
            if (std::hypot(c.a.x - o.a.x, c.a.y - o.a.y) < c.radius + o.radius) {
                out.push_back("call-out circle at " + where(c.a) + " over the one at " + where(o.a));
            }
        });
    }
    return out;
}

}  // namespace lwall::test
