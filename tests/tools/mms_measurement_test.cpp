#include "mms_measurement.h"

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

struct AddedRow {
    const char* name;
    AddedMassInputs in;
    NumberFormat format;
    const char* shiftLine;
    const char* mms;
    bool enabled;  // "add" and "OK"
};

class AddedMass : public testing::TestWithParam<AddedRow> {};

TEST_P(AddedMass, ShowsShiftAndMms) {
    const AddedRow& row = GetParam();
    const AddedMassResult out = computeAddedMass(row.in, row.format);
    EXPECT_EQ(out.shiftLine, row.shiftLine);
    EXPECT_EQ(out.mms, row.mms);
    EXPECT_EQ(out.addEnabled, row.enabled);
    EXPECT_EQ(out.okEnabled, row.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AddedMass,
    testing::Values(
        AddedRow{"TenGramsLowerFsByAFifth",
                 {"50", "40", "10"},
                 kDot,
                 "Shift in fs: -20 %",
                 "17.8",
                 true},
        AddedRow{"Comma", {"50", "40", "10"}, kComma, "Shift in fs: -20 %", "17,8", true},
        AddedRow{
            "CommaDecimals", {"50,5", "40,2", "10"}, kComma, "Shift in fs: -20,4 %", "17,3", true},
        AddedRow{"NewFsNotLower", {"50", "50", "10"}, kDot, "", "0", false},
        AddedRow{"NewFsHigher", {"50", "60", "10"}, kDot, "", "0", false},
        AddedRow{"NoMassGivesZeroMms", {"50", "40", "0"}, kDot, "Shift in fs: -20 %", "0", false},
        AddedRow{"NoNewFs", {"50", "0", "10"}, kDot, "", "0", false},
        AddedRow{"Unreadable", {"50", "4.0.0", "10"}, kDot, "", "0", false},
        AddedRow{"EmptyInputs", {"", "", ""}, kDot, "", "0", false}),
    RowName{});

struct ClosedRow {
    const char* name;
    ClosedBoxInputs in;
    NumberFormat format;
    const char* coneLine;
    const char* shiftLine;
    const char* vas;
    const char* mms;
};

class ClosedBox : public testing::TestWithParam<ClosedRow> {};

TEST_P(ClosedBox, ShowsVasMmsAndLines) {
    const ClosedRow& row = GetParam();
    const ClosedBoxResult out = computeClosedBox(row.in, row.format);
    EXPECT_EQ(out.coneVolumeLine, row.coneLine);
    EXPECT_EQ(out.shiftLine, row.shiftLine);
    EXPECT_EQ(out.vas, row.vas);
    EXPECT_EQ(out.mms, row.mms);
    EXPECT_EQ(out.okEnabled, std::string(row.mms) != "0");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClosedBox,
    testing::Values(
        ClosedRow{"DoubledFsInTenLitres",
                  {"50", "100", "10", "500", "0", "0", "0"},
                  kDot,
                  "",
                  "Shift in fs: +50 %",
                  "30",
                  "119.9"},
        ClosedRow{"Comma",
                  {"50", "100", "10", "500", "0", "0", "0"},
                  kComma,
                  "",
                  "Shift in fs: +50 %",
                  "30",
                  "119,9"},
        ClosedRow{"ConeVolume",
                  {"50", "100", "10", "500", "200", "100", "50"},
                  kDot,
                  "Vc: 0.916 l",
                  "Shift in fs: +50 %",
                  "30",
                  "119.9"},
        ClosedRow{"ConeVolumeNeedsAllThree",
                  {"50", "100", "10", "500", "200", "100", "0"},
                  kDot,
                  "",
                  "Shift in fs: +50 %",
                  "30",
                  "119.9"},
        ClosedRow{"NoSdGivesNoMms",
                  {"50", "100", "10", "0", "0", "0", "0"},
                  kDot,
                  "",
                  "Shift in fs: +50 %",
                  "30",
                  "0"},
        ClosedRow{"UnreadableSdGivesNoMms",
                  {"50", "100", "10", "5.0.0", "0", "0", "0"},
                  kDot,
                  "",
                  "Shift in fs: +50 %",
                  "30",
                  "0"},
        ClosedRow{"NoBoxGivesNoVas",
                  {"50", "100", "0", "500", "0", "0", "0"},
                  kDot,
                  "",
                  "Shift in fs: +50 %",
                  "0",
                  "0"},
        ClosedRow{
            "NewFsNotHigher", {"50", "40", "10", "500", "0", "0", "0"}, kDot, "", "", "0", "0"},
        ClosedRow{"EmptyInputs", {"", "", "", "", "", "", ""}, kDot, "", "", "0", "0"}),
    RowName{});

TEST(MmsTransfer, AddedMassWritesMmsAndFocusesIt) {
    const DriverTransfer transfer = addedMassTransfer("17.8");
    ASSERT_EQ(transfer.writes.size(), 1u);
    EXPECT_EQ(transfer.writes[0].param, Param::Mms);
    EXPECT_EQ(transfer.writes[0].text, "17.8");
    EXPECT_EQ(transfer.focus, Param::Mms);
}

TEST(MmsTransfer, ClosedBoxWritesSdAndMmsInAreaMode) {
    const ClosedBoxResult out = computeClosedBox({"50", "100", "10", "500", "", "", ""}, kDot);
    const DriverTransfer transfer = closedBoxTransfer(out, DiaphragmEntryMode::Diameter);
    EXPECT_EQ(transfer.entryMode, DiaphragmEntryMode::Area);
    ASSERT_EQ(transfer.writes.size(), 2u);
    EXPECT_EQ(transfer.writes[0].param, Param::Sd);
    EXPECT_EQ(transfer.writes[0].text, "500");
    EXPECT_EQ(transfer.writes[1].param, Param::Mms);
    EXPECT_EQ(transfer.writes[1].text, "119.9");
    EXPECT_EQ(transfer.focus, Param::Mms);
    EXPECT_FALSE(closedBoxTransfer(out, DiaphragmEntryMode::Area).entryMode);
}

}  // namespace
}  // namespace sublumo::tools::test
