#include "number_text_buffer.h"

#include <gtest/gtest.h>

#include <cmath>
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

TEST(NumberTextBuffer, AgreesOnRandomResponseLevels) {
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> level(-150.0, 150.0);
    std::uniform_int_distribution<int> exponent(-12, 18);
    for (int i = 0; i < 200000; ++i) {
        const double v = level(random) * std::pow(10.0, i % 2 ? 0 : exponent(random));
        ASSERT_EQ(appended(v, {}), formatNumber(v, {})) << v;
    }
}

}  // namespace
}  // namespace sublumo
