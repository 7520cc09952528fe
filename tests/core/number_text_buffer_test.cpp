#include "number_text_buffer.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>

namespace sublumo {
namespace {

std::string appended(double v, NumberFormat format) {
    std::string out = "x";
    appendNumberText(out, v, format);
    return out.substr(1);
}

// An independent reference: printf's correctly rounded 15-digit scientific form, laid out as
// plain decimal text. Both the fast writer and formatNumber must agree with it.
std::string reference(double v, NumberFormat format) {
    if (!std::isfinite(v) || v == 0.0)
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", v);
    std::string sci(buffer);
    const bool negative = sci[0] == '-';
    if (negative)
        sci.erase(0, 1);
    const std::size_t e = sci.find('e');
    const int exponent = std::stoi(sci.substr(e + 1));
    std::string digits = sci.substr(0, 1) + sci.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const int count = static_cast<int>(digits.size());
    std::string out = negative ? "-" : "";
    if (exponent < 0)
        out += "0" + std::string(1, format.decimalSeparator) +
               std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    else if (exponent + 1 >= count)
        out += digits + std::string(static_cast<std::size_t>(exponent + 1 - count), '0');
    else
        out += digits.substr(0, static_cast<std::size_t>(exponent + 1)) + format.decimalSeparator +
               digits.substr(static_cast<std::size_t>(exponent + 1));
    return out;
}

void expectReference(double v, NumberFormat format) {
    const std::string expected = reference(v, format);
    ASSERT_EQ(appended(v, format), expected) << v;
    ASSERT_EQ(formatNumber(v, format), expected) << v;
}

TEST(NumberTextBuffer, WritesThePlainFifteenDigitText) {
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
        for (char sep : {'.', ','}) expectReference(v, {sep});
}

TEST(NumberTextBuffer, ExactTiesAndPowersOfTen) {
    // Exactly representable values whose sixteenth digit is a 5 with nothing after it.
    for (double v : {12345678901234.25, 12345678901234.75, 1234567890123.125, 1234567890123.375,
                     -98765432109876.5, 0.5, 2.5e-8})
        expectReference(v, {});
    // Next to a power of ten the decimal exponent changes; the doubles of 10^-k are inexact.
    for (int k = -9; k <= 15; ++k) {
        const double p = std::pow(10.0, k);
        for (double v : {std::nextafter(p, 0.0), p, std::nextafter(p, 1e300)})
            expectReference(v, {});
    }
}

TEST(NumberTextBuffer, AgreesOnRandomResponseLevels) {
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> level(-150.0, 150.0);
    std::uniform_int_distribution<int> exponent(-12, 18);
    for (int i = 0; i < 200000; ++i) {
        const double v = level(random) * std::pow(10.0, i % 2 ? 0 : exponent(random));
        expectReference(v, {});
    }
    // Every bit pattern of the fast range's binary exponents, fraction bits at random.
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<int> biased(1023 - 30, 1023 + 52);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t pattern = (bits(random) & ((std::uint64_t{1} << 52) - 1)) |
                                      std::uint64_t(biased(random)) << 52 |
                                      std::uint64_t(i % 2) << 63;
        const double v = std::bit_cast<double>(pattern);
        expectReference(v, {','});
    }
}

}  // namespace
}  // namespace sublumo
