#include "input/text_scan.hpp"

#include <cmath>
#include <cstdlib>
#include <string>

#include "core/sjis.hpp"

namespace lwall {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// [+-]digits[.digits][(e|E)[+-]digits], or [+-].digits[...]; the whole token.
bool is_decimal_number(std::string_view t) {
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < t.size() && is_digit(t[i])) { ++i; ++digits; }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && is_digit(t[i])) { ++i; ++digits; }
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        std::size_t exp_digits = 0;
        while (i < t.size() && is_digit(t[i])) { ++i; ++exp_digits; }
        if (exp_digits == 0) return false;
    }
    return i == t.size();
}

bool is_whole_number(std::string_view t) {
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (i == t.size()) return false;
    for (; i < t.size(); ++i) {
        if (!is_digit(t[i])) return false;
    }
    return true;
}

bool names_non_finite(std::string_view t) {
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) t.remove_prefix(1);
    std::string lower;
    for (char c : t.substr(0, 3)) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower == "nan" || lower == "inf";
}

}  // namespace

ScanError scan_real(std::string_view token, double& out) {
    if (token.empty()) return ScanError::empty;
    if (!is_decimal_number(token)) return names_non_finite(token) ? ScanError::not_finite : ScanError::not_a_number;
    const std::string s(token);
    const double v = std::strtod(s.c_str(), nullptr);
    if (!std::isfinite(v)) return ScanError::not_finite;
    if (std::fabs(v) > kMaxInputReal) return ScanError::out_of_range;
    out = v;
    return ScanError::none;
}

ScanError scan_int(std::string_view token, int& out) {
    if (token.empty()) return ScanError::empty;
    if (!is_whole_number(token)) {
        if (is_decimal_number(token)) return ScanError::not_whole;
        return names_non_finite(token) ? ScanError::not_finite : ScanError::not_a_number;
    }
    std::size_t i = (token[0] == '+' || token[0] == '-') ? 1 : 0;
    long long v = 0;
    for (; i < token.size(); ++i) {
        v = v * 10 + (token[i] - '0');
        if (v > kMaxInputInt) return ScanError::out_of_range;
    }
    out = static_cast<int>(token[0] == '-' ? -v : v);
    return ScanError::none;
}

Message describe_scan_error(ScanError e, std::string_view token, bool whole) {
    const std::string shown = shown_in_message(token);
    switch (e) {
    case ScanError::empty: return msg::value_empty();
    case ScanError::not_whole: return msg::not_whole(shown);
    case ScanError::not_finite: return msg::not_finite(shown);
    case ScanError::out_of_range: return msg::out_of_range(shown, whole, kMaxInputInt);
    case ScanError::not_a_number:
    case ScanError::none: break;
    }
    return msg::not_a_number(shown, whole);
}

void TextCursor::skip_white() {
    while (!at_end()) {
        const char c = text[pos];
        if (c == '\n') ++line;
        else if (c != ' ' && c != '\t' && c != '\r' && c != '\f' && c != '\v') return;
        ++pos;
    }
}

void TextCursor::skip_blanks() {
    while (!at_end() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\f' ||
                         text[pos] == '\v')) {
        ++pos;
    }
}

bool TextCursor::rest_of_line_blank() const {
    for (std::size_t i = pos; i < text.size() && text[i] != '\n'; ++i) {
        const char c = text[i];
        if (c != ' ' && c != '\t' && c != '\r' && c != '\f' && c != '\v') return false;
    }
    return true;
}

void TextCursor::next_line() {
    while (!at_end() && text[pos] != '\n') ++pos;
    if (!at_end()) {
        ++pos;
        ++line;
    }
}

std::string_view TextCursor::token(bool stop_at_comma) {
    const std::size_t start = pos;
    while (!at_end()) {
        const char c = text[pos];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') break;
        if (stop_at_comma && c == ',') break;
        ++pos;
    }
    return text.substr(start, pos - start);
}

std::string shown_in_message(std::string_view s) {
    constexpr std::size_t kShown = 24;
    std::string q;
    std::size_t i = 0;
    for (; i < s.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        const bool sjis_lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (sjis_lead) {
            if (i + 1 >= kShown || i + 1 >= s.size()) break;  // never split a double-byte character
            q += static_cast<char>(c);
            q += s[++i];
            continue;
        }
        q += (c < 0x20 || c == 0x7F) ? '?' : static_cast<char>(c);
    }
    if (i < s.size()) q += "...";
    return sjis_to_utf8(q);
}

}  // namespace lwall
