#include "crossover.h"

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

struct CrossoverRow {
    const char* name;
    CrossoverInputs in;
    NumberFormat format;
    TextLines lines;
};

class Crossover : public testing::TestWithParam<CrossoverRow> {};

TEST_P(Crossover, ShowsTheNetworks) {
    const CrossoverRow& row = GetParam();
    EXPECT_EQ(computeCrossover(row.in, row.format).lines, row.lines);
}

const TextLines kMinus3dB = {"1st order - 6 dB (0 dB):",
                             "LP: 0.64 mH; HP: 9.95 uF",
                             "",
                             "2nd order - 12 dB (Butterworth, +3 dB):",
                             "LP: 0.9 mH + 7.03 uF",
                             "HP: 7.03 uF + 0.9 mH (-)",
                             "",
                             "3rd order - 18 dB (Butterworth, 0 dB):",
                             "LP: 0.95 mH + 13.26 uF + 0.32 mH",
                             "HP: 6.63 uF + 0.48 mH + 19.89 uF"};

const TextLines kMinus6dB = {"1st order - 6 dB (-1.2 dB):",
                             "LP: 1.1 mH; HP: 5.74 uF (-)",
                             "",
                             "2nd order - 12 dB (Linkwitz-Riley, 0 dB):",
                             "LP: 1.27 mH + 4.97 uF",
                             "HP: 4.97 uF + 1.27 mH (-)",
                             "",
                             "3rd order - 18 dB (Butterworth, -0.6 dB):",
                             "LP: 1.15 mH + 15.92 uF + 0.38 mH",
                             "HP: 5.53 uF + 0.4 mH + 16.58 uF"};

const TextLines kMinus3dBComma = {"1st order - 6 dB (0 dB):",
                                  "LP: 0,64 mH; HP: 9,95 uF",
                                  "",
                                  "2nd order - 12 dB (Butterworth, +3 dB):",
                                  "LP: 0,9 mH + 7,03 uF",
                                  "HP: 7,03 uF + 0,9 mH (-)",
                                  "",
                                  "3rd order - 18 dB (Butterworth, 0 dB):",
                                  "LP: 0,95 mH + 13,26 uF + 0,32 mH",
                                  "HP: 6,63 uF + 0,48 mH + 19,89 uF"};

INSTANTIATE_TEST_SUITE_P(
    Rows, Crossover,
    testing::Values(
        CrossoverRow{
            "EightOhmAt2kHzMinus3dB", {"8", "2000", CrossoverLevel::Minus3dB}, kDot, kMinus3dB},
        CrossoverRow{
            "EightOhmAt2kHzMinus6dB", {"8", "2000", CrossoverLevel::Minus6dB}, kDot, kMinus6dB},
        CrossoverRow{"Comma", {"8", "2000", CrossoverLevel::Minus3dB}, kComma, kMinus3dBComma},
        CrossoverRow{
            "EmptyInputsTakeDefaults", {"", "", CrossoverLevel::Minus3dB}, kDot, kMinus3dB},
        CrossoverRow{"ZeroImpedanceEmpties", {"0", "2000", CrossoverLevel::Minus3dB}, kDot, {}},
        CrossoverRow{"ZeroFrequencyEmpties", {"8", "0", CrossoverLevel::Minus3dB}, kDot, {}},
        CrossoverRow{"UnreadableEmpties", {"8", "2.0.0", CrossoverLevel::Minus6dB}, kDot, {}}),
    RowName{});

TEST(CrossoverPanel, LevelLabelToggles) {
    EXPECT_EQ(crossoverLevelLabel(CrossoverLevel::Minus3dB), "-3 dB");
    EXPECT_EQ(crossoverLevelLabel(toggleCrossoverLevel(CrossoverLevel::Minus3dB)), "-6 dB");
    const CrossoverResult out = computeCrossover({"8", "2000", CrossoverLevel::Minus6dB}, kDot);
    EXPECT_EQ(out.levelLabel, "-6 dB");
}

TEST(CrossoverPanel, EmptyInputsAreRefilledSelected) {
    const CrossoverResult out = computeCrossover({"", "", CrossoverLevel::Minus3dB}, kDot);
    EXPECT_EQ(out.z.text, "8");
    EXPECT_TRUE(out.z.selected);
    EXPECT_EQ(out.fc.text, "2000");
    EXPECT_TRUE(out.fc.selected);
}

struct LPadRow {
    const char* name;
    LPadInputs in;
    NumberFormat format;
    const char* voltageLabel;
    TextLines lines;
};

class LPad : public testing::TestWithParam<LPadRow> {};

TEST_P(LPad, ShowsResistorsAndPowers) {
    const LPadRow& row = GetParam();
    const LPadResult out = computeLPad(row.in, row.format);
    EXPECT_EQ(out.voltageLabel, row.voltageLabel);
    EXPECT_EQ(out.lines, row.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LPad,
    testing::Values(
        LPadRow{"ThreeDecibelsAt50Watts",
                {"8", "3", "50"},
                kDot,
                "(U=20 Vrms)",
                {"Rs=2.34 Ohm (14.6 W)", "Rp=19.39 Ohm (10.3 W)",
                 "Power dissipated by driver: 25.1 W"}},
        LPadRow{"Comma",
                {"8", "3", "50"},
                kComma,
                "(U=20 Vrms)",
                {"Rs=2,34 Ohm (14,6 W)", "Rp=19,39 Ohm (10,3 W)",
                 "Power dissipated by driver: 25,1 W"}},
        LPadRow{"NoAttenuationEmptiesTheBox", {"8", "0", "50"}, kDot, "(U=20 Vrms)", {}},
        LPadRow{"VoltageLabelRounds",
                {"8", "6", "10"},
                kDot,
                "(U=8.94 Vrms)",
                {"Rs=3.99 Ohm (5 W)", "Rp=8.04 Ohm (2.5 W)", "Power dissipated by driver: 2.5 W"}},
        LPadRow{"UnreadablePowerEmptiesBoth", {"8", "3", "5.0.0"}, kDot, "(U=0 Vrms)", {}},
        LPadRow{
            "UnreadableAttenuationKeepsVoltage", {"7", "abc", "104"}, kDot, "(U=26.98 Vrms)", {}},
        LPadRow{"ForeignSeparatorInAttenuationKeepsVoltage",
                {"13", "17.25", "346"},
                kComma,
                "(U=67,07 Vrms)",
                {}}),
    RowName{});

struct ZobelRow {
    const char* name;
    ZobelInputs in;
    DriverParameters driver;
    NumberFormat format;
    const char* re;
    const char* le;
    TextLines lines;
};

class Zobel : public testing::TestWithParam<ZobelRow> {};

TEST_P(Zobel, ShowsRAndC) {
    const ZobelRow& row = GetParam();
    const ZobelResult out = computeZobel(row.in, row.driver, row.format);
    EXPECT_EQ(out.re.text, row.re);
    EXPECT_EQ(out.le.text, row.le);
    EXPECT_EQ(out.lines, row.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Zobel,
    testing::Values(ZobelRow{"SixOhmPointEightMilliHenry",
                             {"6", "0.8"},
                             {},
                             kDot,
                             "6",
                             "0.8",
                             {"R=7.2 Ohm", "C=22.22 uF"}},
                    ZobelRow{
                        "Comma", {"6", "0,8"}, {}, kComma, "6", "0,8", {"R=7,2 Ohm", "C=22,22 uF"}},
                    ZobelRow{"EmptyWithoutDriverTakesDefaults",
                             {"", ""},
                             {},
                             kComma,
                             "6",
                             "0,8",
                             {"R=7,2 Ohm", "C=22,22 uF"}},
                    ZobelRow{"EmptyTakesTheDriversValues",
                             {"", ""},
                             driverWith(5.6, 0.35, 0),
                             kDot,
                             "5.6",
                             "0.35",
                             {"R=6.72 Ohm", "C=11.16 uF"}},
                    ZobelRow{"ZeroReEmpties", {"0", "0.8"}, {}, kDot, "0", "0.8", {}},
                    ZobelRow{"UnreadableEmpties", {"6", "0.8.1"}, {}, kDot, "6", "0.8.1", {}}),
    RowName{});

}  // namespace
}  // namespace sublumo::tools::test
