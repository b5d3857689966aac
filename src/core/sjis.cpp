#include "core/sjis.hpp"

#include <algorithm>
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

// The code table the other way round: Shift_JIS code to code point, sorted by code.
const std::vector<SjisCode>& by_sjis_code() {
    static const std::vector<SjisCode> table = [] {
        std::vector<SjisCode> t(std::begin(kSjisCodes), std::end(kSjisCodes));
        std::sort(t.begin(), t.end(), [](const SjisCode& a, const SjisCode& b) { return a.sjis < b.sjis; });
        return t;
    }();
    return table;
}

char32_t code_point_of(std::uint16_t code) {
    const auto& t = by_sjis_code();
    const auto it = std::lower_bound(t.begin(), t.end(), code,
                                     [](const SjisCode& e, std::uint16_t c) { return e.sjis < c; });
    return it != t.end() && it->sjis == code ? it->code_point : U'\uFFFD';
}

bool is_lead_byte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

std::size_t first_non_sjis(std::string_view sjis_text) {
    for (std::size_t i = 0; i < sjis_text.size(); ++i) {
        const auto b = static_cast<unsigned char>(sjis_text[i]);
        if (b < 0x80) continue;
        if (is_lead_byte(b)) {
            if (i + 1 >= sjis_text.size()) return i;
            const auto code = static_cast<std::uint16_t>((b << 8) | static_cast<unsigned char>(sjis_text[i + 1]));
            if (code_point_of(code) == U'\uFFFD') return i;
            ++i;
        } else if (b < 0xA1 || b > 0xDF || code_point_of(b) == U'\uFFFD') {
            return i;
        }
    }
    return std::string_view::npos;
}

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
        const auto it = std::lower_bound(std::begin(kSjisCodes), std::end(kSjisCodes), c.code_point,
                                         [](const SjisCode& e, char32_t cp) { return e.code_point < cp; });
        if (it == std::end(kSjisCodes) || it->code_point != c.code_point) return std::nullopt;
        if (it->sjis > 0xFF) out += static_cast<char>(it->sjis >> 8);
        out += static_cast<char>(it->sjis & 0xFF);
    }
    return out;
}

std::string sjis_to_utf8(std::string_view sjis_text) {
    std::string out;
    out.reserve(sjis_text.size() * 3 / 2);
    for (std::size_t i = 0; i < sjis_text.size(); ++i) {
        const auto b = static_cast<unsigned char>(sjis_text[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else if (is_lead_byte(b) && i + 1 < sjis_text.size()) {
            const auto code = static_cast<std::uint16_t>((b << 8) | static_cast<unsigned char>(sjis_text[++i]));
            put_utf8(out, code_point_of(code));
        } else if (b >= 0xA1 && b <= 0xDF) {
            put_utf8(out, code_point_of(b));  // half-width katakana
        } else {
            put_utf8(out, U'\uFFFD');
        }
    }
    return out;
}

}  // namespace lwall
