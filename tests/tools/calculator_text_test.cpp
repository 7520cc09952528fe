#include "calculator_text.h"

#include <cmath>
#include <limits>

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

struct RoundRow {
    const char* name;
    double value;
    int decimals;
    NumberFormat format;
    const char* shown;
};

class ShowRounded : public testing::TestWithParam<RoundRow> {};

TEST_P(ShowRounded, GivesTheText) {
    const RoundRow& row = GetParam();
    EXPECT_EQ(showRounded(row.value, row.decimals, row.format), row.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShowRounded,
    testing::Values(
        // 9.81/2 is stored a little above 4.905: it is not a tie and rounds up.
        RoundRow{"JustAboveHalfRoundsUp", ga / 2.0, 2, kDot, "4.91"},
        RoundRow{"ExactHalfToEvenUp", 187.5, 0, kDot, "188"},
        RoundRow{"ExactHalfToEvenDown", 186.5, 0, kDot, "186"},
        RoundRow{"ExactHalfInDecimals", 0.125, 2, kDot, "0.12"},
        RoundRow{"StoredJustBelowHalf", 2.675, 2, kDot, "2.67"},
        RoundRow{"NegativeHalf", -0.125, 2, kDot, "-0.12"},
        RoundRow{"NoTrailingZeros", 110.0, 1, kDot, "110"},
        RoundRow{"NegativeZeroHasNoMinus", -0.04, 1, kDot, "0"},
        RoundRow{"CommaSeparator", 89.364, 2, kComma, "89,36"},
        RoundRow{"InfinityShowsZero", std::numeric_limits<double>::infinity(), 2, kDot, "0"},
        RoundRow{"NanShowsZero", std::nan(""), 2, kDot, "0"},
        RoundRow{"HugeKeepsItsDigits", 1e20, 2, kDot, "100000000000000000000"}),
    RowName{});

TEST(RefillInput, EmptyTextTakesTheDefaultSelected) {
    const InputText refilled = refillInput("", "240");
    EXPECT_EQ(refilled.text, "240");
    EXPECT_TRUE(refilled.selected);
    const InputText kept = refillInput("12", "240");
    EXPECT_EQ(kept.text, "12");
    EXPECT_FALSE(kept.selected);
}

TEST(ReadInput, ReadsWithTheUsersSeparatorOnly) {
    EXPECT_EQ(readInput("1,5", "0", kComma).value, 1.5);
    EXPECT_FALSE(readInput("1.5", "0", kComma).value);
    EXPECT_EQ(readInput("", "0,8", kComma).value, 0.8);
    EXPECT_EQ(readInput("-2", "0", kDot).value, -2.0);
    EXPECT_FALSE(readInput("1.2.3", "0", kDot).value);
}

TEST(ReadWholeNumber, AcceptsDigitsOnly) {
    EXPECT_EQ(readWholeNumber("2"), 2);
    EXPECT_EQ(readWholeNumber("-1"), -1);
    EXPECT_FALSE(readWholeNumber("1.5"));
    EXPECT_FALSE(readWholeNumber("2.0"));
    EXPECT_FALSE(readWholeNumber("+2"));
    EXPECT_FALSE(readWholeNumber(""));
    EXPECT_FALSE(readWholeNumber("99999999999999999999"));
}

TEST(PlusSign, FollowsTheShownValue) {
    EXPECT_EQ(plusSign(0.3, 1), "+");
    EXPECT_EQ(plusSign(0.04, 1), "");  // shown as 0: no "+0"
    EXPECT_EQ(plusSign(-5.0, 1), "");
}

TEST(DriverOrDefault, UsesTheDriverOnlyWhenGiven) {
    const DriverParameters given = driverWith(5.6, 0.35, 165.0);
    EXPECT_EQ(driverOrDefault(given, Param::Re, "6", kComma), "5,6");
    EXPECT_EQ(driverOrDefault(DriverParameters{}, Param::Re, "6", kComma), "6");
}

TEST(DriverFieldText, DerivedDiaphragmShowsItsDisplayValue) {
    DriverParameters area;
    area.mode = DiaphragmEntryMode::Area;
    area.value(Param::Dd) = 150.000004;
    area.displayValues[indexOf(Param::Dd)] = 150.0;
    EXPECT_EQ(driverFieldText(area, Param::Dd, kDot), "150");
}

}  // namespace
}  // namespace sublumo::tools::test
