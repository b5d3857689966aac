#include "input/wall_file.hpp"

#include <algorithm>
#include <string>

#include "core/wall_fields.hpp"
#include "input/text_scan.hpp"

namespace lwall {

namespace {

class WallFileReader {
public:
    // `all`: read on past each refusal, gathering every one there; else the first ends the reading.
    WallFileReader(std::string_view text, WallReading& out, std::vector<RunFailure>* all = nullptr)
        : cur_{text}, out_(out), all_(all) {
        out_.given.assign(wall_fields().size(), false);
    }

    void read() {
        for (int line = 1; line <= kWallFileLines; ++line) {
            const std::vector<const WallField*> fields = wall_fields_on_line(line);
            out_.input.source_line[line] = read_line(fields);
            // A group's zone count indexes its five zones.
            const WallField& first = *fields.front();
            if (first.part == FieldPart::zones) {
                const int z = *wall_field_whole(out_.input, first);
                if (z < 0 || z > 5) {
                    refuse(out_.input.source_line[line], first, msg::zones_out_of_range(z));
                }
            }
        }
    }

private:
    // Ends the reading, or, gathering, notes the refusal and lets the reading go on.
    void refuse(int line, const WallField& field, const Message& what) {
        RunFailure f = input_refusal({kWallFileName, line, field.name, field.label_ja}, what);
        if (all_ == nullptr) throw f;
        all_->push_back(std::move(f));
    }

    void store(const WallField& f, std::string_view token) {
        ++out_.fields_seen;
        ScanError e = ScanError::none;
        const bool whole = f.kind == FieldKind::whole;
        if (whole) e = scan_int(token, *wall_field_whole(out_.input, f));
        else e = scan_real(token, *wall_field_real(out_.input, f));
        if (e != ScanError::none) {
            if (whole) *wall_field_whole(out_.input, f) = 0;
            else *wall_field_real(out_.input, f) = 0;
            refuse(cur_.line, f, describe_scan_error(e, token, whole));
            return;
        }
        out_.given[&f - wall_fields().data()] = true;
    }

    // One line read the way its scan pattern reads it: numbers separated by single commas (blanks
    // may precede a number, not a comma). A line with fewer values leaves the rest at 0. Returns the
    // number of the line read, 0 when the file has ended. Gathering, a value found wrong is passed
    // over to the next comma, so that each of the others is judged in its own place.
    int read_line(const std::vector<const WallField*>& fields) {
        cur_.skip_white();  // blank lines and leading blanks, as the pattern's white space does
        if (cur_.at_end()) {
            out_.fields_seen += static_cast<int>(fields.size());
            return 0;
        }
        const int line = cur_.line;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) {
                if (cur_.rest_of_line_blank()) {  // fewer values than the line's pattern
                    out_.fields_seen += static_cast<int>(fields.size() - i);
                    break;
                }
                if (cur_.peek() != ',') {
                    cur_.skip_blanks();
                    if (cur_.peek() == ',') {
                        refuse(cur_.line, *fields[i - 1], msg::blank_before_comma());
                    } else {
                        const std::size_t junk = cur_.pos;
                        refuse(cur_.line, *fields[i - 1], msg::expected_comma_or_end(shown_in_message(cur_.token(false))));
                        cur_.pos = junk;  // gathering: the next value starts after the next comma
                        while (!cur_.at_line_end() && cur_.peek() != ',') ++cur_.pos;
                        if (cur_.at_line_end()) break;
                    }
                }
                ++cur_.pos;
                cur_.skip_blanks();
                if (cur_.at_line_end()) {
                    ++out_.fields_seen;
                    refuse(cur_.line, *fields[i], msg::number_after_comma());
                    break;
                }
            }
            store(*fields[i], cur_.token(true));
        }
        if (!cur_.rest_of_line_blank()) {
            cur_.skip_blanks();
            if (cur_.peek() == ',') {
                refuse(cur_.line, *fields.back(), msg::more_values_than_line(static_cast<int>(fields.size())));
            } else {
                refuse(cur_.line, *fields.back(), msg::expected_line_end(shown_in_message(cur_.token(false))));
            }
        }
        cur_.next_line();
        return line;
    }

    TextCursor cur_;
    WallReading& out_;
    std::vector<RunFailure>* all_;
};

}  // namespace

WallReading read_wall_file(std::string_view text) {
    WallReading reading;
    try {
        WallFileReader(text, reading).read();
    } catch (const RunFailure& f) {
        reading.refusal = f;
    }
    return reading;
}

std::vector<RunFailure> wall_file_refusals(std::string_view text) {
    WallReading scratch;
    std::vector<RunFailure> all;
    WallFileReader(text, scratch, &all).read();
    return all;
}

const WallField* wall_field_at(std::string_view text, std::size_t offset, int& line) {
    line = 1;
    int read = 0;  // lines of the file's pattern met so far
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view row = text.substr(start, end - start);
        const bool blank = row.find_first_not_of(" \t\r\f\v") == std::string_view::npos;
        if (!blank) ++read;
        if (offset <= end || end == text.size()) {
            if (blank || read > kWallFileLines) return nullptr;
            const std::vector<const WallField*> fields = wall_fields_on_line(read);
            const std::size_t before = offset > start ? offset - start : 0;
            const std::string_view ahead = row.substr(0, std::min(before, row.size()));
            const auto commas = static_cast<std::size_t>(std::count(ahead.begin(), ahead.end(), ','));
            return fields[std::min(commas, fields.size() - 1)];
        }
        start = end + 1;
        ++line;
    }
    return nullptr;
}

WallInput read_wall_input(std::string_view text) {
    WallReading reading = read_wall_file(text);
    if (reading.refusal) throw *reading.refusal;
    return reading.input;
}

}  // namespace lwall
