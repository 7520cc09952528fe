#include "level_combination.h"

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

struct NearRow {
    const char* name;
    NearFieldInputs in;
    DriverParameters driver;
    NumberFormat format;
    TextLines lines;
};

class NearField : public testing::TestWithParam<NearRow> {};

TEST_P(NearField, ShowsTheCorrections) {
    const NearRow& row = GetParam();
    EXPECT_EQ(computeNearField(row.in, row.driver, row.format).lines, row.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NearField,
    testing::Values(NearRow{"Dd120AtOneMetre",
                            {"120", "1000"},
                            {},
                            kDot,
                            {"Lower the NF response by:", "", "-30.5 dB (full space - 4pi)",
                             "-24.4 dB (half space - 2pi)", ""}},
                    NearRow{"Comma",
                            {"120", "1000"},
                            {},
                            kComma,
                            {"Lower the NF response by:", "", "-30,5 dB (full space - 4pi)",
                             "-24,4 dB (half space - 2pi)", ""}},
                    NearRow{"EmptyDdWithoutDriverIs120",
                            {"", ""},
                            {},
                            kDot,
                            {"Lower the NF response by:", "", "-30.5 dB (full space - 4pi)",
                             "-24.4 dB (half space - 2pi)", ""}},
                    NearRow{"CloseMicrophoneRaises",
                            {"120", "10"},
                            {},
                            kDot,
                            {"Lower the NF response by:", "", "+9.5 dB (full space - 4pi)",
                             "+15.6 dB (half space - 2pi)", ""}},
                    NearRow{"ZeroDistanceEmpties", {"120", "0"}, {}, kDot, {}},
                    NearRow{"ZeroDdEmpties", {"0", "1000"}, {}, kDot, {}},
                    NearRow{"UnreadableEmpties", {"12.0.0", "1000"}, {}, kDot, {}}),
    RowName{});

TEST(NearFieldPanel, EmptyDdTakesTheDriversDd) {
    const NearFieldResult out = computeNearField({"", "1000"}, driverWith(0, 0, 165.5), kComma);
    EXPECT_EQ(out.dd.text, "165,5");
    EXPECT_TRUE(out.dd.selected);
    EXPECT_EQ(out.microphoneDistance.text, "1000");
    EXPECT_FALSE(out.microphoneDistance.selected);
}

struct VentRow {
    const char* name;
    ConeVentInputs in;
    NumberFormat format;
    TextLines lines;
};

class ConeVent : public testing::TestWithParam<VentRow> {};

TEST_P(ConeVent, ShowsTheCorrection) {
    const VentRow& row = GetParam();
    EXPECT_EQ(computeConeVent(row.in, {}, row.format).lines, row.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConeVent,
    testing::Values(
        VentRow{"OneRoundVent",
                {"120", "50", "20", "1", VentShape::Round},
                kDot,
                {"Lower the vent response by:", "", "-7.6 dB", ""}},
        VentRow{"TwoRoundVents",
                {"120", "50", "20", "2", VentShape::Round},
                kDot,
                {"Lower the vent response by:", "", "-1.6 dB", ""}},
        VentRow{"ThreeRoundVentsRaise",
                {"120", "50", "20", "3", VentShape::Round},
                kDot,
                {"Raise the vent response by:", "", "+1.9 dB", ""}},
        VentRow{"Comma",
                {"120", "50", "20", "2", VentShape::Round},
                kComma,
                {"Lower the vent response by:", "", "-1,6 dB", ""}},
        VentRow{"RectangleCountsAsCircleOfSameArea",
                {"120", "50", "20", "1", VentShape::Rectangle},
                kDot,
                {"Lower the vent response by:", "", "-10.5 dB", ""}},
        VentRow{"RoundIgnoresHeightField",
                {"120", "50", "x", "1", VentShape::Round},
                kDot,
                {"Lower the vent response by:", "", "-7.6 dB", ""}},
        VentRow{"EqualDiametersLowerByZero",
                {"50", "50", "20", "1", VentShape::Round},
                kDot,
                {"Lower the vent response by:", "", "0 dB", ""}},
        VentRow{"EmptyInputsTakeDefaults",
                {"", "", "", "", VentShape::Round},
                kDot,
                {"Lower the vent response by:", "", "-7.6 dB", ""}},
        VentRow{"FractionOfAVentEmpties", {"120", "50", "20", "1.5", VentShape::Round}, kDot, {}},
        VentRow{"NoVentEmpties", {"120", "50", "20", "0", VentShape::Round}, kDot, {}},
        VentRow{"UnreadableHeightEmpties",
                {"120", "50", "2.0.0", "1", VentShape::Rectangle},
                kDot,
                {}}),
    RowName{});

TEST(ConeVentPanel, LabelTogglesAndShowsTheHeightField) {
    EXPECT_EQ(ventLabel(VentShape::Round), "Vent diameter");
    EXPECT_EQ(ventLabel(toggleVentShape(VentShape::Round)), "Vent width x height");
    EXPECT_EQ(toggleVentShape(VentShape::Rectangle), VentShape::Round);
    const ConeVentResult out = computeConeVent({"", "", "", "", VentShape::Rectangle}, {}, kDot);
    EXPECT_TRUE(out.ventHeightShown);
    EXPECT_EQ(out.ventLabel, "Vent width x height");
    EXPECT_EQ(out.ventSize.text, "50");
    EXPECT_EQ(out.ventHeight.text, "20");
    EXPECT_EQ(out.ventCount.text, "1");
    EXPECT_TRUE(out.ventCount.selected);
    EXPECT_EQ(out.dd.text, "120");
}

}  // namespace
}  // namespace sublumo::tools::test
