#include "core/sheet_frames.hpp"

#include <algorithm>
#include <cmath>

#include "core/title_block.hpp"

namespace lwall {

int frame_holding(const SheetFrames& frames, double x, double y) {
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const SheetFrame& f = frames[i];
        if (!(f.scale > 0) || !std::isfinite(1 / f.scale)) continue;
        if (x >= f.x && x <= f.x + f.width && y >= f.y && y <= f.y + f.height) return static_cast<int>(i);
    }
    return -1;
}

SheetFrame frame_at(int number, double x, double scale) {
    return {number, x, 0, kFramePaperWidth * scale, kFramePaperHeight * scale, scale};
}

void Extent::cover(double x, double y) {
    if (empty) {
        x0 = x1 = x;
        y0 = y1 = y;
        empty = false;
        return;
    }
    x0 = std::min(x0, x);
    x1 = std::max(x1, x);
    y0 = std::min(y0, y);
    y1 = std::max(y1, y);
}

void Extent::cover(const Extent& e) {
    if (e.empty) return;
    cover(e.x0, e.y0);
    cover(e.x1, e.y1);
}

bool Extent::overlaps(const Extent& e) const {
    return !empty && !e.empty && x0 < e.x1 && e.x0 < x1 && y0 < e.y1 && e.y0 < y1;
}

bool Extent::holds(const Extent& e) const {
    return !empty && !e.empty && e.x0 >= x0 && e.x1 <= x1 && e.y0 >= y0 && e.y1 <= y1;
}

Extent title_block_area(const SheetFrame& f) {
    Extent e;
    e.cover(f.x + f.width - kTitleBlockWidth * f.scale, f.y);
    e.cover(f.x + f.width, f.y + kTitleBlockHeight * f.scale);
    return e;
}

namespace {

// Whole drawing units, so that a block moved by a whole offset keeps every position it had.
Extent outward(const Extent& e) {
    Extent r;
    r.cover(std::floor(e.x0), std::floor(e.y0));
    r.cover(std::ceil(e.x1), std::ceil(e.y1));
    return r;
}

// One frame, or the room frame 1's views leave, being filled: each block at the highest place that
// is clear, the leftmost there, never above the block before it nor left of it at its height, so
// that the blocks read in their order, top to bottom and left to right. Blocks keep the gap from
// each other, from what the room holds already (the title block, frame 1's views) and stay in it.
class FrameRoom {
public:
    FrameRoom(const SheetFrame& f, const Extent& room, std::vector<Extent> taken)
        : frame_(f), room_(room), gap_(kBlockGap * f.scale), taken_(std::move(taken)), top_limit_(room.y1),
          row_x_(room.x0) {}

    const SheetFrame& frame() const { return frame_; }

    // Where the lower left corner of a block of size w x h goes, or false when the room is full. A
    // heading ends its row: what follows it starts below it.
    bool place(double w, double h, bool heading, double& x, double& y) {
        std::vector<double> tops{room_.y1};
        for (const Extent& t : taken_) tops.push_back(t.y0 - gap_);
        std::sort(tops.begin(), tops.end(), std::greater<>());
        for (const double top : tops) {
            if (top > top_limit_ + kSame || top > room_.y1 + kSame) continue;
            const double bottom = top - h;
            if (bottom < room_.y0 - kSame) break;
            double at = std::fabs(top - top_limit_) <= kSame ? row_x_ : room_.x0;
            // What stands in the band of the block, by its left edge.
            std::vector<std::pair<double, double>> blocked;
            for (const Extent& t : taken_) {
                if (t.y0 - gap_ < top - kSame && t.y1 + gap_ > bottom + kSame) blocked.push_back({t.x0 - gap_, t.x1 + gap_});
            }
            std::sort(blocked.begin(), blocked.end());
            for (const auto& [b0, b1] : blocked) {
                if (b0 >= at + w - kSame) break;
                at = std::max(at, b1);
            }
            if (at + w > room_.x1 + kSame) continue;
            x = at;
            y = bottom;
            Extent placed;
            placed.cover(x, y);
            placed.cover(x + w, top);
            taken_.push_back(placed);
            top_limit_ = heading ? bottom - gap_ : top;
            row_x_ = heading ? room_.x0 : x + w + gap_;
            return true;
        }
        return false;
    }

private:
    static constexpr double kSame = 1e-6;
    SheetFrame frame_;
    Extent room_;
    double gap_;
    std::vector<Extent> taken_;
    double top_limit_, row_x_;
};

// A frame inside its margin.
Extent inside_margin(const SheetFrame& f) {
    const double margin = kFrameMargin * f.scale;
    Extent e;
    e.cover(f.x + margin, f.y + margin);
    e.cover(f.x + f.width - margin, f.y + f.height - margin);
    return e;
}

}  // namespace

Extent largest_clear_room(const SheetFrame& frame, std::span<const Extent> taken) {
    const Extent inside = inside_margin(frame);
    const double gap = kBlockGap * frame.scale;
    std::vector<Extent> grown;
    for (const Extent& t : taken) {
        if (t.empty) continue;
        Extent g;
        g.cover(t.x0 - gap, t.y0 - gap);
        g.cover(t.x1 + gap, t.y1 + gap);
        grown.push_back(g);
    }
    std::vector<double> xs{inside.x0, inside.x1}, ys{inside.y0, inside.y1};
    for (const Extent& g : grown) {
        for (const double x : {g.x0, g.x1}) {
            if (x > inside.x0 && x < inside.x1) xs.push_back(x);
        }
        for (const double y : {g.y0, g.y1}) {
            if (y > inside.y0 && y < inside.y1) ys.push_back(y);
        }
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    Extent best;
    double best_area = 0;
    for (std::size_t a = 0; a < xs.size(); ++a) {
        for (std::size_t b = a + 1; b < xs.size(); ++b) {
            for (std::size_t c = 0; c < ys.size(); ++c) {
                for (std::size_t d = c + 1; d < ys.size(); ++d) {
                    const double area = (xs[b] - xs[a]) * (ys[d] - ys[c]);
                    if (area <= best_area) continue;
                    Extent r;
                    r.cover(xs[a], ys[c]);
                    r.cover(xs[b], ys[d]);
                    if (std::any_of(grown.begin(), grown.end(), [&](const Extent& g) { return g.overlaps(r); })) continue;
                    best = r;
                    best_area = area;
                }
            }
        }
    }
    return best;
}

BlockPlacement place_blocks(std::span<const BlockToPlace> blocks, const SheetFrame& next, const SheetFrame* first,
                            std::span<const Extent> first_taken) {
    BlockPlacement out;
    // The room frame 1 leaves, then `next` and the frames after it, each opened when the one before
    // is full.
    std::vector<FrameRoom> rooms;
    if (first != nullptr) {
        std::vector<Extent> taken(first_taken.begin(), first_taken.end());
        taken.push_back(title_block_area(*first));
        const Extent room = largest_clear_room(*first, taken);
        if (!room.empty) rooms.emplace_back(*first, room, taken);
    }
    const double scale = next.scale;
    const auto open = [&](double frame_scale) {
        if (rooms.empty() || rooms.back().frame().number < next.number) {
            SheetFrame f = frame_scale == next.scale ? next : frame_at(next.number, next.x, frame_scale);
            rooms.emplace_back(f, inside_margin(f), std::vector<Extent>{title_block_area(f)});
            return;
        }
        const SheetFrame& last = rooms.back().frame();
        const SheetFrame f = frame_at(last.number + 1, last.x + last.width + kFrameGap, frame_scale);
        rooms.emplace_back(f, inside_margin(f), std::vector<Extent>{title_block_area(f)});
    };
    bool tables_started = false;
    for (const BlockToPlace& b : blocks) {
        const Extent e = outward(b.extent);
        // A block that drew nothing stays; so does one with a number that is not finite, which the
        // writers then refuse.
        if (b.extent.empty || !std::isfinite(e.width()) || !std::isfinite(e.height())) {
            out.dx.push_back(0);
            out.dy.push_back(0);
            out.placed.push_back({});
            out.frame.push_back(0);
            continue;
        }
        // The first table of a sheet drawn at a large scale opens a frame at the scale of tables.
        if (b.role == BlockRole::table && !tables_started) {
            tables_started = true;
            if (scale > kLargestScaleForTables) open(kTableScale);
        }
        const bool heading = b.role == BlockRole::heading;
        double x = 0, y = 0;
        if (rooms.empty() || !rooms.back().place(e.width(), e.height(), heading, x, y)) {
            // A new frame at the scale of the last; larger when even an empty one cannot hold the block.
            double frame_scale = rooms.empty() || rooms.back().frame().number < next.number ? scale : rooms.back().frame().scale;
            for (;;) {
                open(frame_scale);
                if (rooms.back().place(e.width(), e.height(), heading, x, y)) break;
                rooms.pop_back();
                frame_scale += 10;
            }
        }
        out.dx.push_back(x - e.x0);
        out.dy.push_back(y - e.y0);
        Extent placed;
        placed.cover(x, y);
        placed.cover(x + e.width(), y + e.height());
        out.placed.push_back(placed);
        out.frame.push_back(rooms.back().frame().number);
    }
    for (const FrameRoom& r : rooms) {
        if (first == nullptr || r.frame().number != first->number) out.frames.push_back(r.frame());
    }
    return out;
}

namespace {

bool finite(const Extent& e) {
    return std::isfinite(e.x0) && std::isfinite(e.x1) && std::isfinite(e.y0) && std::isfinite(e.y1);
}

Extent shifted(Extent e, ViewMove m) {
    if (e.empty) return e;
    e.x0 += m.dx;
    e.x1 += m.dx;
    e.y0 += m.dy;
    e.y1 += m.dy;
    return e;
}

// The whole drawing units that bring [lo, hi] inside [min, max] with `clear` to spare; 0 when it
// lies inside already.
double move_in(double lo, double hi, double min, double max, double clear) {
    if (lo < min) return std::ceil(min + clear - lo);
    if (hi > max) return -std::ceil(hi - (max - clear));
    return 0;
}

}  // namespace

std::vector<ViewMove> mend_first_frame(std::span<const FirstFrameView> views, const SheetFrame& frame) {
    Extent border;
    border.cover(frame.x, frame.y);
    border.cover(frame.x + frame.width, frame.y + frame.height);
    const Extent title = title_block_area(frame);
    const double clear = kViewClearance * frame.scale;

    std::vector<ViewMove> moves(views.size());
    std::vector<Extent> at;
    for (const FirstFrameView& v : views) at.push_back(v.extent);
    const auto clear_of_all = [&](std::size_t i) {
        if (!border.holds(at[i]) || title.overlaps(at[i])) return false;
        for (std::size_t j = 0; j < at.size(); ++j) {
            if (j != i && at[j].overlaps(at[i])) return false;
        }
        return true;
    };

    // 1. Where a wall as long on both sides has it.
    for (std::size_t i = 0; i < views.size(); ++i) {
        const ViewMove even{std::round(views[i].even_dx), std::round(views[i].even_dy)};
        if (at[i].empty || !finite(at[i]) || !std::isfinite(even.dx) || !std::isfinite(even.dy) ||
            (even.dx == 0 && even.dy == 0) || clear_of_all(i)) {
            continue;
        }
        moves[i] = even;
        at[i] = shifted(views[i].extent, even);
    }
    // 2. In from the border.
    for (std::size_t i = 0; i < views.size(); ++i) {
        const Extent& e = at[i];
        const bool fits = e.width() <= frame.width - 2 * clear && e.height() <= frame.height - 2 * clear;
        if (e.empty || !finite(e) || border.holds(e) || !fits) continue;
        const ViewMove in{move_in(e.x0, e.x1, border.x0, border.x1, clear),
                          move_in(e.y0, e.y1, border.y0, border.y1, clear)};
        moves[i].dx += in.dx;
        moves[i].dy += in.dy;
        at[i] = shifted(at[i], in);
    }
    return moves;
}

}  // namespace lwall
