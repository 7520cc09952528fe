#include "internal_resistance.h"

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

struct ResistanceRow {
    const char* name;
    InternalResistanceInputs in;
    NumberFormat format;
    TextLines lines;
};

class InternalResistance : public testing::TestWithParam<ResistanceRow> {};

TEST_P(InternalResistance, ShowsRi) {
    const ResistanceRow& row = GetParam();
    EXPECT_EQ(computeInternalResistance(row.in, row.format).lines, row.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InternalResistance,
    testing::Values(
        ResistanceRow{
            "Defaults", {"6", "5.9", "3.3"}, kDot, {"Internal resistance (Ri): 0.056 Ohm"}},
        ResistanceRow{
            "DefaultsComma", {"6", "5,9", "3,3"}, kComma, {"Internal resistance (Ri): 0,056 Ohm"}},
        ResistanceRow{"EmptyInputsTakeDefaults",
                      {"", "", ""},
                      kComma,
                      {"Internal resistance (Ri): 0,056 Ohm"}},
        ResistanceRow{"EqualVoltagesEmpty", {"6", "6", "3.3"}, kDot, {}},
        ResistanceRow{"LoadedAboveOpenEmpties", {"5.9", "6", "3.3"}, kDot, {}},
        ResistanceRow{"NoLoadedVoltageEmpties", {"6", "0", "3.3"}, kDot, {}},
        ResistanceRow{"UnreadableEmpties", {"6", "5.9", "3,3"}, kDot, {}}),
    RowName{});

TEST(InternalResistancePanel, RefillsInTheUsersFormat) {
    const InternalResistanceResult out = computeInternalResistance({"", "", ""}, kComma);
    EXPECT_EQ(out.u1.text, "6");
    EXPECT_EQ(out.u2.text, "5,9");
    EXPECT_EQ(out.rLoad.text, "3,3");
    EXPECT_TRUE(out.u1.selected && out.u2.selected && out.rLoad.selected);
}

}  // namespace
}  // namespace sublumo::tools::test
