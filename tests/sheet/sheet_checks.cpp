#include "sheet/sheet_checks.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <sstream>
#include <unordered_map>

#include "output/entity_extent.hpp"

namespace lwall::test {

void SheetRecorder::line(const LineEntity& e) {
    SheetEntity s;
    s.kind = SheetEntity::Kind::line;
    s.layer = e.layer;
    s.width = e.width;
    s.a = {e.x1, e.y1};
    s.b = {e.x2, e.y2};
    s.extent = extent_of(e);
    entities.push_back(std::move(s));
}

void SheetRecorder::text(const TextEntity& e) {
    SheetEntity s;
    s.kind = SheetEntity::Kind::text;
    s.layer = e.layer;
    s.width = e.width;
    s.a = {e.x1, e.y1};
    s.b = {e.x2, e.y2};
    s.aligned = e.form == TextForm::aligned;
    s.extent = extent_of(e);
    entities.push_back(std::move(s));
}

void SheetRecorder::circle(const CircleEntity& e) {
    SheetEntity s;
    s.kind = SheetEntity::Kind::circle;
    s.layer = e.layer;
    s.width = e.width;
    s.a = {e.x, e.y};
    s.radius = e.radius;
    s.extent = extent_of(e);
    entities.push_back(std::move(s));
}

namespace {

using Kind = SheetEntity::Kind;

// A head drawn on the sheet is written in whole millimetres: within half a millimetre of a bar it
// is drawn on it.
constexpr double kOnBar = 0.5;
// A spacing chain runs at a height or width of its own while each bar's length follows its own
// rules, so a tick may stand off the end of the bar it marks, in line with it.
constexpr double kTickReach = 1000;

std::string where(Point p) {
    std::ostringstream s;
    s << "(" << std::lround(p.x) << ", " << std::lround(p.y) << ")";
    return s.str();
}

double length(const SheetEntity& e) { return std::hypot(e.b.x - e.a.x, e.b.y - e.a.y); }

// Distance from p to the segment a-b prolonged by `reach` at both ends.
double distance_to_segment(Point p, Point a, Point b, double reach = 0) {
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    if (len > 0 && reach > 0) {
        const double ux = (b.x - a.x) / len * reach;
        const double uy = (b.y - a.y) / len * reach;
        a = {a.x - ux, a.y - uy};
        b = {b.x + ux, b.y + uy};
    }
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The lines and dots of one layer, found by the square of 1000 mm they reach into.
class LineIndex {
public:
    LineIndex(const std::vector<SheetEntity>& e, std::string_view layer, double reach) : e_(e) {
        for (std::size_t i = 0; i < e.size(); ++i) {
            const SheetEntity& x = e[i];
            if (x.layer != layer || x.kind == Kind::text) continue;
            const double r = (x.kind == Kind::circle ? x.radius : reach) + kOnBar;
            const Point b = x.kind == Kind::circle ? x.a : x.b;
            for (long long cx = cell(std::min(x.a.x, b.x) - r); cx <= cell(std::max(x.a.x, b.x) + r); ++cx) {
                for (long long cy = cell(std::min(x.a.y, b.y) - r); cy <= cell(std::max(x.a.y, b.y) + r); ++cy) {
                    cells_[key(cx, cy)].push_back(i);
                }
            }
        }
    }

    // True when p lies on a line (prolonged by `reach`, at most the reach the index was built with)
    // or a dot; only on a vertical line when asked.
    bool holds(Point p, double reach = 0, bool vertical_only = false) const {
        const auto it = cells_.find(key(cell(p.x), cell(p.y)));
        if (it == cells_.end()) return false;
        for (const std::size_t i : it->second) {
            const SheetEntity& x = e_[i];
            if (vertical_only && (x.kind != Kind::line || x.a.x != x.b.x || x.a.y == x.b.y)) continue;
            const double d = x.kind == Kind::circle ? std::hypot(p.x - x.a.x, p.y - x.a.y) - x.radius
                                                    : distance_to_segment(p, x.a, x.b, reach);
            if (d <= kOnBar) return true;
        }
        return false;
    }

private:
    static long long cell(double v) { return static_cast<long long>(std::floor(v / 1000)); }
    static std::int64_t key(long long cx, long long cy) {
        return static_cast<std::int64_t>(static_cast<std::uint64_t>(cx) << 32) ^ (cy & 0xffffffffLL);
    }

    const std::vector<SheetEntity>& e_;
    std::unordered_map<std::int64_t, std::vector<std::size_t>> cells_;
};

// Entities that belong to a dimension: its path of three lines and its four ticks stand just
// before its label, a text with a second point on the dimension layer.
std::vector<bool> dimension_parts(const std::vector<SheetEntity>& e) {
    std::vector<bool> part(e.size(), false);
    for (std::size_t i = 7; i < e.size(); ++i) {
        if (e[i].kind != Kind::text || !e[i].aligned || e[i].layer != "D-STR-DIM") continue;
        bool lines = true;
        for (std::size_t k = i - 7; k < i; ++k) lines = lines && e[k].kind == Kind::line;
        if (!lines) continue;
        for (std::size_t k = i - 7; k < i; ++k) part[k] = true;
    }
    return part;
}

}  // namespace

std::vector<std::string> heads_off_bars(const std::vector<SheetEntity>& e, const WallInput& w) {
    const double arrow_stroke = 150 / std::cos(15 * std::numbers::pi / 180);
    const double tick_stroke = 50 / std::cos(15 * std::numbers::pi / 180);
    const std::vector<bool> in_dimension = dimension_parts(e);
    const LineIndex bars(e, "D-STR-STR1", kTickReach);
    const LineIndex centre_lines(e, "D-BMK", 0);
    std::vector<std::string> off;
    for (std::size_t i = 1; i + 1 < e.size(); ++i) {
        const SheetEntity& s1 = e[i];
        const SheetEntity& s2 = e[i + 1];
        if (s1.kind != Kind::line || s2.kind != Kind::line || in_dimension[i]) continue;
        if (s2.layer != s1.layer || s1.a.x != s2.a.x || s1.a.y != s2.a.y) continue;
        const double l1 = length(s1);
        const double l2 = length(s2);
        const bool arrow = std::fabs(l1 - arrow_stroke) < 0.01 && std::fabs(l2 - arrow_stroke) < 0.01;
        const bool tick = std::fabs(l1 - tick_stroke) < 0.01 && std::fabs(l2 - tick_stroke) < 0.01;
        if (!arrow && !tick) continue;
        ++i;  // the second stroke
        // The arrows beside the plan's face labels point along the centre line, at no bar.
        const SheetEntity& shaft = e[i - 2];
        if (arrow && shaft.kind == Kind::line && shaft.a.x == s1.a.x && shaft.a.y == s1.a.y &&
            centre_lines.holds(shaft.b)) {
            continue;
        }
        const std::string head = std::string(arrow ? "arrowhead" : "spacing tick") + " at " + where(s1.a) + " on " +
                                 s1.layer + ", entity " + std::to_string(i - 1);
        const bool callout_pen = s1.layer == "D-STR-HTXT" && std::fabs(s1.width - 0.13) < 1e-9;
        if (s1.layer != "D-STR-DIM" && !callout_pen) off.push_back(head + ": not on the dimension layer");
        // The second piece of a lapped bar is drawn one diameter aside so that the lap shows, the
        // wall's horizontal bars one diameter lower, the footing's longitudinal bars one to the
        // right; a head on the line of the first piece points at it too.
        const double reach = tick ? kTickReach : 0;
        const Point p = s1.a;
        const bool on = bars.holds(p, reach) || bars.holds({p.x, p.y - w.W3.dia}, reach) ||
                        bars.holds({p.x, p.y - w.W4.dia}, reach) || bars.holds({p.x + w.F3.dia, p.y}, reach) ||
                        bars.holds({p.x + w.F4.dia, p.y}, reach);
        if (!on) off.push_back(head + ": on no bar");
    }
    return off;
}

std::vector<std::string> ties_off_bars(const std::vector<SheetEntity>& e) {
    const LineIndex bars(e, "D-STR-STR1", kTickReach);
    const LineIndex centre_lines(e, "D-BMK", 0);
    std::vector<std::string> off;
    for (std::size_t i = 0; i + 1 < e.size(); ++i) {
        const SheetEntity& s1 = e[i];
        const SheetEntity& s2 = e[i + 1];
        const bool tie = s1.kind == Kind::line && s2.kind == Kind::line && s1.layer == "D-STR-STR1" &&
                         s2.layer == "D-STR-STR1" && s1.b.x == s2.a.x && s1.b.y == s2.a.y &&
                         s1.b.x - s1.a.x == 50 && s1.b.y - s1.a.y == 50 && s2.b.x - s2.a.x == 50 &&
                         s2.b.y - s2.a.y == 50;
        if (!tie) continue;
        // Ties stand between the rows, where the bar they hold may have ended: in line with it. The
        // bar at the reference point is drawn as the centre line.
        if (!bars.holds(s1.b, kTickReach, true) && !centre_lines.holds(s1.b)) {
            off.push_back("S1 tie at " + where(s1.b) + ", entity " + std::to_string(i));
        }
        ++i;
    }
    return off;
}

namespace {

struct Box {
    Point origin;
    double x0, x1, y0, y1;  // relative to the origin

    bool holds(Point p) const {
        const double x = p.x - origin.x;
        const double y = p.y - origin.y;
        return x >= x0 - 1 && x <= x1 + 1 && y >= y0 - 1 && y <= y1 + 1;
    }
    Point local(Point p) const { return {p.x - origin.x, p.y - origin.y}; }
};

bool is_text_layer(const std::string& layer) { return layer == "D-MTR-TXT" || layer == "D-MTR-MTXT"; }

}  // namespace

Point table_offset(const RunContext& ctx, int k) {
    for (const PlacedBlock& b : ctx.blocks) {
        if (b.role == BlockRole::table && k-- == 0) return {b.dx, b.dy};
    }
    return {};
}

std::vector<std::string> frame_faults(const std::vector<SheetEntity>& e, const RunContext& ctx) {
    std::vector<std::string> faults;
    const auto frame_box = [](const SheetFrame& f) {
        Extent x;
        x.cover(f.x, f.y);
        x.cover(f.x + f.width, f.y + f.height);
        return x;
    };
    for (std::size_t i = 0; i < e.size(); ++i) {
        const SheetEntity& x = e[i];
        const std::string what = "entity " + std::to_string(i) + " on " + x.layer + " at " + where(x.a);
        int in = 0;
        for (const SheetFrame& f : ctx.frames) {
            if (!frame_box(f).holds(x.extent)) continue;
            ++in;
            const bool title_block = x.layer == "D-TTL-LINE" || x.layer == "D-TTL-TXT";
            if (!title_block && x.layer != "D-TTL-FRAM" && title_block_area(f).overlaps(x.extent)) {
                faults.push_back(what + " reaches into the title block of frame " + std::to_string(f.number));
            }
            if (title_block && !title_block_area(f).holds(x.extent)) {
                faults.push_back(what + " of the title block of frame " + std::to_string(f.number) + " leaves it");
            }
        }
        if (in != 1) faults.push_back(what + " lies inside " + std::to_string(in) + " frames");
    }
    for (std::size_t i = 0; i < ctx.blocks.size(); ++i) {
        const PlacedBlock& b = ctx.blocks[i];
        if (b.extent.empty) continue;
        const auto frame = std::find_if(ctx.frames.begin(), ctx.frames.end(),
                                        [&](const SheetFrame& f) { return f.number == b.frame; });
        if (frame == ctx.frames.end() || !frame_box(*frame).holds(b.extent) ||
            title_block_area(*frame).overlaps(b.extent)) {
            faults.push_back("block " + std::to_string(i) + " lies outside its frame " + std::to_string(b.frame));
        }
        for (std::size_t k = 0; k < i; ++k) {
            if (ctx.blocks[k].extent.overlaps(b.extent)) {
                faults.push_back("blocks " + std::to_string(k) + " and " + std::to_string(i) + " overlap");
            }
        }
    }
    return faults;
}

std::vector<std::string> table_layer_faults(const std::vector<SheetEntity>& e, const RunContext& ctx) {
    const SheetLayout& s = ctx.layout;
    const double rows = static_cast<double>(ctx.bar_list.printed_rows().size());
    const double top = s.scale * 22000 / 50;
    const double steel_rows = std::max(3, ctx.mass_totals.sizes_used);
    const Point ts = table_offset(ctx, 0), tm = table_offset(ctx, 1), tt = table_offset(ctx, 2);
    const Box schedule{{s.sheet_width + 23000 + s.scale * 23000 / 50 + ts.x, top + ts.y}, 0, 9400, -300 * rows, 5000};
    const Box mass{{s.sheet_width + 33000 + s.scale * 23000 / 50 + tm.x, top + tm.y}, 0, 9400, -300 * rows, 1000};
    const Box material{{s.sheet_width + 23000 + s.scale * 32000 / 50 + tt.x, s.scale * 1000 / 50 + tt.y},
                       0, 6600, -400 * steel_rows - 4100, 500};

    std::vector<std::string> faults;
    const auto fault = [&](const char* table, const SheetEntity& x, const char* expected) {
        faults.push_back(std::string(table) + (x.kind == Kind::line ? " line from " : " text at ") + where(x.a) +
                         " on " + x.layer + ", expected " + expected);
    };
    for (const SheetEntity& x : e) {
        const bool line = x.kind == Kind::line;
        if (x.kind == Kind::circle) continue;
        if (line && is_text_layer(x.layer)) fault("sheet", x, "no line on a text layer");
        if (!line && x.layer == "D-MTR-FRAM") fault("sheet", x, "no text on the frame layer");

        if (schedule.holds(x.a) && (!line || schedule.holds(x.b))) {
            const Point a = schedule.local(x.a);
            const Point b = line ? schedule.local(x.b) : a;
            // Above the heading band stands the legend of shape types, in its own layers.
            const bool full_width = a.y == b.y && std::min(a.x, b.x) == 0 && std::max(a.x, b.x) == 9400;
            if (line && (std::min(a.y, b.y) <= 400 || full_width) && x.layer != "D-MTR-FRAM") {
                fault("schedule", x, "D-MTR-FRAM");
            }
            if (!line && a.y < 0 && x.layer != "D-MTR-MTXT") fault("schedule", x, "D-MTR-MTXT");
            if (!line && (a.y >= 5000 || (a.y >= 0 && a.y <= 400)) && x.layer != "D-MTR-TXT") {
                fault("schedule", x, "D-MTR-TXT");
            }
        } else if (mass.holds(x.a) && (!line || mass.holds(x.b))) {
            const Point a = mass.local(x.a);
            const Point b = line ? mass.local(x.b) : a;
            const bool icon = line && x.layer == "D-STR-STR1" && std::min(a.x, b.x) >= 8200 && std::min(a.y, b.y) < 0;
            if (line && !icon && x.layer != "D-MTR-FRAM") fault("mass table", x, "D-MTR-FRAM");
            if (!line && a.y < 0 && x.layer != "D-MTR-MTXT") fault("mass table", x, "D-MTR-MTXT");
            if (!line && a.y >= 0 && x.layer != "D-MTR-TXT") fault("mass table", x, "D-MTR-TXT");
        } else if (material.holds(x.a) && (!line || material.holds(x.b))) {
            const Point a = material.local(x.a);
            // Quantities and remarks below the heading line are printed values, the rest headings.
            const bool value = a.y < -100 && a.x >= 4000;
            if (line && x.layer != "D-MTR-FRAM") fault("material table", x, "D-MTR-FRAM");
            if (!line && value && x.layer != "D-MTR-MTXT") fault("material table", x, "D-MTR-MTXT");
            if (!line && !value && x.layer != "D-MTR-TXT") fault("material table", x, "D-MTR-TXT");
        }
    }
    return faults;
}

}  // namespace lwall::test
