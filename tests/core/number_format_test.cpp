#include "core/number_format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "core/run_failure.hpp"

namespace lwall {
namespace {

std::string fixed(double v, int width, int decimals) {
    char buf[48];
    return {buf, format_fixed(buf, v, width, decimals)};
}

TEST(WholeNumberFormat, HalvesRoundAwayFromZero) {
    EXPECT_EQ(fixed(0.5, 5, 0), "    1");
    EXPECT_EQ(fixed(1.5, 5, 0), "    2");
    EXPECT_EQ(fixed(2.5, 5, 0), "    3");  // printf would give 2
    EXPECT_EQ(fixed(-2.5, 5, 0), "   -3");
    EXPECT_EQ(fixed(1234.5, 5, 0), " 1235");
    EXPECT_EQ(fixed(1389.5, 5, 0), " 1390");
    EXPECT_EQ(fixed(2.4999999, 5, 0), "    2");
}

TEST(WholeNumberFormat, NegativeValuesThatRoundToZeroKeepTheirSign) {
    EXPECT_EQ(fixed(-0.4, 5, 0), "   -0");
    EXPECT_EQ(fixed(0.4, 5, 0), "    0");
    EXPECT_EQ(fixed(-0.0, 5, 0), "   -0");
}

TEST(WholeNumberFormat, PadsToTheFieldAndGrowsBeyondIt) {
    EXPECT_EQ(fixed(12, 5, 0), "   12");
    EXPECT_EQ(fixed(678.4, 5, 0), "  678");
    EXPECT_EQ(fixed(123456, 5, 0), "123456");
    EXPECT_EQ(fixed(-12345, 5, 0), "-12345");
    EXPECT_EQ(fixed(200, 3, 0), "200");
    EXPECT_EQ(fixed(50, 3, 0), " 50");
    EXPECT_EQ(fixed(400, 4, 0), " 400");
}

TEST(DecimalFormat, ThreeDecimalsAsPrintfWithExactHalvesAwayFromZero) {
    EXPECT_EQ(fixed(0.13, 5, 3), "0.130");
    EXPECT_EQ(fixed(12.5, 5, 3), "12.500");
    EXPECT_EQ(fixed(1.22783, 5, 3), "1.228");
    EXPECT_EQ(fixed(0.0625, 5, 3), "0.063");   // an exact binary half: printf gives 0.062
    EXPECT_EQ(fixed(-0.0625, 5, 3), "-0.063");
    EXPECT_EQ(fixed(22.0, 5, 1), " 22.0");
    EXPECT_EQ(fixed(0.25, 5, 1), "  0.3");
}

TEST(DecimalFormat, AgreesWithPrintfWhereverTheValueIsNoExactHalf) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> any(-2e4, 2e4);
    for (int i = 0; i < 200000; ++i) {
        const double v = i % 4 == 0 ? std::round(any(rng) * 1000) / 1000 : any(rng) / (1 + i % 97);
        for (int decimals : {1, 3}) {
            double scaled = v;
            for (int k = 0; k < decimals; ++k) scaled *= 10;
            if (std::fabs(scaled - std::trunc(scaled)) == 0.5) continue;  // exact ties round away instead
            char expected[64];
            std::snprintf(expected, sizeof expected, "%5.*f", decimals, v);
            ASSERT_EQ(fixed(v, 5, decimals), expected) << v;
        }
        char expected[64];
        std::snprintf(expected, sizeof expected, "%5.0f", std::round(v));
        ASSERT_EQ(fixed(v, 5, 0), expected) << v;
    }
}

TEST(NumberFormat, NonFiniteNumbersNeverReachAFile) {
    char buf[48];
    EXPECT_THROW(format_fixed(buf, std::numeric_limits<double>::quiet_NaN(), 5, 0), RunFailure);
    EXPECT_THROW(format_fixed(buf, std::numeric_limits<double>::infinity(), 5, 3), RunFailure);
    EXPECT_THROW(format_fixed(buf, 1e300, 5, 0), RunFailure);
}

TEST(IntegerFormat, WritesPlainDecimal) {
    char buf[24];
    EXPECT_EQ(std::string(buf, format_int(buf, 0)), "0");
    EXPECT_EQ(std::string(buf, format_int(buf, -62)), "-62");
    EXPECT_EQ(std::string(buf, format_int(buf, std::numeric_limits<long long>::min())), "-9223372036854775808");
}

TEST(TextBuf, BuildsLabelsFromTextAndNumbers) {
    TextBuf t;
    t.integer(6).text("x").fixed(200, 3, 0).text(" = ").fixed(1200, 5, 0);
    EXPECT_EQ(t.view(), "6x200 =  1200");
    EXPECT_EQ(fmt_length(2500).view(), " 2500");
    t.clear();
    EXPECT_TRUE(t.view().empty());
}

TEST(TextBuf, StopsAtItsCapacityInsteadOfOverrunning) {
    TextBuf t;
    const std::string chunk(100, 'a');
    for (int i = 0; i < 10; ++i) t.text(chunk);
    EXPECT_EQ(t.size(), TextBuf::kCapacity);
}

}  // namespace
}  // namespace lwall
