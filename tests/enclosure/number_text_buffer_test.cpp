#include "number_text_buffer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace sublumo {
namespace {

std::string appended(double v, NumberFormat format) {
    std::string out = "x";
    appendNumberText(out, v, format);
    return out.substr(1);
}

TEST(NumberTextBuffer, WritesWhatFormatNumberWrites) {
    const double inf = std::numeric_limits<double>::infinity();
    const double samples[] = {0.0,
                              -0.0,
                              1.0,
                              -1.0,
                              0.5,
                              20.0,
                              100.0,
                              500.0,
                              -3.0103,
                              1e-7,
                              1.25e-5,
                              123456789012345.0,
                              1234567890123456.0,
                              1e20,
                              -2.5e-3,
                              0.1 + 0.2,
                              99.99999999999999,
                              999999999999999.5,
                              1000000000000000.5,
                              9.999999999999995,
                              4.35,
                              inf,
                              -inf,
                              std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::denorm_min(),
                              std::numeric_limits<double>::max()};
    for (double v : samples)
        for (char sep : {'.', ','}) EXPECT_EQ(appended(v, {sep}), formatNumber(v, {sep})) << v;
}

TEST(NumberTextBuffer, ExactTiesAndPowersOfTen) {
    // Exactly representable values whose sixteenth digit is a 5 with nothing after it.
    for (double v : {12345678901234.25, 12345678901234.75, 1234567890123.125, 1234567890123.375,
                     -98765432109876.5, 0.5, 2.5e-8})
        EXPECT_EQ(appended(v, {}), formatNumber(v, {})) << v;
    // Next to a power of ten the decimal exponent changes; the doubles of 10^-k are inexact.
    for (int k = -9; k <= 15; ++k) {
        const double p = std::pow(10.0, k);
        for (double v : {std::nextafter(p, 0.0), p, std::nextafter(p, 1e300)})
            EXPECT_EQ(appended(v, {}), formatNumber(v, {})) << v;
    }
}

TEST(NumberTextBuffer, AgreesOnRandomResponseLevels) {
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> level(-150.0, 150.0);
    std::uniform_int_distribution<int> exponent(-12, 18);
    for (int i = 0; i < 200000; ++i) {
        const double v = level(random) * std::pow(10.0, i % 2 ? 0 : exponent(random));
        ASSERT_EQ(appended(v, {}), formatNumber(v, {})) << v;
    }
    // Every bit pattern of the fast range's binary exponents, fraction bits at random.
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<int> biased(1023 - 30, 1023 + 52);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t pattern = (bits(random) & ((std::uint64_t{1} << 52) - 1)) |
                                      std::uint64_t(biased(random)) << 52 |
                                      std::uint64_t(i % 2) << 63;
        const double v = std::bit_cast<double>(pattern);
        ASSERT_EQ(appended(v, {','}), formatNumber(v, {','})) << v;
    }
}

}  // namespace
}  // namespace sublumo
