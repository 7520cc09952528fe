#include "diaphragm_area.h"

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

using Shape = DiaphragmShape;
using Share = SurroundShare;

struct AreaRow {
    const char* name;
    SurfaceAreaInputs in;
    NumberFormat format;
    const char* sd;
    const char* dd;
};

class SurfaceArea : public testing::TestWithParam<AreaRow> {};

TEST_P(SurfaceArea, ShowsSdAndDd) {
    const AreaRow& row = GetParam();
    const SurfaceAreaResult out = computeSurfaceArea(row.in, row.format);
    EXPECT_EQ(out.sd, row.sd);
    EXPECT_EQ(out.dd, row.dd);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SurfaceArea,
    testing::Values(
        AreaRow{"RoundThirdOfSurround",
                {"100", "0", "10", "0", Shape::Round, Share::Third},
                kDot,
                "89.36",
                "106.7"},
        AreaRow{"RoundHalfOfSurroundIsDPlusS",
                {"100", "0", "10", "0", Shape::Round, Share::Half},
                kDot,
                "95.03",
                "110"},
        AreaRow{"RoundComma",
                {"100", "0", "10", "0", Shape::Round, Share::Third},
                kComma,
                "89,36",
                "106,7"},
        AreaRow{"FormerIsSubtracted",
                {"100", "0", "0", "20", Shape::Round, Share::Third},
                kDot,
                "75.4",
                "98"},
        AreaRow{"FormerAsLargeAsDiaphragm",
                {"100", "0", "10", "100", Shape::Round, Share::Third},
                kDot,
                "0",
                "0"},
        AreaRow{"FormerLargerThanDiaphragm",
                {"100", "0", "10", "120", Shape::Round, Share::Third},
                kDot,
                "0",
                "0"},
        AreaRow{"UnreadableInput",
                {"1.0.0", "0", "10", "0", Shape::Round, Share::Third},
                kDot,
                "0",
                "0"},
        AreaRow{"RoundIgnoresOtherSide",
                {"100", "x", "10", "0", Shape::Round, Share::Third},
                kDot,
                "89.36",
                "106.7"},
        AreaRow{"Square",
                {"100", "60", "10", "0", Shape::Square, Share::Third},
                kDot,
                "109.1",
                "117.9"},
        AreaRow{"SquareNeedsStraightPartShorter",
                {"100", "100", "10", "0", Shape::Square, Share::Third},
                kDot,
                "0",
                "0"},
        AreaRow{"Elliptic",
                {"100", "150", "10", "0", Shape::Elliptic, Share::Third},
                kDot,
                "131.25",
                "129.3"},
        AreaRow{"EllipticWithFormer",
                {"100", "150", "10", "30", Shape::Elliptic, Share::Third},
                kDot,
                "124.18",
                "125.7"},
        AreaRow{"EllipticNeedsLongerSecondAxis",
                {"150", "100", "10", "0", Shape::Elliptic, Share::Third},
                kDot,
                "0",
                "0"},
        AreaRow{
            "Oval", {"100", "150", "10", "0", Shape::Oval, Share::Third}, kDot, "142.69", "134.8"},
        AreaRow{"OvalWithoutOtherSide",
                {"100", "0", "10", "0", Shape::Oval, Share::Third},
                kDot,
                "0",
                "0"},
        AreaRow{"OtherSideUnreadable",
                {"100", "1,5", "10", "0", Shape::Oval, Share::Third},
                kDot,
                "0",
                "0"},
        AreaRow{
            "EmptyInputsReadAsZero", {"", "", "", "", Shape::Round, Share::Third}, kDot, "0", "0"}),
    RowName{});

TEST(SurfaceAreaPanel, EmptyInputsAreRefilledWithZeroAndSelected) {
    const SurfaceAreaResult out = computeSurfaceArea({"100", "", "", "0"}, kDot);
    EXPECT_EQ(out.d.text, "100");
    EXPECT_FALSE(out.d.selected);
    EXPECT_EQ(out.dPrime.text, "0");
    EXPECT_TRUE(out.dPrime.selected);
    EXPECT_EQ(out.s.text, "0");
    EXPECT_TRUE(out.s.selected);
    EXPECT_FALSE(out.f.selected);
}

TEST(SurfaceAreaPanel, DrawingCyclesShapesAndCaptions) {
    Shape shape = Shape::Round;
    const char* captions[] = {" Effective surface area of square diaphragm ",
                              " Effective surface area of elliptic diaphragm ",
                              " Effective surface area of oval diaphragm ",
                              " Effective surface area of round diaphragm "};
    for (const char* caption : captions) {
        shape = nextShape(shape);
        const SurfaceAreaResult out = computeSurfaceArea({"1", "2", "0", "0", shape}, kDot);
        EXPECT_EQ(out.caption, caption);
        EXPECT_EQ(out.dPrimeEnabled, shape != Shape::Round) << caption;
    }
}

TEST(SurfaceAreaPanel, SurroundLabelToggles) {
    EXPECT_EQ(surroundLabel(Share::Third), "(1/3)");
    EXPECT_EQ(surroundLabel(toggleSurround(Share::Third)), "(1/2)");
    EXPECT_EQ(toggleSurround(toggleSurround(Share::Third)), Share::Third);
}

TEST(SurfaceAreaTransfer, WritesDdInDiameterMode) {
    const DriverTransfer fromArea = surfaceAreaTransfer("106.7", DiaphragmEntryMode::Area);
    EXPECT_EQ(fromArea.entryMode, DiaphragmEntryMode::Diameter);
    ASSERT_EQ(fromArea.writes.size(), 1u);
    EXPECT_EQ(fromArea.writes[0].param, Param::Dd);
    EXPECT_EQ(fromArea.writes[0].text, "106.7");
    EXPECT_EQ(fromArea.focus, Param::Dd);
    EXPECT_FALSE(surfaceAreaTransfer("106.7", DiaphragmEntryMode::Diameter).entryMode);
}

struct CrossRow {
    const char* name;
    CrossMultiplicationInputs in;
    NumberFormat format;
    const char* b;
};

class CrossMultiplication : public testing::TestWithParam<CrossRow> {};

TEST_P(CrossMultiplication, ShowsB) {
    const CrossRow& row = GetParam();
    EXPECT_EQ(computeCrossMultiplication(row.in, row.format).b, row.b);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CrossMultiplication,
    testing::Values(CrossRow{"Scales", {"300", "160", "75"}, kDot, "40"},
                    CrossRow{"RoundsToOneDecimal", {"3", "10", "7"}, kDot, "23.3"},
                    CrossRow{"Comma", {"3", "10", "7"}, kComma, "23,3"},
                    CrossRow{"ZeroPixelsGivesZero", {"0", "160", "75"}, kDot, "0"},
                    CrossRow{"AllZeroGivesZero", {"", "", ""}, kDot, "0"},
                    CrossRow{"UnreadableGivesZero", {"300", "1..6", "75"}, kDot, "0"}),
    RowName{});

}  // namespace
}  // namespace sublumo::tools::test
