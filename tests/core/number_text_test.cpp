#include "number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace sublumo {
namespace {

constexpr NumberFormat kPoint{'.'};
constexpr NumberFormat kComma{','};

TEST(NumberText, RoundsTiesToEven) {
    EXPECT_DOUBLE_EQ(roundToDecimals(72.5, 0), 72.0);
    EXPECT_DOUBLE_EQ(roundToDecimals(73.5, 0), 74.0);
    EXPECT_DOUBLE_EQ(roundToDecimals(0.307017543859649, 3), 0.307);
    EXPECT_DOUBLE_EQ(roundToDecimals(187.77392, 2), 187.77);
    EXPECT_DOUBLE_EQ(roundToDecimals(-2.5, 0), -2.0);
    EXPECT_DOUBLE_EQ(roundToDecimals(1e300, 3), 1e300);
}

TEST(NumberText, DisplayRoundingJudgesTheStoredValueNotTheProduct) {
    // 9.81 / 2 is stored a little above 4.905; times 100 it rounds to exactly 490.5.
    EXPECT_DOUBLE_EQ(roundToDecimals(9.81 / 2, 2), 4.91);
    EXPECT_EQ(formatRounded(9.81 / 2, 2, kPoint), "4.91");
    EXPECT_DOUBLE_EQ(roundToDecimals(0.125, 2), 0.12);  // an exact tie goes to even
    EXPECT_DOUBLE_EQ(roundToDecimals(0.375, 2), 0.38);
    EXPECT_DOUBLE_EQ(roundToDecimals(187.5, 0), 188.0);
    // The fields' stepping rule rounds the product, as its users expect from the keys.
    EXPECT_DOUBLE_EQ(roundScaled(7.25, 1), 7.2);
    EXPECT_DOUBLE_EQ(roundScaled(9.81 / 2, 2), 4.9);
}

TEST(NumberText, GeneralFormatIsPlainDecimalWithFifteenDigits) {
    struct Row {
        const char* name;
        double value;
        const char* text;
    } rows[] = {
        {"zero", 0.0, "0"},
        {"negative zero", -0.0, "0"},
        {"whole", 12.0, "12"},
        {"half", 0.5, "0.5"},
        {"no trailing zeros", 1.25, "1.25"},
        {"fifteen significant digits", 0.307017543859649, "0.307017543859649"},
        {"long fraction cut at fifteen", 1.0 / 3.0, "0.333333333333333"},
        {"rounded at the fifteenth digit", 2.0 / 3.0, "0.666666666666667"},
        {"large without exponent", 1e20, "100000000000000000000"},
        {"small without exponent", 1.5e-7, "0.00000015"},
        {"negative", -7.35, "-7.35"},
        {"no thousands separator", 123456.5, "123456.5"},
        {"binary noise hidden", 0.1 + 0.2, "0.3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(formatNumber(row.value, kPoint), row.text);
    }
    EXPECT_EQ(formatNumber(1.5, kComma), "1,5");
    EXPECT_EQ(formatRounded(530.929158456675, 2, kComma), "530,93");
}

TEST(NumberText, NonFiniteNeverBecomesText) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(tryFormatNumber(inf, kPoint).has_value());
    EXPECT_FALSE(tryFormatNumber(-inf, kPoint).has_value());
    EXPECT_FALSE(tryFormatNumber(nan, kPoint).has_value());
    EXPECT_EQ(formatNumber(inf, kPoint), "0");
    EXPECT_EQ(formatNumber(nan, kComma), "0");
}

TEST(NumberText, ParsesStrictlyWithTheGivenSeparator) {
    EXPECT_EQ(parseDecimal("2.5", kPoint), 2.5);
    EXPECT_EQ(parseDecimal("2,5", kComma), 2.5);
    EXPECT_EQ(parseDecimal(".25", kPoint), 0.25);
    EXPECT_EQ(parseDecimal("5.", kPoint), 5.0);
    EXPECT_EQ(parseDecimal("  7 ", kPoint), 7.0);
    EXPECT_EQ(parseDecimal("-3", kPoint), -3.0);
    EXPECT_EQ(parseDecimal("0", kPoint), 0.0);

    const char* failures[] = {"",    " ",  ".",  ",",    "1.2.3", "1e5", "abc", "1,5",
                              "--1", "1-", "+1", "0x10", "inf",   "nan", "1 2"};
    for (const char* text : failures) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseDecimal(text, kPoint).has_value());
    }
    EXPECT_FALSE(parseDecimal("1.5", kComma).has_value());
    EXPECT_FALSE(parseDecimal("-3", kPoint, SignRule::Unsigned).has_value());
    EXPECT_FALSE(parseDecimal(std::string(400, '9'), kPoint).has_value());  // beyond a double
}

TEST(NumberText, NormalisesBothSeparators) {
    EXPECT_EQ(normaliseDecimal("2,5", kPoint), "2.5");
    EXPECT_EQ(normaliseDecimal("2.5", kComma), "2,5");
    EXPECT_EQ(normaliseDecimal("1.2,3", kPoint), "1.2.3");
    EXPECT_EQ(parseDecimal(normaliseDecimal("4,1", kPoint), kPoint), 4.1);
}

TEST(NumberText, FormattedTextParsesBackToTheSameDisplayValue) {
    const double values[] = {0.307, 187.77, 6.631, 1e-9, 123456789.125, 0.1};
    for (double v : values) {
        SCOPED_TRACE(v);
        for (NumberFormat f : {kPoint, kComma}) {
            const auto back = parseDecimal(formatNumber(v, f), f);
            ASSERT_TRUE(back.has_value());
            EXPECT_NEAR(*back, v, std::abs(v) * 1e-14);
        }
    }
}

TEST(NumberText, RoundedTextAgreesWithRoundingThenFormatting) {
    // formatRounded lays out small values from the integer count of units; it must print
    // exactly what rounding and the general format print.
    unsigned state = 12345;
    auto next = [&] {
        state = state * 1103515245u + 12345u;
        return static_cast<double>(state % 2000003) / 997.0;
    };
    for (int i = 0; i < 20000; ++i) {
        const double v = next() * (i % 3 == 0 ? -1 : 1) * (i % 7 == 0 ? 1e7 : 1);
        for (int decimals : {0, 1, 2, 3, 5}) {
            ASSERT_EQ(formatRounded(v, decimals, kComma),
                      formatNumber(roundToDecimals(v, decimals), kComma))
                << v << " to " << decimals;
        }
    }
    EXPECT_EQ(formatRounded(0.0049, 2, kPoint), "0");
    EXPECT_EQ(formatRounded(-0.004, 2, kPoint), "0");
    EXPECT_EQ(formatRounded(0.005, 3, kPoint), "0.005");
    EXPECT_EQ(formatRounded(1e300, 2, kPoint), formatNumber(1e300, kPoint));
}

}  // namespace
}  // namespace sublumo
