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

// One frame being filled: rows from the top left, left to right.
class FrameFill {
public:
    explicit FrameFill(const SheetFrame& f) : frame_(f) {
        const double margin = kFrameMargin * f.scale;
        gap_ = kBlockGap * f.scale;
        left_ = f.x + margin;
        right_ = f.x + f.width - margin;
        bottom_ = f.y + margin;
        top_ = f.y + f.height - margin;
        keep_out_ = title_block_area(f);
        row_top_ = top_;
        row_bottom_ = top_;
        x_ = left_;
    }

    const SheetFrame& frame() const { return frame_; }
    bool empty() const { return empty_; }

    // Where the lower left corner of a block of size w x h goes, or false when the frame is full.
    bool place(double w, double h, double& x, double& y) {
        if (!row_closed_ && fits(x_, row_top_, w, h)) {
            x = x_;
        } else {
            const double next_top = empty_ ? top_ : row_bottom_ - gap_;
            if (!fits(left_, next_top, w, h)) return false;
            row_top_ = next_top;
            row_bottom_ = next_top;
            x = left_;
            row_closed_ = false;
        }
        y = row_top_ - h;
        x_ = x + w + gap_;
        row_bottom_ = std::min(row_bottom_, y);
        empty_ = false;
        return true;
    }

    // The next block starts a new row.
    void close_row() { row_closed_ = true; }

private:
    bool fits(double x, double top, double w, double h) const {
        const double bottom = top - h;
        if (x + w > right_ || bottom < bottom_) return false;
        // Clear of the title block by the gap.
        return !(x + w > keep_out_.x0 - gap_ && bottom < keep_out_.y1 + gap_);
    }

    SheetFrame frame_;
    double gap_, left_, right_, bottom_, top_;
    Extent keep_out_;
    double row_top_, row_bottom_, x_;
    bool empty_ = true;
    bool row_closed_ = false;
};

}  // namespace

BlockPlacement place_blocks(std::span<const BlockToPlace> blocks, const SheetFrame& first) {
    BlockPlacement out;
    std::vector<FrameFill> fills{FrameFill(first)};
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
            if (first.scale > kLargestScaleForTables) {
                const SheetFrame& last = fills.back().frame();
                fills.emplace_back(frame_at(last.number + 1, last.x + last.width + kFrameGap, kTableScale));
            }
        }
        double x = 0, y = 0;
        if (!fills.back().place(e.width(), e.height(), x, y)) {
            // A new frame at the scale of the last; larger when even an empty one cannot hold the block.
            const SheetFrame& last = fills.back().frame();
            double scale = last.scale;
            for (;;) {
                FrameFill fresh(frame_at(last.number + 1, last.x + last.width + kFrameGap, scale));
                if (fresh.place(e.width(), e.height(), x, y)) {
                    fills.push_back(fresh);
                    break;
                }
                scale += 10;
            }
        }
        if (b.role == BlockRole::heading) fills.back().close_row();
        out.dx.push_back(x - e.x0);
        out.dy.push_back(y - e.y0);
        Extent placed;
        placed.cover(x, y);
        placed.cover(x + e.width(), y + e.height());
        out.placed.push_back(placed);
        out.frame.push_back(fills.back().frame().number);
    }
    for (const FrameFill& f : fills) out.frames.push_back(f.frame());
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
