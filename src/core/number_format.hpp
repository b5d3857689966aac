#pragma once
// Number formatting shared by every writer of both output files. "%5.0lf" and the other
// fixed formats round exact halves away from zero (0.5 -> 1, 2.5 -> 3, -0.4 -> -0), where the C
// library would round them to even. Nothing here allocates; a non-finite value is refused.

#include <cstddef>
#include <string_view>

namespace lwall {

// Rounds to `decimals` places, exact halves away from zero.
double round_half_away(double v, int decimals = 0);

// numerator / denominator to `decimals` places (0 ... 6), halves away from zero, decided on the
// decimal quotient itself: two whole numbers are divided exactly, so that 4833750 / 10000 is
// 483.375 and 483.375 / 10 gives 48.338, where the binary quotient 48.33749... would give 48.337.
// Anything else (not whole, a denominator of 0 or less, beyond 1e12) divides as it stands.
double divide_to_decimals(double numerator, double denominator, int decimals);

// Writes v as "%<width>.<decimals>f" would, with the rounding above, into out (at least 40
// bytes); returns the number of characters. Throws RunFailure for nan or inf.
std::size_t format_fixed(char* out, double v, int width, int decimals);

// Writes v as "%d"; returns the number of characters (out holds at least 24 bytes).
std::size_t format_int(char* out, long long v);

// A small fixed-capacity text buffer for labels and script lines: appends text and numbers
// in the formats above without touching the heap.
class TextBuf {
public:
    static constexpr std::size_t kCapacity = 512;

    TextBuf& text(std::string_view s);
    TextBuf& fixed(double v, int width, int decimals);
    TextBuf& integer(long long v);
    // A value as an engineer writes it: whole numbers without a point, others with up to six
    // decimals and no trailing zeros ("500", "12.5").
    TextBuf& plain(double v);
    TextBuf& clear() { len_ = 0; return *this; }

    std::string_view view() const noexcept { return {buf_, len_}; }
    operator std::string_view() const noexcept { return view(); }
    std::size_t size() const noexcept { return len_; }

private:
    char buf_[kCapacity];
    std::size_t len_ = 0;
};

// "%5.0lf" of v as a TextBuf, the most common label of the sheet.
TextBuf fmt_length(double v);

}  // namespace lwall
