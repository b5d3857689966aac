#include "input/title_file.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "core/run_failure.hpp"
#include "core/sjis.hpp"
#include "core/wall_fields.hpp"

namespace lwall {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// True when the text reads as UTF-8 Japanese: beyond ASCII, and every character one that Shift_JIS
// has. Such bytes often pass for Shift_JIS too (as other characters), so this is asked first.
bool looks_like_utf8(std::string_view s) {
    const bool beyond_ascii = std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return beyond_ascii && utf8_to_sjis(s).has_value();
}

void check_value(std::string_view value, const WallField& f, int line) {
    const FieldRef at{kTitleFileName, line, f.name, f.label_ja};
    const auto refuse = [&](const Message& what) { throw input_refusal(at, what); };
    if (looks_like_utf8(value)) refuse(msg::title_value_is_utf8());
    if (const std::size_t bad = first_non_sjis(value); bad != std::string_view::npos) {
        refuse(msg::not_sjis_byte(static_cast<unsigned char>(value[bad]), bad + 1));
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto b = static_cast<unsigned char>(value[i]);
        if (b < 0x20 || b == 0x7F) refuse(msg::control_character(b, i + 1));
        if (b >= 0x80 && !(b >= 0xA1 && b <= 0xDF)) ++i;  // the trail byte of a double-byte character
    }
    if (value.size() > f.max_bytes) refuse(msg::too_long_for_box(value.size(), f.max_bytes));
    // Every value stands on the SXF sheets too, inside the comment of its feature. ('*' and '/' are
    // never the trail byte of a double-byte character.)
    if (value.find("*/") != std::string_view::npos) refuse(msg::ends_sheet_comment());
}

// `all`: each line judged, every refusal gathered there; else the first ends the reading.
void read_lines(std::string_view text, TitleReading& r, std::vector<RunFailure>* all = nullptr) {
    const std::vector<WallField>& fields = title_fields();
    int& line = r.lines_read;
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        const std::string_view value = trimmed(raw);
        try {
            if (line > kTitleFileLines) {
                if (value.empty()) continue;
                const std::string label = msg::title_extra_value_label();
                throw input_refusal(FieldRef{kTitleFileName, line, "extra value", label},
                                    msg::title_value_beyond_last(line, kTitleFileLines));
            }
            const WallField& f = fields[static_cast<std::size_t>(line - 1)];
            check_value(value, f, line);
            r.input.values[static_cast<std::size_t>(f.index)] = value;
        } catch (const RunFailure& f) {
            if (all == nullptr) throw;
            all->push_back(f);
        }
    }
}

}  // namespace

TitleReading read_title_file(std::string_view text) {
    TitleReading r;
    try {
        read_lines(text, r);
    } catch (const RunFailure& f) {
        r.refusal = f;
    }
    return r;
}

std::vector<RunFailure> title_file_refusals(std::string_view text) {
    TitleReading scratch;
    std::vector<RunFailure> all;
    read_lines(text, scratch, &all);
    return all;
}

TitleInput read_title_input(std::string_view text) {
    TitleReading r = read_title_file(text);
    if (r.refusal) throw *r.refusal;
    return std::move(r.input);
}

}  // namespace lwall
