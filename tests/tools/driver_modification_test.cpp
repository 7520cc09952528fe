#include "driver_modification.h"

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

using Compute = ModificationResult (*)(const std::string&, const DriverParameters&, NumberFormat);

struct ModificationRow {
    const char* name;
    Compute compute;
    const char* input;
    NumberFormat format;
    TextLines lines;
    // What "OK" writes, in order, and the renamed driver; no writes: "OK" stays disabled.
    std::vector<FieldWrite> writes;
    const char* renamed;
};

class Modification : public testing::TestWithParam<ModificationRow> {};

TEST_P(Modification, ComparesAndTransfers) {
    const ModificationRow& row = GetParam();
    const DriverParameters driver = exampleDriver();
    const ModificationResult out = row.compute(row.input, driver, row.format);
    EXPECT_EQ(out.lines, row.lines);
    EXPECT_EQ(out.okEnabled, !row.writes.empty());
    ASSERT_EQ(out.transfer.has_value(), !row.writes.empty());
    if (!out.transfer)
        return;
    ASSERT_EQ(out.transfer->writes.size(), row.writes.size());
    for (std::size_t i = 0; i < row.writes.size(); ++i) {
        EXPECT_EQ(out.transfer->writes[i].param, row.writes[i].param) << i;
        EXPECT_EQ(out.transfer->writes[i].text, row.writes[i].text) << i;
    }
    EXPECT_EQ(driver.name + out.transfer->nameSuffix, row.renamed);
}

const TextLines kShiftTo25 = {
    "before / after",          "", "fs: 30 / 25 Hz",   "Vas: 187.77 / 270.38 l",
    "Cms: 0.469 / 0.675 mm/N", "", "Qms: 2.5 / 2.083", "Qes: 0.35 / 0.292",
    "Qts: 0.307 / 0.256"};

const TextLines kShiftTo30 = {
    "before / after",          "", "fs: 30 / 30 Hz", "Vas: 187.77 / 187.77 l",
    "Cms: 0.469 / 0.469 mm/N", "", "Qms: 2.5 / 2.5", "Qes: 0.35 / 0.35",
    "Qts: 0.307 / 0.307"};

INSTANTIATE_TEST_SUITE_P(
    ResonanceShift, Modification,
    testing::Values(
        ModificationRow{"LowerFs",
                        computeResonanceShift,
                        "25",
                        kDot,
                        kShiftTo25,
                        {{Param::Qms, "2.083"}, {Param::Qes, "0.292"}, {Param::fs, "25"}},
                        "X (fs=25 Hz)"},
        ModificationRow{"Comma",
                        computeResonanceShift,
                        "24,5",
                        kComma,
                        {"before / after", "", "fs: 30 / 24,5 Hz", "Vas: 187,77 / 281,53 l",
                         "Cms: 0,469 / 0,703 mm/N", "", "Qms: 2,5 / 2,042", "Qes: 0,35 / 0,286",
                         "Qts: 0,307 / 0,251"},
                        {{Param::Qms, "2,042"}, {Param::Qes, "0,286"}, {Param::fs, "24,5"}},
                        "X (fs=24,5 Hz)"},
        ModificationRow{
            "SameFsLeavesOkDisabled", computeResonanceShift, "30", kDot, kShiftTo30, {}, ""},
        ModificationRow{
            "EmptyIsRefilledWithTheDriversFs", computeResonanceShift, "", kDot, kShiftTo30, {}, ""},
        ModificationRow{"ZeroFsEmpties", computeResonanceShift, "0", kDot, {}, {}, ""},
        ModificationRow{"UnreadableEmpties", computeResonanceShift, "2.5.0", kDot, {}, {}, ""}),
    RowName{});

INSTANTIATE_TEST_SUITE_P(
    AddedResistance, Modification,
    testing::Values(
        ModificationRow{"TwoOhm",
                        computeAddedResistance,
                        "2",
                        kDot,
                        {"before / after", "", "Re: 5.6 / 7.6 Ohm", "Qes: 0.35 / 0.475",
                         "Qts: 0.307 / 0.399", "SPL: 93.49 / 92.17 dB", "USPL: 95.04 / 92.39 dB"},
                        {{Param::Re, "7.6"}, {Param::Qes, "0.475"}},
                        "X +2 Ohm"},
        ModificationRow{"NegativeHalfOhmComma",
                        computeAddedResistance,
                        "-0,5",
                        kComma,
                        {"before / after", "", "Re: 5,6 / 5,1 Ohm", "Qes: 0,35 / 0,319",
                         "Qts: 0,307 / 0,283", "SPL: 93,49 / 93,9 dB", "USPL: 95,04 / 95,86 dB"},
                        {{Param::Re, "5,1"}, {Param::Qes, "0,319"}},
                        "X -0,5 Ohm"},
        ModificationRow{"ZeroEmptiesAndDisables", computeAddedResistance, "0", kDot, {}, {}, ""},
        ModificationRow{"EmptyIsZero", computeAddedResistance, "", kDot, {}, {}, ""},
        ModificationRow{
            "NoResistanceLeftEmpties", computeAddedResistance, "-5.6", kDot, {}, {}, ""},
        ModificationRow{"UnreadableEmpties", computeAddedResistance, "2..", kDot, {}, {}, ""}),
    RowName{});

INSTANTIATE_TEST_SUITE_P(
    AddedMass, Modification,
    testing::Values(
        ModificationRow{"FiveGrams",
                        computeAddedMassToCone,
                        "5",
                        kDot,
                        {"before / after", "", "Mms: 60 / 65 g", "fs: 30 / 28.82 Hz (-3.9 %)",
                         "Qms: 2.5 / 2.602", "Qes: 0.35 / 0.364", "Qts: 0.307 / 0.32",
                         "SPL: 93.49 / 92.8 dB", "USPL: 95.04 / 94.35 dB"},
                        {{Param::Mms, "65"},
                         {Param::fs, "28.82"},
                         {Param::Qes, "0.364"},
                         {Param::Qms, "2.602"}},
                        "X +5 g"},
        ModificationRow{
            "TenGramsLighterComma",
            computeAddedMassToCone,
            "-10",
            kComma,
            {"before / after", "", "Mms: 60 / 50 g", "fs: 30 / 32,86 Hz (+9,5 %)",
             "Qms: 2,5 / 2,282", "Qes: 0,35 / 0,32", "Qts: 0,307 / 0,28", "SPL: 93,49 / 95,08 dB",
             "USPL: 95,04 / 96,63 dB"},
            {{Param::Mms, "50"}, {Param::fs, "32,86"}, {Param::Qes, "0,32"}, {Param::Qms, "2,282"}},
            "X -10 g"},
        ModificationRow{"ZeroEmptiesAndDisables", computeAddedMassToCone, "0", kDot, {}, {}, ""},
        ModificationRow{"NoMassLeftEmpties", computeAddedMassToCone, "-60", kDot, {}, {}, ""},
        ModificationRow{"UnreadableEmpties", computeAddedMassToCone, "5,0", kDot, {}, {}, ""}),
    RowName{});

TEST(ModificationPanels, EmptyInputsAreRefilledSelected) {
    const DriverParameters driver = exampleDriver();
    const ModificationResult shift = computeResonanceShift("", driver, kDot);
    EXPECT_EQ(shift.input.text, "30");
    EXPECT_TRUE(shift.input.selected);
    EXPECT_EQ(computeAddedResistance("", driver, kDot).input.text, "0");
    EXPECT_EQ(computeAddedMassToCone("", driver, kDot).input.text, "0");
}

TEST(ModificationPanels, UnsolvedDriverGivesNothing) {
    const DriverParameters unsolved;
    EXPECT_TRUE(computeResonanceShift("25", unsolved, kDot).lines.empty());
    EXPECT_TRUE(computeAddedResistance("2", unsolved, kDot).lines.empty());
    EXPECT_TRUE(computeAddedMassToCone("5", unsolved, kDot).lines.empty());
    EXPECT_FALSE(computeAddedMassToCone("5", unsolved, kDot).okEnabled);
}

}  // namespace
}  // namespace sublumo::tools::test
