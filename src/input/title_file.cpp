#include "input/title_file.hpp"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/run_failure.hpp"
#include "core/sjis.hpp"
#include "core/wall_fields.hpp"

namespace lwall {

namespace {

std::string byte_text(unsigned char b) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", b);
    return buf;
}

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
    const auto refuse = [&](const std::string& what) { throw input_refusal(kTitleFileName, line, f.name, what); };
    const std::string label = utf8_to_sjis(f.label_ja).value_or(f.name);
    if (looks_like_utf8(value)) refuse(label + " is UTF-8 text; save HyodaiL.dat as Shift_JIS");
    if (const std::size_t at = first_non_sjis(value); at != std::string_view::npos) {
        refuse(label + " is not Shift_JIS: byte " + byte_text(static_cast<unsigned char>(value[at])) +
               " at byte " + std::to_string(at + 1));
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto b = static_cast<unsigned char>(value[i]);
        if (b < 0x20 || b == 0x7F) {
            refuse(label + " holds the control character " + byte_text(b) + " at byte " + std::to_string(i + 1));
        }
        if (b >= 0x80 && !(b >= 0xA1 && b <= 0xDF)) ++i;  // the trail byte of a double-byte character
    }
    if (value.size() > f.max_bytes) {
        refuse(label + " is " + std::to_string(value.size()) + " bytes long; its box holds " +
               std::to_string(f.max_bytes) + " (" + std::to_string(f.max_bytes / 2) + " double-byte characters)");
    }
}

void read_lines(std::string_view text, TitleReading& r) {
    const std::vector<WallField>& fields = title_fields();
    int& line = r.lines_read;
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        const std::string_view value = trimmed(raw);
        if (line > kTitleFileLines) {
            if (value.empty()) continue;
            throw input_refusal(kTitleFileName, line, "extra value",
                                "the file holds seven values, one a line; line " + std::to_string(line) +
                                    " holds one more");
        }
        const WallField& f = fields[static_cast<std::size_t>(line - 1)];
        check_value(value, f, line);
        r.input.values[static_cast<std::size_t>(f.index)] = value;
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

TitleInput read_title_input(std::string_view text) {
    TitleReading r = read_title_file(text);
    if (r.refusal) throw *r.refusal;
    return std::move(r.input);
}

}  // namespace lwall
