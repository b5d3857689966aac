#include "output/number_format.hpp"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "driver/run_failure.hpp"

namespace lwall {

namespace {

constexpr double kPow10[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0, 1000000.0};

// True when v * 10^decimals lies exactly half-way between two integers (no rounding error in
// the product: fma recovers the exact residue).
bool is_exact_half(double v, int decimals, double& scaled) {
    const double p = kPow10[decimals];
    scaled = v * p;
    if (std::fma(v, p, -scaled) != 0.0) return false;
    return std::fabs(scaled - std::trunc(scaled)) == 0.5;
}

}  // namespace

double round_half_away(double v, int decimals) {
    if (decimals <= 0) return std::round(v);
    double scaled = 0.0;
    if (decimals < 7 && is_exact_half(v, decimals, scaled)) return std::round(scaled) / kPow10[decimals];
    return v;  // not a tie: the correctly rounded conversion of printf is already right
}

std::size_t format_int(char* out, long long v) {
    char digits[24];
    std::size_t n = 0;
    unsigned long long u = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    do {
        digits[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    std::size_t len = 0;
    if (v < 0) out[len++] = '-';
    while (n > 0) out[len++] = digits[--n];
    return len;
}

std::size_t format_fixed(char* out, double v, int width, int decimals) {
    // The input limits keep every coordinate far below 1e15; this guards the files regardless.
    if (!std::isfinite(v) || std::fabs(v) >= 1e15) {
        throw RunFailure(kExitBadInput, "internal error: a number that is not finite or far too large was about to be written");
    }
    if (decimals <= 0) {
        // Whole numbers: a plain integer, "-0" for a negative value that rounds to zero.
        const double r = std::round(v);
        char body[24];
        std::size_t len = 0;
        if (std::signbit(r)) body[len++] = '-';
        len += format_int(body + len, static_cast<long long>(std::fabs(r)));
        const std::size_t pad = width > 0 && static_cast<std::size_t>(width) > len ? width - len : 0;
        std::memset(out, ' ', pad);
        std::memcpy(out + pad, body, len);
        return pad + len;
    }
    return static_cast<std::size_t>(std::snprintf(out, 40, "%*.*f", width, decimals, round_half_away(v, decimals)));
}

TextBuf& TextBuf::text(std::string_view s) {
    const std::size_t n = s.size() < kCapacity - len_ ? s.size() : kCapacity - len_;
    std::memcpy(buf_ + len_, s.data(), n);
    len_ += n;
    return *this;
}

TextBuf& TextBuf::fixed(double v, int width, int decimals) {
    char tmp[48];
    return text({tmp, format_fixed(tmp, v, width, decimals)});
}

TextBuf& TextBuf::integer(long long v) {
    char tmp[24];
    return text({tmp, format_int(tmp, v)});
}

TextBuf fmt_length(double v) {
    TextBuf t;
    t.fixed(v, 5, 0);
    return t;
}

}  // namespace lwall
