#include "input/wall_file.hpp"

#include <string>

#include "core/wall_fields.hpp"
#include "input/text_scan.hpp"

namespace lwall {

namespace {

[[noreturn]] void refuse(int line, const WallField& field, const Message& what) {
    throw input_refusal({kWallFileName, line, field.name, field.label_ja}, what);
}

class WallFileReader {
public:
    explicit WallFileReader(std::string_view text, WallReading& out) : cur_{text}, out_(out) {
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
        }
        out_.given[&f - wall_fields().data()] = true;
    }

    // One line read the way its scan pattern reads it: numbers separated by single commas (blanks
    // may precede a number, not a comma). A line with fewer values leaves the rest at 0. Returns the
    // number of the line read, 0 when the file has ended.
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
                    if (cur_.peek() == ',') refuse(cur_.line, *fields[i - 1], msg::blank_before_comma());
                    refuse(cur_.line, *fields[i - 1], msg::expected_comma_or_end(shown_in_message(cur_.token(false))));
                }
                ++cur_.pos;
                cur_.skip_blanks();
                if (cur_.at_line_end()) {
                    ++out_.fields_seen;
                    refuse(cur_.line, *fields[i], msg::number_after_comma());
                }
            }
            store(*fields[i], cur_.token(true));
        }
        if (!cur_.rest_of_line_blank()) {
            cur_.skip_blanks();
            if (cur_.peek() == ',') {
                refuse(cur_.line, *fields.back(), msg::more_values_than_line(static_cast<int>(fields.size())));
            }
            refuse(cur_.line, *fields.back(), msg::expected_line_end(shown_in_message(cur_.token(false))));
        }
        cur_.next_line();
        return line;
    }

    TextCursor cur_;
    WallReading& out_;
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

WallInput read_wall_input(std::string_view text) {
    WallReading reading = read_wall_file(text);
    if (reading.refusal) throw *reading.refusal;
    return reading.input;
}

}  // namespace lwall
