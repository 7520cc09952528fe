#include "driver_filter.h"

#include <gtest/gtest.h>

#include "driver_database.h"

namespace sublumo::database {
namespace {

constexpr NumberFormat kPoint{'.'};
constexpr NumberFormat kComma{','};

void addDriver(DriverDatabase& db, const std::string& name, const std::string& qms,
               const std::string& qes, const std::string& dd = "165", const std::string& fs = "40",
               const std::string& mms = "15", const std::string& re = "6") {
    db.writeValue(name, "Qms", qms);
    db.writeValue(name, "Qes", qes);
    db.writeValue(name, "fs", fs);
    db.writeValue(name, "Mms", mms);
    db.writeValue(name, "Dd", dd);
    db.writeValue(name, "Re", re);
}

TEST(RecordSensitivity, MatchesTheEfficiencyOfTheDriver) {
    // Reference values worked out separately from the textbook form of eta0.
    EXPECT_NEAR(*recordSensitivity(260, 30, 0.35, 60), 93.4941804972, 1e-9);
    EXPECT_NEAR(*recordSensitivity(165, 40, 0.5, 15), 91.3155720264, 1e-9);
    EXPECT_FALSE(recordSensitivity(0, 40, 0.5, 15));
    EXPECT_FALSE(recordSensitivity(165, 0, 0.5, 15));
    EXPECT_FALSE(recordSensitivity(165, 40, 0, 15));
    EXPECT_FALSE(recordSensitivity(165, 40, 0.5, 0));
    EXPECT_FALSE(recordSensitivity(165, 40, -0.5, 15));  // no logarithm of a negative
    EXPECT_NEAR(*recordQts(0.5, 2), 0.4, 1e-15);
    EXPECT_FALSE(recordQts(1, -1));
}

TEST(DatabaseRanges, RoundOutwardsAndFallBackToZeroTo999) {
    DriverDatabase db;
    EXPECT_EQ(computeDatabaseRanges(db, kPoint), DatabaseRanges());  // empty database
    EXPECT_EQ(DatabaseRanges().minimum[0], "0");
    EXPECT_EQ(DatabaseRanges().maximum[5], "999");

    // Qts of 0.304 and 0.616.
    addDriver(db, "Low", "3.8", "0.330434782608696", "100.04", "25.25", "8", "3.96");
    addDriver(db, "High", "1.6", "1.00162601626016", "305.96", "61.75", "120", "7.95");
    addDriver(db, "Mid", "2", "0,5", "200", "40", "30", "6");
    const DatabaseRanges ranges = computeDatabaseRanges(db, kComma);
    const auto i = [](Criterion c) { return indexOf(c); };
    EXPECT_EQ(ranges.minimum[i(Criterion::Qts)], "0,29");
    EXPECT_EQ(ranges.maximum[i(Criterion::Qts)], "0,63");
    EXPECT_EQ(ranges.minimum[i(Criterion::Dd)], "100");
    EXPECT_EQ(ranges.maximum[i(Criterion::Dd)], "306");
    EXPECT_EQ(ranges.minimum[i(Criterion::fs)], "25,2");  // 252.5 rounds to the even 252
    EXPECT_EQ(ranges.maximum[i(Criterion::fs)], "61,8");  // 617.5 rounds to the even 618
    EXPECT_EQ(ranges.minimum[i(Criterion::Re)], "4");
    EXPECT_EQ(ranges.maximum[i(Criterion::Mms)], "120");
    EXPECT_EQ(ranges.minimum[i(Criterion::SPL)], "85,1");  // 85.154 -> 85.2 - 0.1
    EXPECT_EQ(ranges.maximum[i(Criterion::SPL)], "92");    // 91.880 -> 91.9 + 0.1

    db.writeValue("Mid", "Re", "n/a");  // one record without a number: every range falls back
    EXPECT_EQ(computeDatabaseRanges(db, kPoint), DatabaseRanges());
    db.writeValue("Mid", "Re", "6");
    db.writeValue("Mid", "Qes", "0");  // sensitivity cannot be evaluated
    EXPECT_EQ(computeDatabaseRanges(db, kPoint), DatabaseRanges());
}

class BoundRule : public ::testing::Test {
protected:
    void SetUp() override {
        addDriver(m_db, "Small", "3", "0.4", "99.96");
        addDriver(m_db, "Large", "3", "0.4", "301.04");
        m_ranges = computeDatabaseRanges(m_db, kPoint);
        m_filter.on = true;
        m_filter[Criterion::Dd].enabled = true;
    }
    BoundRuleResult change(BoundSide side, const std::string& text) {
        RangeCriterion& dd = m_filter[Criterion::Dd];
        (side == BoundSide::Minimum ? dd.minimum : dd.maximum) = text;
        return applyBoundRule(m_filter, Criterion::Dd, side, m_ranges, kPoint);
    }

    DriverDatabase m_db;
    DatabaseRanges m_ranges;
    DriverFilter m_filter;
};

TEST_F(BoundRule, AnEmptyOrTooLargeMaximumBecomesTheLargestInTheDatabase) {
    EXPECT_TRUE(change(BoundSide::Maximum, "").replaced);
    EXPECT_EQ(m_filter[Criterion::Dd].maximum, "301");
    EXPECT_TRUE(change(BoundSide::Maximum, "400").replaced);
    EXPECT_EQ(m_filter[Criterion::Dd].maximum, "301");
    EXPECT_FALSE(change(BoundSide::Maximum, "250,5").replaced);
    EXPECT_EQ(m_filter[Criterion::Dd].maximum, "250.5");  // normalised
}

TEST_F(BoundRule, AnEmptyMinimumBecomesTheSmallestButIsNeverRaised) {
    EXPECT_TRUE(change(BoundSide::Minimum, "").replaced);
    EXPECT_EQ(m_filter[Criterion::Dd].minimum, "100");
    EXPECT_FALSE(change(BoundSide::Minimum, "20").replaced);
    EXPECT_EQ(m_filter[Criterion::Dd].minimum, "20");
}

TEST_F(BoundRule, NormalisesAllTwelveBoundsAndColoursCrossedPairs) {
    m_filter[Criterion::Re] = {false, "1,5", "2,5"};
    change(BoundSide::Minimum, "260");
    EXPECT_EQ(m_filter[Criterion::Re].minimum, "1.5");
    EXPECT_FALSE(boundPairIsRed(m_filter[Criterion::Re], kPoint));
    m_filter[Criterion::Dd].maximum = "250";
    EXPECT_TRUE(boundPairIsRed(m_filter[Criterion::Dd], kPoint));
    const BoundRuleResult bad = change(BoundSide::Maximum, "2x");
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.errorText, "The filter bound \"2x\" is not a number.");
}

TEST_F(BoundRule, DiameterClassesSetBothBoundsThroughTheRule) {
    struct Row {
        std::size_t row;
        const char* text;
        const char* minimum;
        const char* maximum;
    };
    const Row rows[] = {
        {0, "<= \xC2\xB1 3 \"", "100", "70"},  // empty minimum: the database's smallest
        {4, "\xC2\xB1 8 \"", "140", "180"},
        {10, ">= \xC2\xB1 24 \"", "480", "301"},  // empty maximum: the database's largest
    };
    for (const Row& row : rows) {
        m_filter[Criterion::Dd].enabled = false;
        ASSERT_TRUE(chooseDiameterClass(m_filter, row.row, m_ranges, kPoint).ok);
        EXPECT_EQ(diameterClassRowText(row.row), row.text);
        EXPECT_TRUE(m_filter[Criterion::Dd].enabled) << row.row;
        EXPECT_EQ(m_filter[Criterion::Dd].minimum, row.minimum) << row.row;
        EXPECT_EQ(m_filter[Criterion::Dd].maximum, row.maximum) << row.row;
    }
}

TEST(DriverFilter, ClearingUnchecksTheCriteriaAndEmptiesTheTextButKeepsTheBounds) {
    DriverFilter filter;
    filter.on = true;
    filter.searchText = "abc";
    filter[Criterion::fs] = {true, "20", "40"};
    clearFilter(filter);
    EXPECT_TRUE(filter.on);
    EXPECT_EQ(filter.searchText, "");
    EXPECT_FALSE(filter[Criterion::fs].enabled);
    EXPECT_EQ(filter[Criterion::fs].maximum, "40");
}

}  // namespace
}  // namespace sublumo::database
