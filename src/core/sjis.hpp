#pragma once
// Shift_JIS text for everything the program writes, converted here and nowhere else. Source files
// stay UTF-8: every Japanese literal is written u8"..."_sj, which converts it while compiling, so the
// encoded bytes never pass through a C escape rule (some trail bytes are 0x5C, the backslash: 表 is
// 0x95 0x5C). A character missing from code page 932 stops the build instead of reaching a file.
// Text made while running converts both ways below.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
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
    throw "character missing from Shift_JIS (code page 932)";
}

// A Shift_JIS string made at compile time; N bounds its length (the UTF-8 form is never shorter).
template <std::size_t N>
struct SjisText {
    std::array<char, N> bytes{};
    std::size_t size = 0;

    constexpr std::string_view view() const noexcept { return {bytes.data(), size}; }
};

// One UTF-8 character at the start of `s` (n bytes available): its code point and its length in
// bytes; length 0 for a malformed or truncated sequence.
struct Utf8Char {
    char32_t code_point = 0;
    std::size_t length = 0;
};

template <typename Byte>
constexpr Utf8Char decode_utf8(const Byte* s, std::size_t n) {
    const auto lead = static_cast<unsigned char>(s[0]);
    Utf8Char c;
    if (lead < 0x80) return {lead, 1};
    if ((lead & 0xE0) == 0xC0) c = {static_cast<char32_t>(lead & 0x1F), 2};
    else if ((lead & 0xF0) == 0xE0) c = {static_cast<char32_t>(lead & 0x0F), 3};
    else if ((lead & 0xF8) == 0xF0) c = {static_cast<char32_t>(lead & 0x07), 4};
    else return {};
    if (c.length > n) return {};
    for (std::size_t k = 1; k < c.length; ++k) {
        const auto b = static_cast<unsigned char>(s[k]);
        if ((b & 0xC0) != 0x80) return {};
        c.code_point = (c.code_point << 6) | (b & 0x3F);
    }
    return c;
}

template <std::size_t N>
constexpr SjisText<N> sjis_convert(const char8_t (&utf8)[N]) {
    SjisText<N> out;
    std::size_t i = 0;
    while (i + 1 < N) {  // the last element is the terminating zero
        const Utf8Char c = decode_utf8(utf8 + i, N - 1 - i);
        if (c.length == 0) throw "invalid UTF-8 in a literal";
        i += c.length;
        if (c.code_point < 0x80) {
            out.bytes[out.size++] = static_cast<char>(c.code_point);
            continue;
        }
        const std::uint16_t code = sjis_code_of(c.code_point);
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

// The UTF-8 form of Shift_JIS text, for the picture of the sheet, the web page and JSON; a byte or
// byte pair that is no character of code page 932 becomes U+FFFD (a lead byte without a trail byte
// alone, so that the line end after it stays).
std::string sjis_to_utf8(std::string_view sjis_text);

// The Shift_JIS form of UTF-8 text made while running (labels, an edited file); nothing when the
// text is not UTF-8 or holds a character Shift_JIS lacks.
std::optional<std::string> utf8_to_sjis(std::string_view utf8_text);

// The same for a console line: a character Shift_JIS lacks becomes '?'.
std::string utf8_to_sjis_marked(std::string_view utf8_text);

// Where the first byte of `text` stands that is not part of a character of code page 932 (a stray
// byte, a lead byte without its trail byte, a user-defined character), or npos. Text without such
// bytes goes to UTF-8 and back unchanged, but for the characters the code page holds twice, which
// come back in their first code (see keep_original_codes).
std::size_t first_non_sjis(std::string_view text);

// `text` (Shift_JIS, as utf8_to_sjis made it) with each line that `original` holds in other codes
// of the same characters (≒ as 0x8790 instead of 0x81E0, the IBM extensions) taken from `original`
// byte for byte: an edit keeps the codes of every line it did not change.
std::string keep_original_codes(std::string_view text, std::string_view original);

}  // namespace lwall
