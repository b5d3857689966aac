#include "checks/wall_checks.hpp"

#include <algorithm>
#include <tuple>
#include <cmath>
#include <string>

#include "core/bar_rules.hpp"
#include "core/wall_fields.hpp"

namespace lwall {

namespace {

std::string zone_field(const char* mark, const char* name, int i) { return mark_field_name(mark, name, i); }

double zone_span(const BarGroup& g, std::initializer_list<int> zones) {
    double span = 0;
    for (int i : zones) span += g.count[i] * g.pitch[i];
    return span;
}

// Zones 1 ... n, at least the first.
double first_zones_span(const BarGroup& g, int n) {
    double span = 0;
    for (int i = 1; i <= std::max(1, std::min(n, 5)); ++i) span += g.count[i] * g.pitch[i];
    return span;
}

class Checker {
public:
    explicit Checker(const WallInput& w) : w_(w) {}

    std::vector<Finding> run() {
        zones_along_the_wall();
        rows_up_the_wall();
        zones_across_the_footing();
        covers();
        pieces_longer_than_the_maximum();
        longer_than_stock_bars();
        bars_without_unit_mass();
        zones_in_use_without_spacings();
        std::stable_sort(found_.begin(), found_.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        return found_;
    }

private:
    void add(const std::string& field, const Message& what) {
        found_.push_back({wall_field_line(w_, field), field, what, wall_field_message(w_, field, what)});
    }

    // Zones laid from the reference point toward one end, against the wall there: past the end
    // cover; and for the bars of the wall itself (`to_the_end`), short of it by more than one
    // spacing of the outer zone (of the inner one where the outer has no bars), which leaves wall
    // without bars. The transverse footing bars are laid out near the reference point and stop
    // short of the ends by design.
    void side(const char* mark, const BarGroup& g, std::initializer_list<int> zones, int named_zone,
              msg::WallEnd end, double room, bool to_the_end = false) {
        const double span = zone_span(g, zones);
        const std::vector<int> list(zones);
        if (span > room) {
            add(zone_field(mark, "count", named_zone), msg::zones_past_end_cover(list, end, span, room));
            return;
        }
        if (!to_the_end) return;
        const int outer = list.back();
        const double pitch = g.count[outer] > 0 || g.pitch[list.front()] <= 0 ? g.pitch[outer] : g.pitch[list.front()];
        if (pitch > 0 && room - span > pitch) {
            add(zone_field(mark, "count", named_zone), msg::zones_short_of_end(list, end, room - span, pitch));
        }
    }

    void zones_along_the_wall() {
        const double left = w_.length_left - w_.end_cover_left;
        const double right = w_.length_right - w_.end_cover_right;
        for (const auto& [mark, g] : {std::pair{"W1", &w_.W1}, {"W2", &w_.W2}, {"W5", &w_.W5}}) {
            side(mark, *g, {2, 1}, 1, msg::WallEnd::left, left, true);
            side(mark, *g, {3, 4}, 4, msg::WallEnd::right, right, true);
        }
        // The plan draws F1 toward the right end and F2 toward the left; zones 3 and 4 are the other half.
        side("F1", w_.F1, {2, 1}, 1, msg::WallEnd::right, right);
        side("F1", w_.F1, {3, 4}, 4, msg::WallEnd::left, left);
        side("F2", w_.F2, {2, 1}, 1, msg::WallEnd::left, left);
        side("F2", w_.F2, {3, 4}, 4, msg::WallEnd::right, right);
    }

    void rows(const char* mark, double span, double top, msg::TopOf which) {
        const double reach = w_.footing_thickness - w_.cover2 + span;
        if (reach <= top) return;
        add(zone_field(mark, "count", 1), msg::rows_above_top(reach, which, top));
    }

    // Under a level top each face's rows are laid out with the other face's counts, while each
    // mark's schedule row counts from its own: counts that differ order other rows than are drawn.
    void faces_with_each_others_counts() {
        for (int i = 1; i <= 5; ++i) {
            if (w_.W3.count[i] == w_.W4.count[i]) continue;
            add(zone_field("W4", "count", i), msg::faces_with_each_others_counts(i, w_.W3.count[i], w_.W4.count[i]));
            return;
        }
    }

    void rows_up_the_wall() {
        const double Hf = w_.footing_thickness;
        const double ct = w_.cover_wall_top;
        const double hl = w_.height_left;
        const double hr = w_.height_right;
        if (hl == hr) {
            rows("W3", first_zones_span(w_.W3, w_.W3.zones), Hf + hl - ct, msg::TopOf::level);
            rows("W4", first_zones_span(w_.W4, w_.W4.zones), Hf + hl - ct, msg::TopOf::level);
            faces_with_each_others_counts();
            return;
        }
        // Under a sloped top the rows of one mark stop under the lower end; the other's reach the higher.
        const bool left_higher = hl > hr;
        const char* lower_mark = left_higher ? "W3" : "W4";
        const char* higher_mark = left_higher ? "W4" : "W3";
        const BarGroup& lower = left_higher ? w_.W3 : w_.W4;
        const BarGroup& higher = left_higher ? w_.W4 : w_.W3;
        rows(lower_mark, zone_span(lower, {1}), Hf + std::min(hl, hr) - ct, msg::TopOf::lower_end);
        rows(higher_mark, zone_span(higher, {1, 2}), Hf + std::max(hl, hr) - ct, msg::TopOf::higher_end);
    }

    // The plan lays F3 from cover3 in at the heel end and F4 from cover4 in at the toe end, and
    // dimensions each between the same cover at both ends.
    void zones_across_the_footing() {
        const double width = w_.footing_left_width + w_.wall_thickness + w_.footing_right_width;
        for (const auto& [mark, g, cover] :
             {std::tuple{"F3", &w_.F3, w_.cover3}, std::tuple{"F4", &w_.F4, w_.cover4}}) {
            const double room = width - 2 * cover;
            const double span = first_zones_span(*g, g->zones);
            if (span <= room) continue;
            add(zone_field(mark, "count", 1), msg::zones_wider_than_footing(span, room));
        }
    }

    void covers() {
        const double wall_need = w_.cover3 + w_.cover6 + w_.W1.dia + w_.W2.dia;
        if (wall_need >= w_.wall_thickness) {
            add("cover6", msg::wall_covers_leave_no_room(w_.W2.dia, w_.W1.dia, wall_need, w_.wall_thickness));
        }
        const double footing_need = w_.cover1 + w_.cover2;
        if (footing_need >= w_.footing_thickness) {
            add("cover2", msg::footing_covers_leave_no_room(footing_need, w_.footing_thickness));
        }
    }

    void longer_than_maximum(msg::LongBar bar, double length, int dia) {
        const double max = w_.max_bar_length;
        if (!(length > max)) return;
        const double second = lapped_second_piece(length, max, dia);
        if (second <= max) return;
        add("max_bar_length", msg::second_piece_too_long(bar, second, max));
    }

    void pieces_longer_than_the_maximum() {
        const double run = run_along_wall(w_);
        longer_than_maximum(msg::LongBar::w3_full, run, w_.W3.dia);
        longer_than_maximum(msg::LongBar::w4_full, run, w_.W4.dia);
        if (w_.height_left != w_.height_right) {
            const double rise = w_.height_right - w_.height_left;
            const double along_top = std::floor(std::sqrt(run * run + rise * rise));
            longer_than_maximum(msg::LongBar::w3_along_slope, along_top, w_.W3.dia);
            longer_than_maximum(msg::LongBar::w4_along_slope, along_top, w_.W4.dia);
        }
        // F3 stops the drawing when its second piece is too long; F4 has no such stop.
        longer_than_maximum(msg::LongBar::f3, run, w_.F3.dia);
        longer_than_maximum(msg::LongBar::f4, run, w_.F4.dia);
    }

    // Stock bars end at 12 m: a longer maximum member length orders bars no mill supplies.
    void longer_than_stock_bars() {
        if (w_.max_bar_length > kLongestStockBar) {
            add("max_bar_length", msg::longer_than_stock_bars(w_.max_bar_length, kLongestStockBar));
        }
    }

    void without_unit_mass(const std::string& field, int dia) {
        if (bar_unit_mass(dia) != 0) return;
        add(field, msg::no_unit_mass(dia));
    }

    // Every field that holds a bar diameter: each mark's own, the zone sizes and second diameters
    // among its opt values (where given), and the ties'.
    void bars_without_unit_mass() {
        for (const WallField& f : wall_fields()) {
            const bool diameter = f.part == FieldPart::dia || f.part == FieldPart::tie_dia ||
                                  f.opt_role == OptRole::zone_diameter || f.opt_role == OptRole::second_diameter;
            if (!diameter) continue;
            const int dia = static_cast<int>(wall_field_value(w_, f));
            if (f.part == FieldPart::opt && dia == 0) continue;
            without_unit_mass(f.name, dia);
        }
    }

    void zones_in_use_without_spacings() {
        for (const auto& [mark, g] : {std::pair{"F3", &w_.F3}, {"F4", &w_.F4}, {"W3", &w_.W3}, {"W4", &w_.W4}}) {
            for (int i = 1; i <= std::min(g->zones, 5); ++i) {
                if (g->count[i] != 0) continue;
                add(zone_field(mark, "count", i), msg::zone_without_spacings(i, mark, g->zones));
            }
        }
    }

    const WallInput& w_;
    std::vector<Finding> found_;
};

}  // namespace

std::vector<Finding> check_wall(const WallInput& w) { return Checker(w).run(); }

std::vector<Finding> check_laps(const WallInput& w, const std::vector<BarLap>& laps) {
    std::vector<Finding> found;
    for (const BarLap& lap : laps) {
        // As the sheet prints it: a lap that rounds to its rule holds.
        const double overlap = round_half_away(lap.overlap);
        if (!(overlap < lap.required)) continue;
        const bool cap = lap.kind == BarLap::Kind::cap;
        const std::string field = cap ? "W5.dia" : "max_bar_length";
        const Message what = cap ? msg::cap_lap_too_short(lap.first, lap.x, overlap, lap.dia, lap.required)
                                 : msg::splice_shorter_than_stated(lap.first, lap.second, overlap, lap.required);
        found.push_back({wall_field_line(w, field), field, what, wall_field_message(w, field, what)});
    }
    return found;
}

void add_findings(std::vector<Finding>& to, std::vector<Finding> more) {
    to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    std::stable_sort(to.begin(), to.end(), [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

}  // namespace lwall
