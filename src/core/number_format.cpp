#include "core/number_format.hpp"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/run_failure.hpp"

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

double divide_to_decimals(double numerator, double denominator, int decimals) {
    const double p = kPow10[decimals];
    const bool whole = numerator == std::floor(numerator) && denominator == std::floor(denominator);
    if (!whole || denominator <= 0 || std::fabs(numerator) * p >= 1e12 || denominator >= 1e12) {
        return round_half_away(numerator / denominator, decimals);
    }
    const long long n = static_cast<long long>(std::fabs(numerator) * p);
    const long long d = static_cast<long long>(denominator);
    long long q = n / d;
    if (2 * (n % d) >= d) ++q;  // half a unit of the last place or more rounds away from zero
    return (numerator < 0 ? -1.0 : 1.0) * static_cast<double>(q) / p;
}

std::size_t format_int(char* out, long long v) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    if (v >= 0 && v < 10) {  // most integers of the drawing file: zeros and colours
        out[0] = static_cast<char>('0' + v);
        return 1;
    }
    char digits[24];
    std::size_t n = sizeof digits;
    unsigned long long u = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    while (u >= 100) {
        const auto pair = static_cast<std::size_t>(u % 100) * 2;
        u /= 100;
        digits[--n] = kPairs[pair + 1];
        digits[--n] = kPairs[pair];
    }
    if (u >= 10) {
        digits[--n] = kPairs[u * 2 + 1];
        digits[--n] = kPairs[u * 2];
    } else {
        digits[--n] = static_cast<char>('0' + u);
    }
    std::size_t len = 0;
    if (v < 0) out[len++] = '-';
    std::memcpy(out + len, digits + n, sizeof digits - n);
    return len + sizeof digits - n;
}

namespace {

// Right-aligns the `len` characters of body in a field of `width`.
std::size_t pad_into(char* out, const char* body, std::size_t len, int width) {
    const std::size_t pad = width > 0 && static_cast<std::size_t>(width) > len ? width - len : 0;
    std::memset(out, ' ', pad);
    std::memcpy(out + pad, body, len);
    return pad + len;
}

}  // namespace

std::size_t format_fixed(char* out, double v, int width, int decimals) {
    // The input limits keep every coordinate far below 1e15; this guards the files regardless.
    if (!std::isfinite(v) || std::fabs(v) >= 1e15) {
        throw RunFailure(kExitBadInput,
                         msg::internal_error("a number that is not finite or far too large was about to be written"));
    }
    char body[48];
    std::size_t len = 0;
    if (decimals <= 0) {
        // Whole numbers: a plain integer, "-0" for a negative value that rounds to zero.
        const double r = std::round(v);
        if (std::signbit(r)) body[len++] = '-';
        len += format_int(body + len, static_cast<long long>(std::fabs(r)));
        return pad_into(out, body, len, width);
    }
    if (decimals <= 6 && std::fabs(v) < 1e8) {
        // Far from a half-way point the nearest integer of v * 10^decimals is what the correctly
        // rounded conversion of printf prints; near one, printf decides (and ties go away from zero).
        const double p = kPow10[decimals];
        const double scaled = std::fabs(v) * p;
        const double frac = scaled - std::floor(scaled);
        if (std::fabs(frac - 0.5) > 1e-6) {
            const auto r = static_cast<long long>(std::floor(scaled + 0.5));
            const auto unit = static_cast<long long>(p);
            if (std::signbit(v)) body[len++] = '-';
            len += format_int(body + len, r / unit);
            body[len++] = '.';
            char frac_digits[24];
            const std::size_t n = format_int(frac_digits, r % unit);
            for (std::size_t k = n; k < static_cast<std::size_t>(decimals); ++k) body[len++] = '0';
            std::memcpy(body + len, frac_digits, n);
            len += n;
            return pad_into(out, body, len, width);
        }
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

TextBuf& TextBuf::plain(double v) {
    char tmp[48];
    std::size_t n = format_fixed(tmp, v, 0, 6);
    while (tmp[n - 1] == '0') --n;
    if (tmp[n - 1] == '.') --n;
    if (n == 2 && tmp[0] == '-' && tmp[1] == '0') return text("0");  // -0 reads 0
    return text({tmp, n});
}

TextBuf fmt_length(double v) {
    TextBuf t;
    t.fixed(v, 5, 0);
    return t;
}

}  // namespace lwall
