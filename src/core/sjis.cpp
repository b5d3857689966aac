#include "core/sjis.hpp"

#include <algorithm>
#include <map>
#include <vector>

namespace lwall {

namespace {

void put_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The second codes of the characters code page 932 holds twice.
constexpr SjisCode kSjisAlternates[] = {
#include "sjis_alternates.inc"
};

// The code table the other way round, with the second codes: Shift_JIS code to code point, sorted
// by code.
const std::vector<SjisCode>& by_sjis_code() {
    static const std::vector<SjisCode> table = [] {
        std::vector<SjisCode> t(std::begin(kSjisCodes), std::end(kSjisCodes));
        t.insert(t.end(), std::begin(kSjisAlternates), std::end(kSjisAlternates));
        std::sort(t.begin(), t.end(), [](const SjisCode& a, const SjisCode& b) { return a.sjis < b.sjis; });
        return t;
    }();
    return table;
}

constexpr char32_t kNoCharacter = U'\uFFFD';

char32_t code_point_of(std::uint16_t code) {
    const auto& t = by_sjis_code();
    const auto it = std::lower_bound(t.begin(), t.end(), code,
                                     [](const SjisCode& e, std::uint16_t c) { return e.sjis < c; });
    return it != t.end() && it->sjis == code ? it->code_point : kNoCharacter;
}

bool is_lead_byte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool is_trail_byte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// One character of Shift_JIS text at text[i]: its code point (kNoCharacter for bytes that are no
// character) and its length in bytes.
struct SjisChar {
    char32_t code_point;
    std::size_t length;
};

SjisChar sjis_char_at(std::string_view text, std::size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) return {b, 1};
    if (is_lead_byte(b)) {
        if (i + 1 < text.size() && is_trail_byte(static_cast<unsigned char>(text[i + 1]))) {
            const auto code = static_cast<std::uint16_t>((b << 8) | static_cast<unsigned char>(text[i + 1]));
            return {code_point_of(code), 2};
        }
        return {kNoCharacter, 1};
    }
    if (b >= 0xA1 && b <= 0xDF) return {code_point_of(b), 1};  // half-width katakana
    return {kNoCharacter, 1};
}

// The code of a code point as utf8_to_sjis writes it; 0 when Shift_JIS lacks it.
std::uint16_t sjis_code_or_zero(char32_t cp) {
    const auto it = std::lower_bound(std::begin(kSjisCodes), std::end(kSjisCodes), cp,
                                     [](const SjisCode& e, char32_t c) { return e.code_point < c; });
    return it != std::end(kSjisCodes) && it->code_point == cp ? it->sjis : 0;
}

void put_sjis(std::string& out, std::uint16_t code) {
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

// The lines of a text, each with its line end.
std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        out.push_back(text.substr(start, end - start));
        start = end;
    }
    return out;
}

}  // namespace

std::optional<std::string> utf8_to_sjis(std::string_view utf8_text) {
    std::string out;
    out.reserve(utf8_text.size());
    std::size_t i = 0;
    while (i < utf8_text.size()) {
        const Utf8Char c = decode_utf8(utf8_text.data() + i, utf8_text.size() - i);
        if (c.length == 0) return std::nullopt;
        i += c.length;
        if (c.code_point < 0x80) {
            out += static_cast<char>(c.code_point);
            continue;
        }
        const std::uint16_t code = sjis_code_or_zero(c.code_point);
        if (code == 0) return std::nullopt;
        put_sjis(out, code);
    }
    return out;
}

std::string utf8_to_sjis_marked(std::string_view utf8_text) {
    std::string out;
    out.reserve(utf8_text.size());
    for (std::size_t i = 0; i < utf8_text.size();) {
        const Utf8Char c = decode_utf8(utf8_text.data() + i, utf8_text.size() - i);
        i += std::max<std::size_t>(c.length, 1);
        if (c.length != 0 && c.code_point < 0x80) {
            out += static_cast<char>(c.code_point);
            continue;
        }
        const std::uint16_t code = c.length == 0 ? 0 : sjis_code_or_zero(c.code_point);
        if (code == 0) out += '?';
        else put_sjis(out, code);
    }
    return out;
}

std::size_t first_non_sjis(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const SjisChar c = sjis_char_at(text, i);
        if (c.code_point == kNoCharacter) return i;
        i += c.length;
    }
    return std::string_view::npos;
}

std::string keep_original_codes(std::string_view text, std::string_view original) {
    // The lines of the original whose characters utf8_to_sjis would write in other codes, by the
    // codes it would write.
    std::map<std::string, std::string_view, std::less<>> kept;
    for (const std::string_view line : lines_of(original)) {
        if (first_non_sjis(line) != std::string_view::npos) continue;
        const std::optional<std::string> first_codes = utf8_to_sjis(sjis_to_utf8(line));
        if (first_codes && *first_codes != line) kept.emplace(*first_codes, line);
    }
    if (kept.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (const std::string_view line : lines_of(text)) {
        const auto it = kept.find(line);
        out += it != kept.end() ? it->second : line;
    }
    return out;
}

std::string sjis_to_utf8(std::string_view sjis_text) {
    std::string out;
    out.reserve(sjis_text.size() * 3 / 2);
    for (std::size_t i = 0; i < sjis_text.size();) {
        const SjisChar c = sjis_char_at(sjis_text, i);
        put_utf8(out, c.code_point);
        i += c.length;
    }
    return out;
}

}  // namespace lwall
