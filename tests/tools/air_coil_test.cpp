#include "air_coil.h"

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

struct CoilRow {
    const char* name;
    AirCoilInputs in;
    NumberFormat format;
    const char* wireSection;
    const char* turnsPerLayer;
    const char* wireMass;
    const char* inductance;
    const char* resistance;
    const char* layers;
    const char* outerDiameter;
    const char* wireLength;
};

class AirCoil : public testing::TestWithParam<CoilRow> {};

TEST_P(AirCoil, ShowsTheWinding) {
    const CoilRow& row = GetParam();
    const AirCoilResult out = computeAirCoil(row.in, row.format);
    EXPECT_EQ(out.wireSectionLabel, row.wireSection);
    EXPECT_EQ(out.turnsPerLayerLabel, row.turnsPerLayer);
    EXPECT_EQ(out.wireMassLabel, row.wireMass);
    EXPECT_EQ(out.inductance, row.inductance);
    EXPECT_EQ(out.resistance, row.resistance);
    EXPECT_EQ(out.layers, row.layers);
    EXPECT_EQ(out.outerDiameter, row.outerDiameter);
    EXPECT_EQ(out.wireLength, row.wireLength);
}

INSTANTIATE_TEST_SUITE_P(Rows, AirCoil,
                         testing::Values(CoilRow{"Defaults",
                                                 {"20", "23", "0.8", "374"},
                                                 kDot,
                                                 "(Sw=0.5 mm^2)",
                                                 "(26.6 turns/layer)",
                                                 "(m=160.2 g)",
                                                 "2.57",
                                                 "1.33",
                                                 "14",
                                                 "40.8",
                                                 "35.7"},
                                         CoilRow{"DefaultsComma",
                                                 {"20", "23", "0,8", "374"},
                                                 kComma,
                                                 "(Sw=0,5 mm^2)",
                                                 "(26,6 turns/layer)",
                                                 "(m=160,2 g)",
                                                 "2,57",
                                                 "1,33",
                                                 "14",
                                                 "40,8",
                                                 "35,7"},
                                         CoilRow{"EmptyInputsTakeDefaults",
                                                 {"", "", "", ""},
                                                 kComma,
                                                 "(Sw=0,5 mm^2)",
                                                 "(26,6 turns/layer)",
                                                 "(m=160,2 g)",
                                                 "2,57",
                                                 "1,33",
                                                 "14",
                                                 "40,8",
                                                 "35,7"},
                                         CoilRow{"NoWireGivesZeros",
                                                 {"20", "23", "0", "374"},
                                                 kDot,
                                                 "(Sw=0 mm^2)",
                                                 "(0 turns/layer)",
                                                 "(m=0 g)",
                                                 "0",
                                                 "0",
                                                 "0",
                                                 "0",
                                                 "0"},
                                         CoilRow{"NoHeightGivesZerosButWire",
                                                 {"20", "0", "0.8", "374"},
                                                 kDot,
                                                 "(Sw=0.5 mm^2)",
                                                 "(0 turns/layer)",
                                                 "(m=0 g)",
                                                 "0",
                                                 "0",
                                                 "0",
                                                 "0",
                                                 "0"},
                                         CoilRow{"UnreadableTurns",
                                                 {"20", "23", "0.8", "3.7.4"},
                                                 kDot,
                                                 "(Sw=0.5 mm^2)",
                                                 "(0 turns/layer)",
                                                 "(m=0 g)",
                                                 "0",
                                                 "0",
                                                 "0",
                                                 "0",
                                                 "0"}),
                         RowName{});

TEST(AirCoilPanel, EmptyWireDiameterIsRefilledInTheUsersFormat) {
    const AirCoilResult out = computeAirCoil({"20", "23", "", "374"}, kComma);
    EXPECT_EQ(out.wireDiameter.text, "0,8");
    EXPECT_TRUE(out.wireDiameter.selected);
    EXPECT_FALSE(out.turns.selected);
}

}  // namespace
}  // namespace sublumo::tools::test
