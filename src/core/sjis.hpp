#pragma once
// Shift_JIS text for everything the program writes. Source files stay UTF-8: every Japanese
// literal is written u8"..."_sj, which converts it while compiling, so the encoded bytes never
// pass through a C escape rule (some trail bytes are 0x5C, the backslash: 表 is 0x95 0x5C).
// A character missing from the table stops the build instead of reaching a file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lwall {

struct SjisCode {
    char32_t code_point;
    std::uint16_t sjis;  // one byte when below 0x100
};

inline constexpr SjisCode kSjisCodes[] = {
#include "sjis_table.inc"
};

constexpr std::uint16_t sjis_code_of(char32_t cp) {
    std::size_t lo = 0;
    std::size_t hi = std::size(kSjisCodes);
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (kSjisCodes[mid].code_point == cp) return kSjisCodes[mid].sjis;
        if (kSjisCodes[mid].code_point < cp) lo = mid + 1; else hi = mid;
    }
    throw "character missing from the Shift_JIS table: add it to tools/gen_sjis_table.py";
}

// A Shift_JIS string made at compile time; N bounds its length (the UTF-8 form is never shorter).
template <std::size_t N>
struct SjisText {
    std::array<char, N> bytes{};
    std::size_t size = 0;

    constexpr std::string_view view() const noexcept { return {bytes.data(), size}; }
};

template <std::size_t N>
constexpr SjisText<N> sjis_convert(const char8_t (&utf8)[N]) {
    SjisText<N> out;
    std::size_t i = 0;
    while (i + 1 < N) {  // the last element is the terminating zero
        const auto lead = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0;
        std::size_t len = 1;
        if (lead < 0x80) cp = lead;
        else if ((lead & 0xE0) == 0xC0) { cp = lead & 0x1F; len = 2; }
        else if ((lead & 0xF0) == 0xE0) { cp = lead & 0x0F; len = 3; }
        else if ((lead & 0xF8) == 0xF0) { cp = lead & 0x07; len = 4; }
        else throw "invalid UTF-8 in a literal";
        if (i + len >= N) throw "truncated UTF-8 in a literal";
        for (std::size_t k = 1; k < len; ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        i += len;
        if (cp < 0x80) {
            out.bytes[out.size++] = static_cast<char>(cp);
            continue;
        }
        const std::uint16_t code = sjis_code_of(cp);
        if (code > 0xFF) out.bytes[out.size++] = static_cast<char>(code >> 8);
        out.bytes[out.size++] = static_cast<char>(code & 0xFF);
    }
    return out;
}

// A UTF-8 literal as a template argument.
template <std::size_t N>
struct Utf8Literal {
    char8_t text[N]{};
    consteval Utf8Literal(const char8_t (&s)[N]) {
        for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
    }
};

template <Utf8Literal L>
inline constexpr auto kSjisText = sjis_convert(L.text);

// u8"鉄 筋 加 工 図"_sj: the Shift_JIS bytes of a literal, held in static storage.
template <Utf8Literal L>
consteval std::string_view operator""_sj() {
    return kSjisText<L>.view();
}

// The UTF-8 form of Shift_JIS text, for the picture of the sheet; a byte pair the table does not
// hold becomes U+FFFD.
std::string sjis_to_utf8(std::string_view sjis_text);

}  // namespace lwall
