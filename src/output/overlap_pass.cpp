#include "output/overlap_pass.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numbers>

#include "core/sheet_layout.hpp"

namespace lwall {

namespace {

using Kind = SheetItem::Kind;

struct Rect {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    bool overlaps(const Rect& r) const { return x0 < r.x1 && r.x0 < x1 && y0 < r.y1 && r.y0 < y1; }
    Rect grown(double d) const { return {x0 - d, y0 - d, x1 + d, y1 + d}; }
    Rect moved(Point d) const { return {x0 + d.x, y0 + d.y, x1 + d.x, y1 + d.y}; }
    void cover(const Rect& r) {
        x0 = std::min(x0, r.x0), y0 = std::min(y0, r.y0), x1 = std::max(x1, r.x1), y1 = std::max(y1, r.y1);
    }
};

Rect rect_of(Point a, Point b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// The glyphs of a text: from o, w along u = (ux, uy) and h along u turned a quarter to the left.
struct Box {
    Point o;
    double ux = 1, uy = 0, w = 0, h = 0;

    Point local(Point p) const {
        const double dx = p.x - o.x, dy = p.y - o.y;
        return {dx * ux + dy * uy, -dx * uy + dy * ux};
    }
    Point corner(double x, double y) const { return {o.x + x * ux - y * uy, o.y + x * uy + y * ux}; }
    Box moved(Point d) const {
        Box b = *this;
        b.o = {o.x + d.x, o.y + d.y};
        return b;
    }
    Rect rect() const {
        Rect r{o.x, o.y, o.x, o.y};
        for (const Point p : {corner(w, 0), corner(0, h), corner(w, h)}) r.cover({p.x, p.y, p.x, p.y});
        return r;
    }
};

// Bytes [from, to) of a text without the blanks around them, shrunk by a twentieth of the height
// on each side so that texts that only touch do not count.
bool glyph_box(const SheetItem& t, std::size_t from, std::size_t to, Box& box) {
    const std::string_view s = t.text;
    while (from < to && s[from] == ' ') ++from;
    while (to > from && s[to - 1] == ' ') --to;
    if (from >= to || !(t.height > 0)) return false;
    const double unit = t.height / 2 * t.width_factor;
    // Most texts stand upright or turned a quarter: no sine for them.
    if (t.rotation == 0 || t.rotation == 90) {
        box.ux = t.rotation == 0 ? 1 : 0;
        box.uy = t.rotation == 0 ? 0 : 1;
    } else {
        const double turn = t.rotation * std::numbers::pi / 180;
        box.ux = std::cos(turn);
        box.uy = std::sin(turn);
    }
    const double eps = t.height / 20;
    box.o = t.a;
    box.o = box.corner(static_cast<double>(from) * unit + eps, eps);
    box.w = static_cast<double>(to - from) * unit - 2 * eps;
    box.h = t.height - 2 * eps;
    return box.w > 0 && box.h > 0;
}

bool separated_on(const Box& a, const Box& b, double ax, double ay) {
    const auto span = [&](const Box& x, double& lo, double& hi) {
        lo = 1e300, hi = -1e300;
        for (const Point p : {x.corner(0, 0), x.corner(x.w, 0), x.corner(0, x.h), x.corner(x.w, x.h)}) {
            const double d = p.x * ax + p.y * ay;
            lo = std::min(lo, d), hi = std::max(hi, d);
        }
    };
    double a0, a1, b0, b1;
    span(a, a0, a1);
    span(b, b0, b1);
    return a1 <= b0 || b1 <= a0;
}

Box grown(const Box& b, double d) {
    Box g = b;
    g.o = b.corner(-d, -d);
    g.w = b.w + 2 * d;
    g.h = b.h + 2 * d;
    return g;
}

bool boxes_overlap(const Box& a, const Box& b) {
    for (const Box* x : {&a, &b}) {
        if (separated_on(a, b, x->ux, x->uy) || separated_on(a, b, -x->uy, x->ux)) return false;
    }
    return true;
}

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

bool near_box(const Box& box, Point p, double margin) {
    const Point l = box.local(p);
    return l.x > -margin && l.x < box.w + margin && l.y > -margin && l.y < box.h + margin;
}

bool circle_over(const Box& box, Point c, double r) {
    const Point l = box.local(c);
    const double x = std::clamp(l.x, 0.0, box.w), y = std::clamp(l.y, 0.0, box.h);
    return std::hypot(l.x - x, l.y - y) < r;
}

// Items by the cells of the region they touch, built once (each cell's items in one run of a
// single array). An item that moves later is found through the pass's list of moved items.
class Grid {
public:
    Grid(const std::vector<std::uint32_t>& ids, const std::vector<Rect>& bounds, double cell)
        : stamp_(bounds.size(), 0) {
        Rect region{1e300, 1e300, -1e300, -1e300};
        for (const std::uint32_t i : ids) region.cover(bounds[i]);
        if (ids.empty()) region = {0, 0, 1, 1};
        region_ = region;
        cell_ = std::max(cell, std::max(region.x1 - region.x0, region.y1 - region.y0) / 1024);
        nx_ = static_cast<long long>((region.x1 - region.x0) / cell_) + 1;
        ny_ = static_cast<long long>((region.y1 - region.y0) / cell_) + 1;
        start_.assign(static_cast<std::size_t>(nx_ * ny_) + 1, 0);
        for (const std::uint32_t i : ids) each_cell(bounds[i], [&](std::size_t c) { ++start_[c + 1]; });
        for (std::size_t c = 1; c < start_.size(); ++c) start_[c] += start_[c - 1];
        ids_.resize(start_.back());
        std::vector<std::uint32_t> fill(start_.begin(), start_.end() - 1);
        for (const std::uint32_t i : ids) each_cell(bounds[i], [&](std::size_t c) { ids_[fill[c]++] = i; });
    }

    // Every item whose cells meet r, once.
    template <typename F>
    void query(const Rect& r, F&& f) {
        ++tick_;
        each_cell(r, [&](std::size_t c) {
            for (std::uint32_t k = start_[c]; k < start_[c + 1]; ++k) {
                const std::uint32_t id = ids_[k];
                if (stamp_[id] == tick_) continue;
                stamp_[id] = tick_;
                f(id);
            }
        });
    }

private:
    template <typename F>
    void each_cell(const Rect& r, F&& f) const {
        if (r.x1 < region_.x0 || r.x0 > region_.x1 || r.y1 < region_.y0 || r.y0 > region_.y1) return;
        const auto at = [&](double v, double lo, long long n) {
            return std::clamp(static_cast<long long>((v - lo) / cell_), 0LL, n - 1);
        };
        const long long cx0 = at(r.x0, region_.x0, nx_), cx1 = at(r.x1, region_.x0, nx_);
        const long long cy0 = at(r.y0, region_.y0, ny_), cy1 = at(r.y1, region_.y0, ny_);
        for (long long cy = cy0; cy <= cy1; ++cy) {
            for (long long cx = cx0; cx <= cx1; ++cx) f(static_cast<std::size_t>(cy * nx_ + cx));
        }
    }

    Rect region_;
    double cell_ = 1;
    long long nx_ = 1, ny_ = 1;
    std::vector<std::uint32_t> start_, ids_;
    std::vector<unsigned> stamp_;
    unsigned tick_ = 0;
};

// What moves as one: a text alone, a call-out (its mark, ring and size), a label with its ring.
// At most three members, kept in place.
struct Members {
    std::array<std::uint32_t, 3> id{};
    std::size_t n = 0;
    void push_back(std::uint32_t i) { id[n++] = i; }
    std::uint32_t front() const { return id[0]; }
    const std::uint32_t* begin() const { return id.data(); }
    const std::uint32_t* end() const { return id.data() + n; }
};

struct Group {
    Members members;
    std::vector<std::pair<std::uint32_t, bool>> carried;  // a line and which end (false: a, true: b)
    int frame = -1;
    Point anchor;       // where a leader ends at it: a call-out's point below its mark, a text's insertion point
    Point along{1, 0};  // the direction of its first text
    double step = 25;   // of the search
};

constexpr double kAttach = 5;       // how near a leader's end lies to the point of what it points to
constexpr double kLeader = 200;     // no shorter line is a leader (a tick, an arrowhead's stroke)
constexpr int kNearRings = 24;      // rings a step apart
constexpr int kFarRings = 24;       // then rings three steps apart
constexpr double kSpare = 1;        // clearance for the rounding of moved coordinates
constexpr double kCell = 1000;      // of the grid

class Pass {
public:
    Pass(std::span<const SheetItem> items, const SheetFrames& frames)
        : items_(items), frames_(frames), moves_(items.size()), box_(items.size()), glyphs_(items.size(), 0),
          bounds_(items.size()), group_of_(items.size(), -1) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].kind == Kind::text) glyphs_[i] = glyph_box(items[i], 0, items[i].text.size(), box_[i]);
            bounds_[i] = rect(i);
        }
        form_groups();
    }

    OverlapOutcome run() {
        OverlapOutcome out;
        // What can lie over something, the texts and the rings, in a grid of their own; every other
        // item meets them there once.
        std::vector<std::uint32_t> marks;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (glyphs_[i] || ring(i)) marks.push_back(static_cast<std::uint32_t>(i));
        }
        if (marks.empty()) return out;
        marks_ = std::make_unique<Grid>(marks, bounds_, kCell);
        const std::vector<int> colliding = find_colliding();
        out.collided = static_cast<int>(colliding.size());
        if (colliding.empty()) return out;
        // The lines and bars within reach of a search, in a grid of their own.
        build_obstacles(colliding);
        for (const int g : colliding) {
            Group& group = groups_[static_cast<std::size_t>(g)];
            const Rect r = group_rect(group);
            group.frame = frame_index((r.x0 + r.x1) / 2, (r.y0 + r.y1) / 2);
            attach_leaders(group);
            if (!collides(group, {0, 0})) {
                ++out.cleared;  // what it lay over moved away
                continue;
            }
            if (search(group)) ++out.cleared;
        }
        out.moves = std::move(moves_);
        return out;
    }

private:
    // ---- where things are now ----
    Point moved(Point p, Point d) const { return {p.x + d.x, p.y + d.y}; }
    Box box(std::size_t i) const { return box_[i].moved(moves_[i].a); }
    Point end_a(std::size_t i) const { return moved(items_[i].a, moves_[i].a); }
    Point end_b(std::size_t i) const { return moved(items_[i].b, moves_[i].b); }
    bool ring(std::size_t i) const { return items_[i].kind == Kind::circle && items_[i].radius >= kCalloutRingRadius; }
    Rect rect(std::size_t i) const {
        const SheetItem& it = items_[i];
        switch (it.kind) {
        case Kind::text: return glyphs_[i] ? box(i).rect() : Rect{it.a.x, it.a.y, it.a.x, it.a.y};
        case Kind::line: return rect_of(end_a(i), end_b(i));
        case Kind::circle: {
            const Point c = end_a(i);
            return {c.x - it.radius, c.y - it.radius, c.x + it.radius, c.y + it.radius};
        }
        }
        return {};
    }

    // Everything near r: from the grids where it was drawn, and what has moved since, where it is now.
    template <typename F>
    void near(const Rect& r, F&& f) {
        const Rect in = r.grown(1e-9);
        const auto visit = [&](std::uint32_t id) {
            if (!moved_flag(id) && bounds_[id].overlaps(in)) f(id);
        };
        marks_->query(r, visit);
        if (obstacles_) obstacles_->query(r, visit);
        for (const std::uint32_t id : moved_list_) {
            if (bounds_[id].overlaps(in)) f(id);
        }
    }
    bool moved_flag(std::size_t i) const { return moves_[i].moved(); }

    // ---- groups ----
    void form_groups() {
        const std::size_t n = items_.size();
        for (std::size_t i = 0; i < n; ++i) {
            const SheetItem& it = items_[i];
            if (it.fixed || group_of_[i] >= 0) continue;
            Group g;
            if (it.kind == Kind::text && glyphs_[i]) {
                g.members.push_back(static_cast<std::uint32_t>(i));
                g.anchor = it.a;
                // A label's ring follows it; a call-out's size follows the ring, 600 right and 125 down.
                if (i + 1 < n && ring(i + 1) && !items_[i + 1].fixed) {
                    g.members.push_back(static_cast<std::uint32_t>(i + 1));
                    if (i + 2 < n) {
                        const SheetItem& s = items_[i + 2];
                        if (s.kind == Kind::text && !s.fixed && glyphs_[i + 2] && std::fabs(s.a.x - it.a.x - 600) < 1 &&
                            std::fabs(it.a.y - s.a.y - 125) < 1) {
                            g.members.push_back(static_cast<std::uint32_t>(i + 2));
                            g.anchor = {s.a.x - 600, s.a.y};
                        }
                    }
                }
                // A title and the scale stated beside it, on its baseline, stay together.
                if (g.members.n == 1 && scale_beside(i, i + 1)) g.members.push_back(static_cast<std::uint32_t>(i + 1));
                g.along = {box_[i].ux, box_[i].uy};
                g.step = std::max(25.0, it.height / 4);
            } else if (ring(i)) {
                g.members.push_back(static_cast<std::uint32_t>(i));
                g.anchor = it.a;
                g.step = std::max(25.0, it.radius / 4);
            } else {
                continue;
            }
            for (const std::uint32_t m : g.members) group_of_[m] = static_cast<int>(groups_.size());
            groups_.push_back(g);
        }
    }

    bool scale_beside(std::size_t title, std::size_t next) const {
        if (next >= items_.size()) return false;
        const SheetItem& t = items_[title];
        const SheetItem& s = items_[next];
        if (s.kind != Kind::text || s.fixed || !glyphs_[next] || s.rotation != t.rotation) return false;
        if (!s.text.starts_with("S=1:") && s.text != kNotToScale) return false;
        const Point l = box_[title].local(s.a);
        return std::fabs(l.y - box_[title].local(t.a).y) < 1;
    }

    Rect group_rect(const Group& g) const {
        Rect r = bounds_[g.members.front()];
        for (const std::uint32_t m : g.members) r.cover(bounds_[m]);
        return r;
    }

    int frame_index(double x, double y) const {
        for (std::size_t f = 0; f < frames_.size(); ++f) {
            const SheetFrame& s = frames_[f];
            if (x >= s.x && x <= s.x + s.width && y >= s.y && y <= s.y + s.height) return static_cast<int>(f);
        }
        return -1;
    }

    bool same_group(std::size_t a, std::size_t b) const { return group_of_[a] >= 0 && group_of_[a] == group_of_[b]; }

    // A line runs through a text unless it ends at it.
    bool line_through_text(std::size_t line, std::size_t text) const {
        const Box b = box(text);
        const double margin = items_[text].height / 2;
        return !near_box(b, end_a(line), margin) && !near_box(b, end_b(line), margin) &&
               segment_through(b, end_a(line), end_b(line));
    }

    // ---- finding what collides: every item against the texts and rings near it ----
    std::vector<int> find_colliding() {
        std::vector<bool> hit(groups_.size(), false);
        const auto mark_hit = [&](std::size_t i) {
            if (group_of_[i] >= 0) hit[static_cast<std::size_t>(group_of_[i])] = true;
        };
        for (std::size_t i = 0; i < items_.size(); ++i) {
            const SheetItem& it = items_[i];
            const Rect& r = bounds_[i];
            marks_->query(r, [&](std::uint32_t j) {
                if (j == i || same_group(i, j) || !bounds_[j].overlaps(r)) return;
                bool over = false;
                if (glyphs_[j]) {
                    if (it.kind == Kind::line) over = line_through_text(i, j);
                    else if (it.kind == Kind::circle) over = circle_over(box_[j], it.a, it.radius);
                    else over = j > i && glyphs_[i] && boxes_overlap(box_[i], box_[j]);
                } else if (it.kind == Kind::circle && ring(i)) {
                    over = j > i && std::hypot(it.a.x - items_[j].a.x, it.a.y - items_[j].a.y) < it.radius + items_[j].radius;
                }
                if (over) {
                    mark_hit(i);
                    mark_hit(j);
                }
            });
        }
        std::vector<int> out;
        for (std::size_t g = 0; g < groups_.size(); ++g) {
            if (hit[g]) out.push_back(static_cast<int>(g));
        }
        return out;
    }

    // The lines and bars near enough a colliding group to stand in the way of its search: those that
    // touch a cell of a coarse raster of the searches' reaches.
    void build_obstacles(const std::vector<int>& colliding) {
        Rect region{1e300, 1e300, -1e300, -1e300};
        std::vector<Rect> reach;
        for (const int g : colliding) {
            const Group& group = groups_[static_cast<std::size_t>(g)];
            const double far = group.step * (kNearRings + 3 * kFarRings) + kAttach;
            reach.push_back(group_rect(group).grown(far));
            region.cover(reach.back());
        }
        const double cell = std::max(kCell, std::max(region.x1 - region.x0, region.y1 - region.y0) / 1024);
        const auto nx = static_cast<long long>((region.x1 - region.x0) / cell) + 1;
        const auto ny = static_cast<long long>((region.y1 - region.y0) / cell) + 1;
        std::vector<char> marked(static_cast<std::size_t>(nx * ny), 0);
        const auto cells = [&](const Rect& r, auto&& f) {
            if (r.x1 < region.x0 || r.x0 > region.x1 || r.y1 < region.y0 || r.y0 > region.y1) return;
            const auto at = [&](double v, double lo, long long n) {
                return std::clamp(static_cast<long long>((v - lo) / cell), 0LL, n - 1);
            };
            for (long long cy = at(r.y0, region.y0, ny); cy <= at(r.y1, region.y0, ny); ++cy) {
                for (long long cx = at(r.x0, region.x0, nx); cx <= at(r.x1, region.x0, nx); ++cx) {
                    if (f(static_cast<std::size_t>(cy * nx + cx))) return;
                }
            }
        };
        for (const Rect& r : reach) cells(r, [&](std::size_t c) { return (marked[c] = 1, false); });
        std::vector<std::uint32_t> kept;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (glyphs_[i] || ring(i)) continue;
            bool in = false;
            cells(bounds_[i], [&](std::size_t c) { return in = marked[c] != 0; });
            if (in) kept.push_back(static_cast<std::uint32_t>(i));
        }
        obstacles_ = std::make_unique<Grid>(kept, bounds_, kCell);
    }

    // The leaders and arrows that end at a group's point: carried along where it moves.
    void attach_leaders(Group& g) {
        const Rect at{g.anchor.x - kAttach, g.anchor.y - kAttach, g.anchor.x + kAttach, g.anchor.y + kAttach};
        near(at, [&](std::uint32_t i) {
            if (items_[i].kind != Kind::line || items_[i].fixed) return;
            const Point p = end_a(i), q = end_b(i);
            if (std::hypot(q.x - p.x, q.y - p.y) < kLeader) return;
            for (const bool end_b_side : {false, true}) {
                const Point e = end_b_side ? q : p;
                if (std::fabs(e.x - g.anchor.x) > kAttach || std::fabs(e.y - g.anchor.y) > kAttach) continue;
                if (!carried_by(g, i)) g.carried.push_back({i, end_b_side});
                return;
            }
        });
    }

    bool carried_by(const Group& g, std::size_t line) const {
        return std::any_of(g.carried.begin(), g.carried.end(), [&](const auto& c) { return c.first == line; });
    }

    // Whether the group moved by d lies over anything, leaves its frame or reaches its title block.
    bool collides(const Group& g, Point d) {
        const int gi = group_of_[g.members.front()];
        // First what costs least: the frame and its title block.
        if (g.frame >= 0 && (d.x != 0 || d.y != 0)) {
            const Rect whole = group_rect(g).moved(d).grown(kSpare);
            const SheetFrame& f = frames_[static_cast<std::size_t>(g.frame)];
            if (whole.x0 < f.x || whole.y0 < f.y || whole.x1 > f.x + f.width || whole.y1 > f.y + f.height) return true;
            const Extent t = title_block_area(f);
            if (whole.overlaps({t.x0, t.y0, t.x1, t.y1})) return true;
        }
        for (const std::uint32_t m : g.members) {
            const Rect r = bounds_[m].moved(d).grown(kSpare);
            bool hit = false;
            if (glyphs_[m]) {
                const Box at = box(m).moved(d);
                // A unit to spare: the files write each moved coordinate rounded to whole units.
                const Box b = grown(at, kSpare);
                // A line ends at the text by the glyphs' own measure, the spare taken off again.
                const double margin = items_[m].height / 2 - 2 * kSpare;
                near(r, [&](std::uint32_t j) {
                    if (hit || group_of_[j] == gi) return;
                    const SheetItem& o = items_[j];
                    if (o.kind == Kind::text) {
                        hit = glyphs_[j] && boxes_overlap(b, box(j));
                    } else if (o.kind == Kind::line) {
                        if (carried_by(g, j)) return;
                        const Point p = end_a(j), q = end_b(j);
                        hit = !near_box(at, p, margin) && !near_box(at, q, margin) && segment_through(b, p, q);
                    } else {
                        hit = circle_over(b, end_a(j), o.radius);
                    }
                });
            } else {
                const Point c = moved(end_a(m), d);
                const double r0 = items_[m].radius + kSpare;
                near(r, [&](std::uint32_t j) {
                    if (hit || group_of_[j] == gi) return;
                    if (glyphs_[j]) hit = circle_over(box(j), c, r0);
                    else if (ring(j)) hit = std::hypot(c.x - end_a(j).x, c.y - end_a(j).y) < r0 + items_[j].radius;
                });
            }
            if (hit) return true;
        }
        // A carried leader, stretched, runs through no text, its own group's (moved) included.
        for (const auto& [line, at_b] : g.carried) {
            const Point p = at_b ? end_a(line) : moved(end_a(line), d);
            const Point q = at_b ? moved(end_b(line), d) : end_b(line);
            const auto through = [&](const Box& b, double height) {
                const double margin = height / 2 - 2 * kSpare;
                return !near_box(b, p, margin) && !near_box(b, q, margin) && segment_through(grown(b, kSpare), p, q);
            };
            bool hit = false;
            for (const std::uint32_t m : g.members) hit = hit || (glyphs_[m] && through(box(m).moved(d), items_[m].height));
            near(rect_of(p, q).grown(kSpare), [&](std::uint32_t j) {
                if (hit || !glyphs_[j] || group_of_[j] == gi) return;
                hit = through(box(j), items_[j].height);
            });
            if (hit) return true;
        }
        return false;
    }

    // The first place, ring by ring, that is clear; the group and its leaders go there.
    bool search(Group& g) {
        const Point u = g.along, v{-g.along.y, g.along.x};
        const double k = std::numbers::sqrt2 / 2;
        const Point dirs[] = {u,
                              {-u.x, -u.y},
                              v,
                              {-v.x, -v.y},
                              {(u.x + v.x) * k, (u.y + v.y) * k},
                              {(-u.x + v.x) * k, (-u.y + v.y) * k},
                              {(u.x - v.x) * k, (u.y - v.y) * k},
                              {(-u.x - v.x) * k, (-u.y - v.y) * k}};
        for (int ringno = 1; ringno <= kNearRings + kFarRings; ++ringno) {
            const double reach = ringno <= kNearRings ? ringno : kNearRings + 3.0 * (ringno - kNearRings);
            for (const Point& dir : dirs) {
                const Point d{std::round(dir.x * g.step * reach), std::round(dir.y * g.step * reach)};
                if ((d.x == 0 && d.y == 0) || collides(g, d)) continue;
                apply(g, d);
                return true;
            }
        }
        return false;
    }

    void apply(const Group& g, Point d) {
        const auto now_moved = [&](std::uint32_t i) {
            if (!moved_flag(i)) moved_list_.push_back(i);
        };
        for (const std::uint32_t m : g.members) {
            now_moved(m);
            moves_[m].a = d;
            bounds_[m] = rect(m);
        }
        for (const auto& [line, at_b] : g.carried) {
            now_moved(line);
            (at_b ? moves_[line].b : moves_[line].a) = d;
            bounds_[line] = rect(line);
        }
    }

    std::span<const SheetItem> items_;
    const SheetFrames& frames_;
    std::vector<ItemMove> moves_;
    std::vector<Box> box_;
    std::vector<char> glyphs_;
    std::vector<Rect> bounds_;  // where each item lies now
    std::vector<int> group_of_;
    std::vector<Group> groups_;
    std::unique_ptr<Grid> marks_;      // the texts and rings
    std::unique_ptr<Grid> obstacles_;  // the lines and bars within reach of a search
    std::vector<std::uint32_t> moved_list_;
};

}  // namespace

OverlapOutcome clear_overlaps(std::span<const SheetItem> items, const SheetFrames& frames) {
    return Pass(items, frames).run();
}

}  // namespace lwall
