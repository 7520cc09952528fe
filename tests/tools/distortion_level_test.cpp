#include "distortion_level.h"

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

using Mode = DistortionMode;

struct DistortionRow {
    const char* name;
    DistortionInputs in;
    NumberFormat format;
    TextLines lines;
};

class Distortion : public testing::TestWithParam<DistortionRow> {};

TEST_P(Distortion, ShowsTheOtherUnit) {
    const DistortionRow& row = GetParam();
    EXPECT_EQ(computeDistortion(row.in, row.format).lines, row.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Distortion,
    testing::Values(
        DistortionRow{
            "OnePercentIsMinus40dB", {"1", Mode::Percent}, kDot, {"1 % distortion equals -40 dB"}},
        DistortionRow{"FortyDecibelsIsOnePercent",
                      {"40", Mode::Decibels},
                      kDot,
                      {"-40 dB distortion equals 1 %"}},
        DistortionRow{
            "PercentAsTyped", {"0,50", Mode::Percent}, kComma, {"0,50 % distortion equals -46 dB"}},
        DistortionRow{
            "DecibelsComma", {"3", Mode::Decibels}, kComma, {"-3 dB distortion equals 70,79 %"}},
        DistortionRow{
            "EmptyPercentIsOne", {"", Mode::Percent}, kDot, {"1 % distortion equals -40 dB"}},
        DistortionRow{
            "EmptyDecibelsIsForty", {"", Mode::Decibels}, kDot, {"-40 dB distortion equals 1 %"}},
        DistortionRow{"ZeroPercentEmpties", {"0", Mode::Percent}, kDot, {}},
        DistortionRow{"UnreadableEmpties", {"1.0.0", Mode::Percent}, kDot, {}}),
    RowName{});

TEST(DistortionToggle, ConvertsTheFieldBothWays) {
    const DistortionInputs decibels = toggleDistortionMode({"1", Mode::Percent}, kDot);
    EXPECT_EQ(decibels.mode, Mode::Decibels);
    EXPECT_EQ(decibels.value, "40");
    const DistortionInputs percent = toggleDistortionMode(decibels, kDot);
    EXPECT_EQ(percent.mode, Mode::Percent);
    EXPECT_EQ(percent.value, "1");
    EXPECT_EQ(toggleDistortionMode({"5", Mode::Percent}, kComma).value, "26,02");
    EXPECT_EQ(toggleDistortionMode({"3", Mode::Decibels}, kComma).value, "70,79");
}

TEST(DistortionToggle, UnconvertibleValueStaysAsItIs) {
    const DistortionInputs zero = toggleDistortionMode({"0", Mode::Percent}, kDot);
    EXPECT_EQ(zero.mode, Mode::Decibels);
    EXPECT_EQ(zero.value, "0");
    EXPECT_EQ(toggleDistortionMode({"", Mode::Decibels}, kDot).value, "");
}

TEST(DistortionPanel, LabelsFollowTheMode) {
    const DistortionResult percent = computeDistortion({"1", Mode::Percent}, kDot);
    EXPECT_EQ(percent.modeLabel, "in percent");
    EXPECT_EQ(percent.unitLabel, "%");
    const DistortionResult decibels = computeDistortion({"40", Mode::Decibels}, kDot);
    EXPECT_EQ(decibels.modeLabel, "in decibels");
    EXPECT_EQ(decibels.unitLabel, "dB (negative)");
}

}  // namespace
}  // namespace sublumo::tools::test
