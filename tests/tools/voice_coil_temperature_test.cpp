#include "voice_coil_temperature.h"

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

struct TemperatureRow {
    const char* name;
    VoiceCoilTemperatureInputs in;
    NumberFormat format;
    TextLines lines;
};

class VoiceCoilTemperature : public testing::TestWithParam<TemperatureRow> {};

TEST_P(VoiceCoilTemperature, ShowsTheThreeConductors) {
    const TemperatureRow& row = GetParam();
    EXPECT_EQ(computeVoiceCoilTemperature(row.in, {}, row.format).lines, row.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, VoiceCoilTemperature,
    testing::Values(
        TemperatureRow{"SixOhmFrom20To100",
                       {"6", "20", "100"},
                       kDot,
                       {"Re at 100 °C for:", "", "Copper (Cu): 7.85 Ohm", "(+1.85 Ohm, +30.9 %)",
                        "", "Aluminium (Al): 8.06 Ohm", "(+2.06 Ohm, +34.3 %)", "",
                        "Silver (Ag): 7.82 Ohm", "(+1.82 Ohm, +30.4 %)"}},
        TemperatureRow{"Comma",
                       {"6", "20", "100"},
                       kComma,
                       {"Re at 100 °C for:", "", "Copper (Cu): 7,85 Ohm", "(+1,85 Ohm, +30,9 %)",
                        "", "Aluminium (Al): 8,06 Ohm", "(+2,06 Ohm, +34,3 %)", "",
                        "Silver (Ag): 7,82 Ohm", "(+1,82 Ohm, +30,4 %)"}},
        TemperatureRow{"CoolingHasNoPlus",
                       {"6", "20", "0"},
                       kDot,
                       {"Re at 0 °C for:", "", "Copper (Cu): 5.54 Ohm", "(-0.46 Ohm, -7.7 %)", "",
                        "Aluminium (Al): 5.49 Ohm", "(-0.51 Ohm, -8.6 %)", "",
                        "Silver (Ag): 5.54 Ohm", "(-0.46 Ohm, -7.6 %)"}},
        TemperatureRow{
            "SameTemperature",
            {"6", "20", "20"},
            kDot,
            {"Re at 20 °C for:", "", "Copper (Cu): 6 Ohm", "(0 Ohm, 0 %)", "",
             "Aluminium (Al): 6 Ohm", "(0 Ohm, 0 %)", "", "Silver (Ag): 6 Ohm", "(0 Ohm, 0 %)"}},
        TemperatureRow{"EmptyTakesDefaults",
                       {"", "", ""},
                       kDot,
                       {"Re at 100 °C for:", "", "Copper (Cu): 7.85 Ohm", "(+1.85 Ohm, +30.9 %)",
                        "", "Aluminium (Al): 8.06 Ohm", "(+2.06 Ohm, +34.3 %)", "",
                        "Silver (Ag): 7.82 Ohm", "(+1.82 Ohm, +30.4 %)"}},
        TemperatureRow{"ZeroResistanceEmpties", {"0", "20", "100"}, kDot, {}},
        TemperatureRow{"UnreadableEmpties", {"6", "20", "1.0.0"}, kDot, {}}),
    RowName{});

TEST(VoiceCoilTemperaturePanel, EmptyReTakesTheDriversRe) {
    const VoiceCoilTemperatureResult out =
        computeVoiceCoilTemperature({"", "20", "100"}, driverWith(5.6, 0, 0), kComma);
    EXPECT_EQ(out.reAtT1.text, "5,6");
    EXPECT_TRUE(out.reAtT1.selected);
    EXPECT_EQ(out.lines.at(2), "Copper (Cu): 7,33 Ohm");
}

}  // namespace
}  // namespace sublumo::tools::test
