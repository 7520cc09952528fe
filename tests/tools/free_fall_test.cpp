#include "free_fall.h"

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

using Mode = FallMode;

struct FallRow {
    const char* name;
    FreeFallInputs in;
    NumberFormat format;
    TextLines lines;
};

class FreeFall : public testing::TestWithParam<FallRow> {};

TEST_P(FreeFall, ShowsTheFall) {
    const FallRow& row = GetParam();
    EXPECT_EQ(computeFreeFall(row.in, row.format).lines, row.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FreeFall,
    testing::Values(FallRow{"OneSecond",
                            {"1", Mode::Time},
                            kDot,
                            {"The driver fell down from a height of", "4.91 m", "",
                             "and hit ground with a velocity of", "9.81 m/s", "35.32 km/h", "",
                             "and is definitely broken."}},
                    FallRow{"OneSecondComma",
                            {"1", Mode::Time},
                            kComma,
                            {"The driver fell down from a height of", "4,91 m", "",
                             "and hit ground with a velocity of", "9,81 m/s", "35,32 km/h", "",
                             "and is definitely broken."}},
                    FallRow{"ShortFallProbablyBroken",
                            {"0.35", Mode::Time},
                            kDot,
                            {"The driver fell down from a height of", "0.6 m", "",
                             "and hit ground with a velocity of", "3.43 m/s", "12.36 km/h", "",
                             "and is probably broken."}},
                    FallRow{"HalfSecondMostLikelyBroken",
                            {"0.6", Mode::Time},
                            kDot,
                            {"The driver fell down from a height of", "1.77 m", "",
                             "and hit ground with a velocity of", "5.89 m/s", "21.19 km/h", "",
                             "and is most likely broken."}},
                    FallRow{"SlowFallHasNoVerdict",
                            {"0.2", Mode::Time},
                            kDot,
                            {"The driver fell down from a height of", "0.2 m", "",
                             "and hit ground with a velocity of", "1.96 m/s", "7.06 km/h", ""}},
                    FallRow{"TenMetres",
                            {"10", Mode::Height},
                            kDot,
                            {"The driver was falling for", "1.43 s", "",
                             "and hit ground with a velocity of", "14.01 m/s", "50.43 km/h", "",
                             "and is definitely broken."}},
                    FallRow{"EmptyTimeIsOneSecond",
                            {"", Mode::Time},
                            kDot,
                            {"The driver fell down from a height of", "4.91 m", "",
                             "and hit ground with a velocity of", "9.81 m/s", "35.32 km/h", "",
                             "and is definitely broken."}},
                    FallRow{"NegativeHeightEmpties", {"-1", Mode::Height}, kDot, {}},
                    FallRow{"UnreadableEmpties", {"1.0.0", Mode::Time}, kDot, {}}),
    RowName{});

TEST(FreeFallVerdict, BoundaryVelocitiesHaveNone) {
    EXPECT_EQ(fallVerdict(3.0), "");
    EXPECT_EQ(fallVerdict(3.01), "and is probably broken.");
    EXPECT_EQ(fallVerdict(5.0), "");
    EXPECT_EQ(fallVerdict(5.01), "and is most likely broken.");
    EXPECT_EQ(fallVerdict(7.0), "");
    EXPECT_EQ(fallVerdict(7.01), "and is definitely broken.");
    EXPECT_EQ(fallVerdict(0.0), "");
}

TEST(FreeFallToggle, ConvertsToTheSameFall) {
    const FreeFallInputs height = toggleFallMode({"1", Mode::Time}, kComma);
    EXPECT_EQ(height.mode, Mode::Height);
    EXPECT_EQ(height.value, "4,91");
    const FreeFallInputs time = toggleFallMode({"10", Mode::Height}, kDot);
    EXPECT_EQ(time.mode, Mode::Time);
    EXPECT_EQ(time.value, "1.43");
    EXPECT_EQ(toggleFallMode({"x", Mode::Time}, kDot).value, "x");
}

TEST(FreeFallPanel, LabelsAndHintFollowTheMode) {
    const FreeFallResult time = computeFreeFall({"1", Mode::Time}, kDot);
    EXPECT_EQ(time.modeLabel, "time");
    EXPECT_EQ(time.unitLabel, "s");
    EXPECT_EQ(time.hint, "The time it took the driver to hit ground");
    const FreeFallResult height = computeFreeFall({"1", Mode::Height}, kDot);
    EXPECT_EQ(height.modeLabel, "height");
    EXPECT_EQ(height.unitLabel, "m");
    EXPECT_EQ(height.hint, "The point from which the driver fell");
}

}  // namespace
}  // namespace sublumo::tools::test
