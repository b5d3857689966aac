#include "input/wall_input.hpp"

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "driver/run_failure.hpp"
#include "input/text_scan.hpp"

namespace lwall {

namespace {

constexpr std::string_view kFile = "PlenkL.dat";

struct Field {
    std::string name;
    std::variant<double*, int*> target;
};

using Line = std::vector<Field>;

// The 43 lines of the file, each with its fields in order.
std::vector<Line> file_layout(WallInput& w) {
    std::vector<Line> lines = {
        {{"footing_left_width", &w.footing_left_width}, {"wall_thickness", &w.wall_thickness},
         {"footing_right_width", &w.footing_right_width}},
        {{"wall_height", &w.wall_height}, {"footing_thickness", &w.footing_thickness},
         {"height_left", &w.height_left}, {"height_right", &w.height_right}},
        {{"length_left", &w.length_left}, {"length_right", &w.length_right}},
        {{"cover1", &w.cover1}, {"cover2", &w.cover2}, {"cover3", &w.cover3}, {"cover4", &w.cover4},
         {"cover5", &w.cover5}, {"cover6", &w.cover6}},
        {{"cover_wall_top", &w.cover_wall_top}},
        {{"end_cover_left", &w.end_cover_left}, {"end_cover_right", &w.end_cover_right},
         {"max_bar_length", &w.max_bar_length}},
    };
    const std::pair<const char*, BarGroup*> groups[] = {{"F1", &w.F1}, {"F2", &w.F2}, {"F3", &w.F3},
                                                        {"F4", &w.F4}, {"W1", &w.W1}, {"W2", &w.W2},
                                                        {"W3", &w.W3}, {"W4", &w.W4}, {"W5", &w.W5}};
    for (const auto& [mark, g] : groups) {
        const std::string m = mark;
        lines.push_back({{m + ".zones", &g->zones}});
        Line dia = {{m + ".dia", &g->dia}};
        Line pitch;
        Line count;
        for (int i = 1; i <= 4; ++i) dia.push_back({m + ".opt[" + std::to_string(i) + "]", &g->opt[i]});
        for (int i = 1; i <= 5; ++i) {
            pitch.push_back({m + ".pitch[" + std::to_string(i) + "]", &g->pitch[i]});
            count.push_back({m + ".count[" + std::to_string(i) + "]", &g->count[i]});
        }
        lines.push_back(std::move(dia));
        lines.push_back(std::move(pitch));
        lines.push_back(std::move(count));
    }
    lines.push_back({{"S1.dia", &w.S1.dia}, {"S2.dia", &w.S2.dia}});
    return lines;
}

[[noreturn]] void refuse(int line, const std::string& field, const std::string& what) {
    throw RunFailure(kExitBadInput,
                     std::string(kFile) + " line " + std::to_string(line) + ", " + field + ": " + what);
}

void store(TextCursor& cur, const Field& f, std::string_view token) {
    ScanError e = ScanError::none;
    const bool whole = std::holds_alternative<int*>(f.target);
    if (whole) e = scan_int(token, *std::get<int*>(f.target));
    else e = scan_real(token, *std::get<double*>(f.target));
    if (e != ScanError::none) refuse(cur.line, f.name, describe_scan_error(e, token, whole));
}

// One line read the way its scan pattern reads it: numbers separated by single commas (blanks may
// precede a number, not a comma). A line with fewer values leaves the rest at 0. Returns the
// number of the line read, 0 when the file has ended.
int read_line(TextCursor& cur, const Line& fields) {
    cur.skip_white();  // blank lines and leading blanks, as the pattern's white space does
    if (cur.at_end()) return 0;
    const int line = cur.line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            if (cur.rest_of_line_blank()) break;  // fewer values than the line's pattern
            if (cur.peek() != ',') {
                cur.skip_blanks();
                if (cur.peek() == ',') refuse(cur.line, fields[i - 1].name, "a blank stands before the comma");
                refuse(cur.line, fields[i - 1].name,
                       "expected ',' or the line end after the value, found " + quote_for_message(cur.token(false)));
            }
            ++cur.pos;
            cur.skip_blanks();
            if (cur.at_line_end()) refuse(cur.line, fields[i].name, "expected a number after ','");
        }
        store(cur, fields[i], cur.token(true));
    }
    if (!cur.rest_of_line_blank()) {
        cur.skip_blanks();
        if (cur.peek() == ',') {
            refuse(cur.line, fields.back().name,
                   "more values than the " + std::to_string(fields.size()) + " this line holds");
        }
        refuse(cur.line, fields.back().name,
               "expected the line end after the value, found " + quote_for_message(cur.token(false)));
    }
    cur.next_line();
    return line;
}

}  // namespace

WallInput read_wall_input(std::string_view text) {
    WallInput w;
    const std::vector<Line> lines = file_layout(w);
    TextCursor cur{text};
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const int line = read_line(cur, lines[k]);
        w.source_line[k + 1] = line;
        // A group's zone count indexes its five zones.
        const bool zones_line = k >= 6 && k < 42 && (k - 6) % 4 == 0;
        if (zones_line) {
            const int z = *std::get<int*>(lines[k][0].target);
            if (z < 0 || z > 5) refuse(line, lines[k][0].name, "must be 0 to 5, found " + std::to_string(z));
        }
    }
    return w;
}

int wall_field_line(const WallInput& w, std::string_view field) {
    WallInput names;
    const std::vector<Line> lines = file_layout(names);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        for (const Field& f : lines[k]) {
            if (f.name == field) return w.source_line[k + 1] != 0 ? w.source_line[k + 1] : static_cast<int>(k + 1);
        }
    }
    throw std::logic_error("no wall input field is called " + std::string(field));
}

std::string wall_field_message(const WallInput& w, std::string_view field, std::string_view what) {
    return std::string(kFile) + " line " + std::to_string(wall_field_line(w, field)) + ", " + std::string(field) +
           ": " + std::string(what);
}

void refuse_wall_field(const WallInput& w, std::string_view field, std::string_view what) {
    throw RunFailure(kExitBadInput, wall_field_message(w, field, what));
}

}  // namespace lwall
