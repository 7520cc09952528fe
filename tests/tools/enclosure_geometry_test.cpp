#include "enclosure_geometry.h"

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

TEST(EnclosureResonances, DefaultBoxShowsEveryLine) {
    const EnclosureResonancesResult out = computeEnclosureResonances({}, kDot);
    const TextLines expected = {"Width / Height / Depth",
                                "size: 240 / 420 / 180 mm",
                                "f: 717 / 410 / 956 Hz",
                                "",
                                "and their multiples:",
                                "f2: 1433 / 819 / 1911 Hz",
                                "f3: 2150 / 1229 / 2867 Hz",
                                "f4: 2867 / 1638 / 3822 Hz",
                                "f5: 3583 / 2048 / 4778 Hz",
                                "f6: 4300 / 2457 / 5733 Hz",
                                "f7: 5017 / 2867 / 6689 Hz",
                                "f8: 5733 / 3276 / 7644 Hz",
                                "f9: 6450 / 3686 / 8600 Hz",
                                "",
                                "Vb: 18.14 l"};
    EXPECT_EQ(out.lines, expected);
}

struct ResonanceRow {
    const char* name;
    EnclosureResonancesInputs in;
    NumberFormat format;
    std::size_t line;  // which line to look at
    const char* text;  // "" with line 0: the box is empty
};

class EnclosureResonanceLines : public testing::TestWithParam<ResonanceRow> {};

TEST_P(EnclosureResonanceLines, ShowLine) {
    const ResonanceRow& row = GetParam();
    const EnclosureResonancesResult out = computeEnclosureResonances(row.in, row.format);
    if (*row.text == '\0') {
        EXPECT_TRUE(out.lines.empty());
        return;
    }
    ASSERT_GT(out.lines.size(), row.line);
    EXPECT_EQ(out.lines[row.line], row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EnclosureResonanceLines,
    testing::Values(
        ResonanceRow{"Width240Is717Hz", {"240", "420", "180"}, kDot, 2, "f: 717 / 410 / 956 Hz"},
        ResonanceRow{"SecondMultipleOf717Is1433",
                     {"240", "420", "180"},
                     kDot,
                     5,
                     "f2: 1433 / 819 / 1911 Hz"},
        ResonanceRow{"SizeAsReadUnrounded",
                     {"240,25", "420", "180"},
                     kComma,
                     1,
                     "size: 240,25 / 420 / 180 mm"},
        ResonanceRow{"VolumeComma", {"240", "420", "180"}, kComma, 14, "Vb: 18,14 l"},
        ResonanceRow{
            "ZeroDimensionHasNoResonance", {"240", "0", "180"}, kDot, 2, "f: 717 / 0 / 956 Hz"},
        ResonanceRow{"AllZeroEmptiesTheBox", {"0", "0", "0"}, kDot, 0, ""},
        ResonanceRow{"UnreadableEmptiesTheBox", {"24.0.0", "420", "180"}, kDot, 0, ""}),
    RowName{});

TEST(EnclosureResonances, EmptyWidthIsRefilledWith240Selected) {
    const EnclosureResonancesResult out = computeEnclosureResonances({"", "420", "180"}, kDot);
    EXPECT_EQ(out.width.text, "240");
    EXPECT_TRUE(out.width.selected);
    EXPECT_FALSE(out.height.selected);
    EXPECT_EQ(out.lines[2], "f: 717 / 410 / 956 Hz");
}

TEST(EnclosureResonances, EmptyHeightAndDepthTakeTheirDefaults) {
    const EnclosureResonancesResult out = computeEnclosureResonances({"240", "", ""}, kDot);
    EXPECT_EQ(out.height.text, "420");
    EXPECT_EQ(out.depth.text, "180");
}

TEST(GoldenRatio, MinimalSize150) {
    const GoldenRatioResult out = computeGoldenRatio({"150"}, kDot);
    const TextLines expected = {
        "ratio 0.6: 150 mm", "ratio 1: 250 mm", "ratio 1.6: 400 mm",  "Vb: 15 l", "",
        "ratio 0.8: 150 mm", "ratio 1: 188 mm", "ratio 1.25: 234 mm", "Vb: 6.6 l"};
    EXPECT_EQ(out.lines, expected);
}

TEST(GoldenRatio, CommaShowsNumbersWithComma) {
    const GoldenRatioResult out = computeGoldenRatio({"100,5"}, kComma);
    ASSERT_EQ(out.lines.size(), 9u);
    EXPECT_EQ(out.lines[0], "ratio 0.6: 100,5 mm");
    EXPECT_EQ(out.lines[1], "ratio 1: 168 mm");     // 167.5 to even
    EXPECT_EQ(out.lines[2], "ratio 1.6: 268 mm");   // 268.0
    EXPECT_EQ(out.lines[3], "Vb: 4,52 l");          // 100.5 * 168 * 268
    EXPECT_EQ(out.lines[6], "ratio 1: 126 mm");     // 125.625
    EXPECT_EQ(out.lines[7], "ratio 1.25: 157 mm");  // 157.03
}

TEST(GoldenRatio, NoSizeEmptiesTheBox) {
    EXPECT_TRUE(computeGoldenRatio({"0"}, kDot).lines.empty());
    EXPECT_TRUE(computeGoldenRatio({"1.5.0"}, kDot).lines.empty());
    const GoldenRatioResult refilled = computeGoldenRatio({""}, kDot);
    EXPECT_EQ(refilled.minimalSize.text, "150");
    EXPECT_TRUE(refilled.minimalSize.selected);
    EXPECT_EQ(refilled.lines.size(), 9u);
}

}  // namespace
}  // namespace sublumo::tools::test
