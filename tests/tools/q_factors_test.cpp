#include "q_factors.h"

#include "table_test.h"

namespace sublumo::tools::test {
namespace {

struct QRow {
    const char* name;
    QFactorsInputs in;
    NumberFormat format;
    const char* hint;
    bool f1f2Enabled;
    const char* information;
    const char* qms;
    const char* qes;
    const char* qts;
    bool okEnabled;
};

class QFactors : public testing::TestWithParam<QRow> {};

TEST_P(QFactors, ShowsHintLineAndQs) {
    const QRow& row = GetParam();
    const QFactorsResult out = computeQFactors(row.in, row.format);
    EXPECT_EQ(out.hint, row.hint);
    EXPECT_EQ(out.f1f2Enabled, row.f1f2Enabled);
    EXPECT_EQ(out.information, row.information);
    EXPECT_EQ(out.qms, row.qms);
    EXPECT_EQ(out.qes, row.qes);
    EXPECT_EQ(out.qts, row.qts);
    EXPECT_EQ(out.okEnabled, row.okEnabled);
}

constexpr const char* kFirst = "First fill in\rRe and Zmax";
constexpr const char* kAt18 = "At 18 Ohm\rfind f1 and f2";

INSTANTIATE_TEST_SUITE_P(Rows, QFactors,
                         testing::Values(QRow{"SymmetricMeasurement",
                                              {"6", "54", "50", "40", "62.5"},
                                              kDot,
                                              kAt18,
                                              true,
                                              "f2sym: 62.5 Hz (shift: 0 %)",
                                              "6.667",
                                              "0.833",
                                              "0.741",
                                              true},
                                         QRow{"SymmetricMeasurementComma",
                                              {"6", "54", "50", "40", "62,5"},
                                              kComma,
                                              kAt18,
                                              true,
                                              "f2sym: 62,5 Hz (shift: 0 %)",
                                              "6,667",
                                              "0,833",
                                              "0,741",
                                              true},
                                         QRow{"F2AboveSymmetryShiftsPlus",
                                              {"6", "54", "50", "40", "65"},
                                              kDot,
                                              kAt18,
                                              true,
                                              "f2sym: 62.5 Hz (shift: +4 %)",
                                              "6",
                                              "0.75",
                                              "0.667",
                                              true},
                                         QRow{"F2BelowSymmetryShiftsMinus",
                                              {"6", "54", "50", "40", "60"},
                                              kDot,
                                              kAt18,
                                              true,
                                              "f2sym: 62.5 Hz (shift: -4 %)",
                                              "7.5",
                                              "0.938",
                                              "0.833",
                                              true},
                                         QRow{"F2NotAboveFs",
                                              {"6", "54", "50", "40", "50"},
                                              kDot,
                                              kAt18,
                                              true,
                                              "f2sym: 62.5 Hz",
                                              "0",
                                              "0",
                                              "0",
                                              false},
                                         QRow{"F1NotBelowFs",
                                              {"6", "54", "50", "50", "62.5"},
                                              kDot,
                                              kAt18,
                                              true,
                                              "",
                                              "0",
                                              "0",
                                              "0",
                                              false},
                                         QRow{"ReEqualsZmax",
                                              {"54", "54", "50", "40", "62.5"},
                                              kDot,
                                              kFirst,
                                              false,
                                              "f2sym: 62.5 Hz (shift: 0 %)",
                                              "0",
                                              "0",
                                              "0",
                                              false},
                                         QRow{"ReAboveZmax",
                                              {"60", "54", "50", "40", "62.5"},
                                              kDot,
                                              kFirst,
                                              false,
                                              "f2sym: 62.5 Hz (shift: 0 %)",
                                              "0",
                                              "0",
                                              "0",
                                              false},
                                         QRow{"ClearedReReadsZero",
                                              {"", "54", "50", "40", "62.5"},
                                              kDot,
                                              kFirst,
                                              false,
                                              "f2sym: 62.5 Hz (shift: 0 %)",
                                              "0",
                                              "0",
                                              "0",
                                              false},
                                         QRow{"NothingEntered",
                                              {"0", "0", "0", "0", "0"},
                                              kDot,
                                              kFirst,
                                              false,
                                              "",
                                              "0",
                                              "0",
                                              "0",
                                              false},
                                         QRow{"UnreadableZmax",
                                              {"6", "5,4", "50", "40", "62.5"},
                                              kDot,
                                              kFirst,
                                              false,
                                              "f2sym: 62.5 Hz (shift: 0 %)",
                                              "0",
                                              "0",
                                              "0",
                                              false},
                                         QRow{"HintRoundsToTwoDecimals",
                                              {"6.2", "40", "0", "0", "0"},
                                              kDot,
                                              "At 15.75 Ohm\rfind f1 and f2",
                                              true,
                                              "",
                                              "0",
                                              "0",
                                              "0",
                                              false}),
                         RowName{});

TEST(QFactorsPanel, ClearedReIsRefilledWithZeroSelected) {
    const QFactorsResult out = computeQFactors({"", "54", "50", "40", "62.5"}, kDot);
    EXPECT_EQ(out.re.text, "0");
    EXPECT_TRUE(out.re.selected);
    EXPECT_FALSE(out.zmax.selected);
}

TEST(QFactorsTransfer, CopiesQmsQesFsAndRe) {
    const QFactorsResult out = computeQFactors({"6", "54", "50", "40", "62.5"}, kDot);
    const DriverTransfer transfer = qFactorsTransfer(out);
    ASSERT_EQ(transfer.writes.size(), 4u);
    EXPECT_EQ(transfer.writes[0].param, Param::Qms);
    EXPECT_EQ(transfer.writes[0].text, "6.667");
    EXPECT_EQ(transfer.writes[1].param, Param::Qes);
    EXPECT_EQ(transfer.writes[1].text, "0.833");
    EXPECT_EQ(transfer.writes[2].param, Param::fs);
    EXPECT_EQ(transfer.writes[2].text, "50");
    EXPECT_EQ(transfer.writes[3].param, Param::Re);
    EXPECT_EQ(transfer.writes[3].text, "6");
    EXPECT_TRUE(transfer.nameSuffix.empty());
    EXPECT_FALSE(transfer.entryMode);
}

}  // namespace
}  // namespace sublumo::tools::test
