#include "drawings/wall/wall_horizontal_bars.hpp"

#include <algorithm>
#include <cmath>

#include "core/bar_rules.hpp"
#include "output/primitives/primitives.hpp"

namespace lwall {

HorizontalRun horizontal_run(const WallInput& w) {
    HorizontalRun r;
    r.x_left = w.end_cover_left - w.length_left;
    r.x_right = w.length_right - w.end_cover_right;
    r.length = run_along_wall(w);
    return r;
}

namespace {

// The group whose rows reach the higher end and the one that stops at the lower end. With the
// left end at least as high, W4 reaches higher and W3 stops lower; otherwise the other way.
const BarGroup& higher_end_group(const WallInput& w) { return w.height_left >= w.height_right ? w.W4 : w.W3; }
const BarGroup& lower_end_group(const WallInput& w) { return w.height_left >= w.height_right ? w.W3 : w.W4; }

// Draws one face's bars and writes its rows; the state of one face while it is laid out.
class FaceRows {
public:
    FaceRows(RunContext& ctx, WallFace face, WallHorizontalBars& bars)
        : ctx_(ctx), w_(ctx.input), face_(face), bars_(bars),
          g_(face == WallFace::back ? ctx.input.W3 : ctx.input.W4),
          name_(face == WallFace::back ? "W3" : "W4"),
          size_(bar_size_string(g_.dia)),
          origin_(wall_face_origin(ctx, face)) {}

    void draw() {
        const HorizontalRun run = horizontal_run(w_);
        const double max_len = w_.max_bar_length;
        const bool sloped = wall_top_slopes(w_);
        const bool two_piece = std::fabs(run.length) > max_len;
        set_origin(ctx_.canvas, origin_.x, origin_.y);
        pen_select_layer(ctx_, "D-STR-STR1");
        if (face_ == WallFace::back) ctx_.handed.w3_piece_count = two_piece ? 2 : 1;

        // Second piece of a two-piece row. A run that fits gives the full length here, so that a
        // sloped row always starts with a whole bar (also when the run equals the maximum exactly).
        const double f = two_piece ? lapped_second_piece(run.length, max_len, g_.dia) : max_len;

        // 1. The full-length rows, from the row at cover1 up through the zones. On a
        // sloped top only zone 1 runs full length. The rows above the first take the counts of
        // the lower-end group (on a level top the back face W4's, the front face W3's) and the
        // pitches of the face's own mark.
        if (sloped) g_.zones = 1;
        const BarGroup& counts = sloped ? lower_end_group(w_) : (face_ == WallFace::back ? w_.W4 : w_.W3);
        int row_number = 0;
        auto full_row = [&](double y) {
            ++row_number;
            if (!two_piece) {
                if (row_number == 1) line({run.x_right, y}, {run.x_left, y});
                else line({run.x_left, y}, {run.x_right, y});
                return;
            }
            // Laps alternate: odd rows have the long piece at the left end, even rows at the
            // right end; the second piece lies one diameter lower. Both pieces are measured from
            // their own bar end, so they keep their lengths whatever side of the reference point
            // the middle of the run lies on.
            const double low = y - g_.dia;
            if (row_number % 2 == 1) {
                line({run.x_left + max_len, y}, {run.x_left, y});
                line({run.x_right, low}, {run.x_right - f, low});
            } else {
                line({run.x_right - max_len, y}, {run.x_right, y});
                line({run.x_left, low}, {run.x_left + f, low});
            }
        };
        full_row(w_.cover1);
        double y = w_.footing_thickness - w_.cover2;
        full_row(y);
        for (int i = 1; i <= g_.zones; ++i) {
            for (int j = 1; j <= counts.count[i]; ++j) {
                y += g_.pitch[i];
                full_row(y);
            }
        }

        // 2. Their rows: 7 and 8 on the back face, right after the last W3 row on the front face.
        const int count = w_.W4.count[1] < w_.W3.count[1] ? w_.W4.count[1] + w_.W4.count[2] + 1
                                                           : w_.W3.count[1] + w_.W3.count[2] + 1;
        row_ = face_ == WallFace::back ? BarList::kFirstPieceRow : bars_.last_back_row + 1;
        if (!two_piece) {
            put_row(name_ + "-1", count, run.length);
            if (face_ == WallFace::back) {
                // Row 8 holds the W4 full row without a mark (not printed); on a level top the
                // W4 row takes its place.
                ScheduleRow& twin = ctx_.bar_list.piece(row_);
                twin.count = count;
                twin.len1 = twin.total_length = run.length;
                twin.unit_mass = bar_unit_mass(w_.W4.dia);
                row_ = BarList::kFirstPieceRow + 2;
            }
            counter_ = 2;
        } else {
            put_row(name_ + "-1", count, std::floor(max_len));
            put_row(name_ + "-2", count, std::floor(f));
            record_splice(name_ + "-1", name_ + "-2", max_len + f - run.length);
            counter_ = 3;
        }

        if (!sloped) {
            finish();
            return;
        }

        // 3. The rows under the sloped top, continuing the alternation of the laps.
        const std::vector<SlopedRow> rows = wall_sloped_rows(w_);
        ctx_.handed.sloped_row_count = static_cast<int>(rows.size());
        SlopedRows& record = face_ == WallFace::back ? ctx_.handed.sloped_back : ctx_.handed.sloped_front;
        record.length.clear();
        record.pieces.clear();
        const int lower_rows = lower_end_group(w_).count[1];
        const bool start_left = w_.height_left > w_.height_right;
        const double dir = start_left ? 1.0 : -1.0;
        for (int k = 1; k <= static_cast<int>(rows.size()); ++k) {
            const SlopedRow& r = rows[k - 1];
            // Counting the row at cover1 as row 1, sloped row k is row 2 + (lower-end rows) + k.
            const bool long_piece_left = (2 + lower_rows + k) % 2 == 1;
            const double first = long_piece_left == start_left ? max_len : f;
            // A row that one bar spans is one piece. So is a row whose second piece would be as long as
            // the row itself (a short row starting with the short piece): split, that piece would
            // run out past the higher end of the wall.
            const double second = lapped_second_piece(r.length, first, g_.dia);
            const bool one_piece = r.length <= first || second >= r.length;
            record.length.push_back(r.length);
            record.pieces.push_back(one_piece ? 1 : 2);
            if (one_piece) {
                line({r.x_start, r.y}, {r.x_end, r.y});
                callout_row(std::floor(r.length), {r.x_start, r.y}, {r.x_end, r.y});
                continue;
            }
            const double low = r.y - g_.dia;
            line({r.x_start, r.y}, {r.x_start + dir * first, r.y});
            line({r.x_end, low}, {r.x_end - dir * second, low});
            const std::string first_mark = callout_row(std::floor(first), {r.x_start, r.y}, {r.x_start + dir * first, r.y});
            const std::string second_mark = callout_row(std::floor(second), {r.x_end, low}, {r.x_end - dir * second, low});
            record_splice(first_mark, second_mark, first + second - r.length);
        }

        // 4. The bar along the sloped top, parallel to it under the top cover, starting at
        // the higher end; a second piece starts at the lower end, one diameter lower.
        const double rise = w_.height_right - w_.height_left;
        const double ls = std::floor(std::sqrt(run.length * run.length + rise * rise));
        const bool left_higher = w_.height_left > w_.height_right;
        const double xs = left_higher ? run.x_left : run.x_right;
        const double xf = left_higher ? run.x_right : run.x_left;
        auto top = [&](double x) { return wall_outline_top(w_, x) - w_.cover_wall_top; };
        if (ls > max_len) {
            const double second = lapped_second_piece(ls, max_len, g_.dia);
            const double xa = xs + (xf - xs) * (max_len / ls);
            const double xb = xf - (xf - xs) * std::min(1.0, second / ls);
            line({xs, top(xs)}, {xa, top(xa)});
            line({xf, top(xf) - g_.dia}, {xb, top(xb) - g_.dia});
            const std::string first_mark = callout_row(max_len, {xs, top(xs)}, {xa, top(xa)});
            const std::string second_mark = callout_row(second, {xf, top(xf) - g_.dia}, {xb, top(xb) - g_.dia});
            record_splice(first_mark, second_mark, max_len + second - ls);
        } else {
            line({xs, top(xs)}, {xf, top(xf)});
            callout_row(ls, {xs, top(xs)}, {xf, top(xf)});
        }
        finish();
    }

private:
    void line(Point a, Point b) { draw_polyline(ctx_.canvas, {a, b}); }

    // Writes the next row of this face.
    void put_row(const std::string& mark, int count, double length) {
        ScheduleRow& r = ctx_.bar_list.piece(row_);
        r.mark = mark;
        r.shape_code = "5";
        r.size_text = size_;
        r.count = count;
        r.len1 = r.total_length = length;
        r.unit_mass = bar_unit_mass(g_.dia);
        last_row_ = row_;
        ++row_;
    }

    // One piece under the sloped top: its own row and a call-out at the middle of its line. Returns
    // the piece's mark.
    std::string callout_row(double length, Point a, Point b) {
        const std::string mark = name_ + "-" + std::to_string(counter_++);
        put_row(mark, 1, length);
        bars_.callouts.push_back({{(a.x + b.x) / 2 + origin_.x, (a.y + b.y) / 2 + origin_.y}, mark, size_});
        return mark;
    }

    // Two pieces of one bar overlapping by `overlap`, for the check against the stated lap.
    void record_splice(const std::string& first, const std::string& second, double overlap) {
        ctx_.handed.laps.push_back(
            {BarLap::Kind::splice, first, second, overlap, stated_lap_length(g_.dia), 0, g_.dia});
    }

    void finish() {
        if (face_ == WallFace::back) bars_.last_back_row = last_row_;
    }

    RunContext& ctx_;
    const WallInput& w_;
    WallFace face_;
    WallHorizontalBars& bars_;
    BarGroup& g_;
    std::string name_;
    std::string size_;
    Point origin_;
    int row_ = 0;
    int last_row_ = 0;
    int counter_ = 1;
};

}  // namespace

std::vector<SlopedRow> wall_sloped_rows(const WallInput& w) {
    std::vector<SlopedRow> rows;
    if (!wall_top_slopes(w)) return rows;
    const HorizontalRun run = horizontal_run(w);
    const BarGroup& hg = higher_end_group(w);
    const BarGroup& lg = lower_end_group(w);
    const int d1 = hg.count[1] - lg.count[1];
    const int d2 = hg.count[2] - lg.count[2];
    const double base = w.footing_thickness - w.cover2;
    const double top_left = w.footing_thickness + w.height_left - w.cover_wall_top;
    const double top_right = w.footing_thickness + w.height_right - w.cover_wall_top;
    const bool start_left = w.height_left > w.height_right;
    const double xs = start_left ? run.x_left : run.x_right;
    const double xf = start_left ? run.x_right : run.x_left;
    const double dir = start_left ? 1.0 : -1.0;
    for (int k = 1; k <= d1 + d2; ++k) {
        const double y = k > d1 ? base + hg.count[1] * hg.pitch[1] + (k - d1) * hg.pitch[2]
                                : base + (lg.count[1] + k) * hg.pitch[1];
        // Where the line under the top cover, from (xL, F) to (xR, H), reaches the row; a sloped
        // top has F != H.
        double x_end = run.x_left + (y - top_left) * (run.x_left - run.x_right) / (top_left - top_right);
        // The length is measured toward the lower end: a row at or above the top of the higher
        // end comes out 100 or less (even negative) and ends the rows.
        double reach = (x_end - xs) * dir;
        if (!start_left) reach = std::floor(reach);
        if (reach <= 100) break;
        // A row still below the top of the lower end runs the whole way.
        if (reach > (xf - xs) * dir) {
            x_end = xf;
            reach = start_left ? (xf - xs) * dir : std::floor((xf - xs) * dir);
        }
        rows.push_back({y, xs, x_end, reach});
    }
    return rows;
}

void draw_wall_horizontal_bars(RunContext& ctx, WallFace face, WallHorizontalBars& bars) {
    FaceRows(ctx, face, bars).draw();
}

}  // namespace lwall
