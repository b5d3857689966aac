#include "checks/sheet_audit.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>

#include "core/bar_list.hpp"
#include "core/number_format.hpp"
#include "core/printed_number.hpp"
#include "core/sjis.hpp"

namespace lwall {

namespace {

using Text = SheetAudit::Text;

// The layers whose texts the checker reads: dimensions and bending-drawing labels, call-outs,
// table headings, table cells.
enum Layer { dim, callout_text, table_heading, table_cell, layer_count };
constexpr std::string_view kLayers[layer_count] = {"D-STR-DIM", "D-STR-HTXT", "D-MTR-TXT", "D-MTR-MTXT"};

// Positions come from the same drawing arithmetic moved by whole offsets; half a millimetre tells
// one place from another.
constexpr double kSamePlace = 0.5;
constexpr msg::SheetPart kDrawing = msg::SheetPart::bending_drawing;
bool near(double a, double b) { return std::fabs(a - b) < kSamePlace; }

std::string utf8(std::string_view sjis) { return sjis_to_utf8(sjis); }

std::string_view trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// A whole number as the sheet prints it ("  400", "39"); nothing for any other text.
std::optional<long long> whole_number(std::string_view s) {
    s = trim(s);
    if (s.empty()) return std::nullopt;
    long long v = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (error != std::errc{} || end != s.data() + s.size()) return std::nullopt;
    return v;
}

// A mass as the sheet prints it, in grams ("  3.900" is 3900); nothing for any other text.
std::optional<long long> grams(std::string_view s) {
    s = trim(s);
    const std::size_t point = s.find('.');
    if (s.empty() || point == std::string_view::npos || s.size() - point != 4) return std::nullopt;
    const auto kg = whole_number(s.substr(0, point));
    const auto g = whole_number(s.substr(point + 1));
    if (!kg || !g || *kg < 0 || *g < 0) return std::nullopt;
    return *kg * 1000 + *g;
}

// "W1", "W3-12", "F4-2", "S1": a bar mark.
bool is_mark(std::string_view s) {
    if (s.size() < 2 || (s[0] != 'W' && s[0] != 'F' && s[0] != 'S') || s[1] < '1' || s[1] > '9') return false;
    if (s.size() == 2) return true;
    return s[2] == '-' && s.size() > 3 && whole_number(s.substr(3)).has_value() && s.substr(3).find(' ') == s.npos;
}

// "D16": a bar size.
bool is_size(std::string_view s) { return s.size() >= 2 && s[0] == 'D' && whole_number(s.substr(1)).has_value(); }

// A bending-drawing label "W3-1 9-D13 × 9000" (or "…×9000" for the second piece of a bar).
struct Label {
    std::string mark, size, text;  // text as printed, Shift_JIS
    long long count = 0, length = 0;
    double x = 0;
};

std::optional<Label> parse_label(const Text& t) {
    static const std::string_view times = u8"×"_sj;
    const std::string_view s = t.text;
    if (s.empty() || (s[0] != 'W' && s[0] != 'F' && s[0] != 'S')) return std::nullopt;
    const std::size_t blank = s.find(' ');
    const std::size_t dash = s.find('-', blank == s.npos ? 0 : blank);
    const std::size_t sign = s.find(times);
    if (blank == s.npos || dash == s.npos || sign == s.npos || !(blank < dash && dash < sign)) return std::nullopt;
    Label l;
    l.mark = s.substr(0, blank);
    l.size = std::string(trim(s.substr(dash + 1, sign - dash - 1)));
    const auto count = whole_number(s.substr(blank + 1, dash - blank - 1));
    const auto length = whole_number(s.substr(sign + times.size()));
    if (!is_mark(l.mark) || !is_size(l.size) || !count || !length) return std::nullopt;
    l.count = *count;
    l.length = *length;
    l.text = s;
    l.x = t.x;
    return l;
}

// The lap a bending drawing states: "  400以上"; nothing for any other text.
std::optional<long long> stated_lap(std::string_view s) {
    static const std::string_view at_least = u8"以上"_sj;
    if (s.size() <= at_least.size() || !s.ends_with(at_least)) return std::nullopt;
    return whole_number(s.substr(0, s.size() - at_least.size()));
}

// A table found by its title: its cells by row (top down) and by their place from the table's
// origin.
struct Table {
    bool found = false;
    std::vector<std::map<long long, std::string>> rows;  // x from the origin (whole mm) -> text
};

// The rows of a table whose origin lies `title_offset` below and left of its title, rows kRow apart
// below the origin, each cell 50 above its row's line.
Table read_table(const std::vector<Text>& texts, std::string_view title, int title_height, double dx, double dy,
                 double width) {
    constexpr double kRow = 300;
    Table table;
    const Text* head = nullptr;
    for (const Text& t : texts) {
        if (t.layer == table_heading && t.height == title_height && t.text == title) {
            head = &t;
            break;
        }
    }
    if (head == nullptr) return table;
    table.found = true;
    const double ox = head->x - dx;
    const double oy = head->y - dy;
    for (const Text& t : texts) {
        if (t.layer != table_cell || t.x < ox - kSamePlace || t.x > ox + width + kSamePlace) continue;
        const double k = (oy + 50 - t.y) / kRow;
        const long long row = std::llround(k);
        if (row < 1 || !near(k * kRow, static_cast<double>(row) * kRow)) continue;
        if (static_cast<std::size_t>(row) > table.rows.size()) table.rows.resize(static_cast<std::size_t>(row));
        table.rows[static_cast<std::size_t>(row - 1)][std::llround(t.x - ox)] = t.text;
    }
    return table;
}

std::string cell(const std::map<long long, std::string>& row, long long x) {
    const auto it = row.find(x);
    return it == row.end() ? std::string() : it->second;
}

// A row of the bending schedule as printed.
struct ScheduleLine {
    std::string mark, size;
    long long count = 0, length = 0;
    std::string count_text, length_text;
};

class Reader {
public:
    explicit Reader(const std::vector<Text>& texts) : texts_(texts) {}

    std::vector<Message> run() {
        read_schedule();
        if (!schedule_found_) {
            out_.push_back(msg::audit_table_missing("鉄 筋 加 工 図"));
            return out_;
        }
        bending_drawings();
        callouts();
        mass_table();
        return out_;
    }

private:
    void read_schedule() {
        // Columns: mark, shape, size, count, length, L1, L2, L3, from x0 = 50.
        const Table t = read_table(texts_, u8"鉄 筋 加 工 図"_sj, 350, 1300, 5000, 9400);
        schedule_found_ = t.found;
        for (const auto& row : t.rows) {
            ScheduleLine line;
            line.mark = cell(row, 50);
            if (line.mark.empty()) continue;
            line.size = cell(row, 2050);
            line.count_text = cell(row, 3250);
            line.length_text = cell(row, 4050);
            line.count = whole_number(line.count_text).value_or(-1);
            line.length = whole_number(line.length_text).value_or(-1);
            // The legs printed in the schedule add up to its cut length, each as often as it is bent.
            const std::array<int, 3> times = shape_leg_multiplicity(cell(row, 850));
            long long legs = 0;
            for (std::size_t i = 0; i < 3; ++i) legs += times[i] * whole_number(cell(row, 5450 + 1400 * static_cast<long long>(i))).value_or(0);
            if (legs != line.length) {
                out_.push_back(msg::audit_legs_against_length(msg::SheetPart::bending_schedule, line.mark, legs, line.length));
            }
            schedule_.push_back(line);
        }
    }

    const ScheduleLine* row_of(std::string_view mark) const {
        for (const ScheduleLine& r : schedule_) {
            if (r.mark == mark) return &r;
        }
        return nullptr;
    }

    // Each label against its row; each drawing's legs against its label. A drawing is the run of
    // leg dimensions (and a lap text) followed by its one or two labels; any other text ends it.
    void bending_drawings() {
        struct Drawing {
            std::vector<const Text*> legs;
            std::vector<Label> labels;
            long long lap = 0;  // the lap it states, "400以上"
        } d;
        std::vector<std::string> labelled;
        auto close = [&] {
            if (!d.labels.empty()) check_drawing(d.legs, d.labels, d.lap, labelled);
            d = {};
        };
        for (const Text& t : texts_) {
            const bool number = t.layer == dim && whole_number(t.text).has_value();
            const std::optional<long long> lap = t.layer == dim ? stated_lap(t.text) : std::nullopt;
            const std::optional<Label> label = t.layer == dim ? parse_label(t) : std::nullopt;
            if (label) {
                d.labels.push_back(*label);
            } else if (number || lap) {
                if (!d.labels.empty()) close();
                if (number) d.legs.push_back(&t);
                if (lap) d.lap = *lap;
            } else {
                close();
            }
        }
        close();
        for (const ScheduleLine& r : schedule_) {
            if (std::find(labelled.begin(), labelled.end(), r.mark) == labelled.end()) {
                out_.push_back(msg::audit_row_not_drawn(r.mark));
            }
        }
    }

    void check_drawing(const std::vector<const Text*>& legs, const std::vector<Label>& labels, long long lap,
                       std::vector<std::string>& labelled) {
        for (const Label& l : labels) {
            labelled.push_back(l.mark);
            check_label(l);
        }
        if (labels.size() == 1) {
            long long sum = 0;
            for (const Text* t : legs) sum += *whole_number(t->text);
            if (sum != labels[0].length) out_.push_back(msg::audit_legs_against_length(kDrawing, labels[0].mark, sum, labels[0].length));
            return;
        }
        // Two pieces: each piece is dimensioned over its middle, where its label starts; the third
        // dimension is the whole bar, which the two pieces cover with the lap the drawing states.
        std::vector<const Text*> rest = legs;
        long long pieces = 0;
        for (const Label& l : labels) {
            const auto centre = [&](const Text* t) { return t->x + static_cast<double>(t->text.size()) * t->height / 2; };
            const auto nearest = std::min_element(rest.begin(), rest.end(), [&](const Text* a, const Text* b) {
                return std::fabs(centre(a) - l.x) < std::fabs(centre(b) - l.x);
            });
            if (nearest == rest.end()) {
                out_.push_back(msg::audit_legs_against_length(kDrawing, l.mark, 0, l.length));
                continue;
            }
            const long long piece = *whole_number((*nearest)->text);
            if (piece != l.length) out_.push_back(msg::audit_legs_against_length(kDrawing, l.mark, piece, l.length));
            pieces += piece;
            rest.erase(nearest);
        }
        for (const Text* whole : rest) {
            const long long bar = *whole_number(whole->text);
            if (pieces < bar) out_.push_back(msg::audit_legs_against_length(kDrawing, labels[0].mark, pieces, bar));
            else if (pieces - bar < lap) out_.push_back(msg::audit_lap_against_stated(labels[0].mark, labels[1].mark, pieces - bar, lap));
        }
    }

    void check_label(const Label& l) {
        const ScheduleLine* r = row_of(l.mark);
        if (r == nullptr) {
            out_.push_back(msg::audit_label_without_row(utf8(l.text)));
            return;
        }
        if (l.count != r->count) {
            out_.push_back(msg::audit_label_against_row(l.mark, "本数", "count", std::to_string(l.count),
                                                        utf8(trim(r->count_text))));
        }
        if (l.size != r->size) out_.push_back(msg::audit_label_against_row(l.mark, "径", "size", l.size, r->size));
        if (l.length != r->length) {
            out_.push_back(msg::audit_label_against_row(l.mark, "長さ", "length", std::to_string(l.length),
                                                        utf8(trim(r->length_text))));
        }
    }

    // A call-out: a mark and, 600 to its right and 125 lower, its size. It names a row, or the rows
    // of the pieces of the mark.
    void callouts() {
        for (std::size_t i = 0; i + 1 < texts_.size(); ++i) {
            const Text& m = texts_[i];
            const Text& s = texts_[i + 1];
            if ((m.layer != callout_text && m.layer != dim) || !is_mark(m.text) || !is_size(s.text) ||
                !near(s.x - m.x, 600) || !near(m.y - s.y, 125)) {
                continue;
            }
            bool named = false;
            for (const ScheduleLine& r : schedule_) {
                const bool piece = r.mark.size() > m.text.size() && r.mark.starts_with(m.text) && r.mark[m.text.size()] == '-';
                if (r.mark != m.text && !piece) continue;
                named = true;
                if (r.size != s.text) out_.push_back(msg::audit_callout_size(utf8(m.text), s.text, r.size));
            }
            if (!named) out_.push_back(msg::audit_callout_without_row(utf8(m.text)));
        }
    }

    // The mass table row by row against the schedule, and the material table's whole-wall steel
    // against the mass table.
    void mass_table() {
        // Columns: mark, size, length, count, unit mass, one bar, row, from x0 = 50.
        const Table t = read_table(texts_, u8"鉄 筋 質 量 表"_sj, 400, 1300, 1000, 9400);
        if (!t.found) {
            out_.push_back(msg::audit_table_missing("鉄 筋 質 量 表"));
            return;
        }
        std::map<std::string, long long> by_size;
        long long all = 0;
        std::size_t k = 0;
        for (const auto& row : t.rows) {
            const std::string mark = cell(row, 50);
            if (mark.empty()) continue;
            const ScheduleLine* r = k < schedule_.size() ? &schedule_[k] : nullptr;
            ++k;
            const std::string size = cell(row, 850);
            const auto length = whole_number(cell(row, 2050));
            const auto count = whole_number(cell(row, 3350));
            const auto unit = grams(cell(row, 4150));
            const auto one = grams(cell(row, 5500));
            const auto mass = grams(cell(row, 6950));
            if (r == nullptr || r->mark != mark || r->size != size || length != r->length || count != r->count) {
                out_.push_back(msg::audit_mass_row(mark, "種別・径・長さ・本数", "mark, size, length or count",
                                                   utf8(mark + " " + size), r ? utf8(r->mark + " " + r->size) : "-"));
            }
            if (!length || !count || !unit || !one || !mass) continue;
            // One bar weighs its length times the unit mass, to the gram; the length is printed to
            // the millimetre, so the printed mass may lie half a millimetre of bar away (and a
            // hundredth of a gram for a half the binary product rounds the other way).
            const double exact = static_cast<double>(*length) * static_cast<double>(*unit) / 1000;
            if (std::fabs(static_cast<double>(*one) - exact) > 0.51 + 0.5 * static_cast<double>(*unit) / 1000) {
                out_.push_back(msg::audit_mass_row(mark, "1本当り質量", "mass of one bar", fixed_kg(*one),
                                                   fixed_kg(std::llround(exact))));
            }
            if (*mass != *one * *count) {
                out_.push_back(msg::audit_mass_row(mark, "質量", "mass", fixed_kg(*mass), fixed_kg(*one * *count)));
            }
            by_size[size] += *mass;
            all += *mass;
        }
        if (k != schedule_.size()) {
            out_.push_back(msg::audit_mass_row("-", "行数", "row count", std::to_string(k), std::to_string(schedule_.size())));
        }
        material_table(by_size, all);
    }

    // "全延長 372.240" in the remarks of each steel size (the size 3350 to its left on its row) and
    // of the steel total.
    void material_table(const std::map<std::string, long long>& by_size, long long all) {
        static const std::string_view whole_wall = u8"全延長 "_sj;
        bool total_seen = false;
        for (const Text& t : texts_) {
            if (t.layer != table_cell || !t.text.starts_with(whole_wall)) continue;
            const auto kg = grams(std::string_view(t.text).substr(whole_wall.size()));
            if (!kg) continue;  // the base materials' "全延長 t=10cm"
            const Text* size = nullptr;
            for (const Text& s : texts_) {
                if (s.layer == table_heading && is_size(s.text) && near(s.y, t.y) && near(t.x - s.x, 3350)) size = &s;
            }
            const std::string name = size ? utf8(size->text) : std::string("計");
            const auto it = size ? by_size.find(size->text) : by_size.end();
            const long long expected = size ? (it == by_size.end() ? 0 : it->second) : all;
            if (!size) total_seen = true;
            if (*kg != expected) out_.push_back(msg::audit_steel_total(name, fixed_kg(*kg), fixed_kg(expected)));
        }
        if (!total_seen) out_.push_back(msg::audit_table_missing("材 料 表"));
    }

    static std::string fixed_kg(long long g) { return std::string(TextBuf().fixed(static_cast<double>(g) / 1000, 0, 3).view()); }

    const std::vector<Text>& texts_;
    bool schedule_found_ = false;
    std::vector<ScheduleLine> schedule_;
    std::vector<Message> out_;
};

}  // namespace

void SheetAudit::text(const TextEntity& e) {
    for (int i = 0; i < layer_count; ++i) {
        if (e.layer == kLayers[i]) {
            texts_.push_back({i, std::string(e.text), e.x1, e.y1, e.height});
            return;
        }
    }
}

std::vector<Message> SheetAudit::disagreements() const { return Reader(texts_).run(); }

}  // namespace lwall
