#include "source_level.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_driver.h"

namespace sublumo::enclosure {
namespace {

constexpr NumberFormat kDot{'.'};

struct Source {
    DriverParameters driver = test::makeDriver();
    EquivalentDriver equivalent;
    int N = 1;
};

Source source(DriverArrangement a = {1}, AdditionalOptions o = {0, 0, 20}, double pe = 0) {
    Source s;
    s.driver.value(Param::Pe) = pe;
    s.equivalent = computeEquivalentDriver(s.driver, a, o);
    s.N = a.N;
    return s;
}

SourceLevel level(const Source& s, double U, double d) {
    return computeSourceLevel(s.driver, s.equivalent, s.N, U, d, kDot);
}

TEST(SourceLevel, StandardVoltageIntoEightOhm) {
    const Source s = source();
    const SourceLevel l = level(s, 2.83, 1.0);
    EXPECT_NEAR(l.level, s.equivalent.SPL + 10 * std::log10(2.83 * 2.83 / 8.0), 1e-12);
    EXPECT_NEAR(l.level - s.equivalent.SPL, 0.0049, 0.0001);
    EXPECT_EQ(l.L, formatRounded(l.level, 2, kDot));
    EXPECT_EQ(l.Pd, "1");  // 8.0089 / 8 W
    EXPECT_EQ(l.Pr, "0");
    EXPECT_NEAR(level(s, 2.83, 2.0).level, l.level - 20 * std::log10(2.0), 1e-12);
    EXPECT_NEAR(l.level - level(s, 2.83, 2.0).level, 6.02, 0.005);
}

TEST(SourceLevel, PowerSharesOfNetworkAndSeriesResistance) {
    // Two drivers in series, 16 Ohm hot network, 1 Ohm in series.
    const Source s = source({2, Connection::Series, false}, {1.0, 0, 20});
    const SourceLevel l = level(s, 17.0, 1.0);
    EXPECT_EQ(l.Pd, "8");  // 1 A through 16 Ohm, shared by two drivers
    EXPECT_EQ(l.Pr, "1");
}

TEST(SourceLevel, WarningWhenShownPowerExceedsPe) {
    struct Row {
        double U;
        double Pe;
        bool warning;
    };
    // 4 V into 8 Ohm is 2 W.
    for (const Row& r :
         {Row{4.0, 2.0, false}, Row{4.0, 1.99, true}, Row{4.0, 0.0, false}, Row{4.01, 2.0, true}}) {
        SCOPED_TRACE(r.Pe);
        EXPECT_EQ(level(source({1}, {0, 0, 20}, r.Pe), r.U, 1.0).warning, r.warning);
    }
}

TEST(SourceLevel, ZeroInputsShowZero) {
    const Source s = source();
    EXPECT_EQ(level(s, 0.0, 1.0).L, "0");
    EXPECT_EQ(level(s, 2.83, 0.0).L, "0");
    EXPECT_EQ(level(s, 0.0001, 1.0).L, "0");  // L below 0 dB shows 0
    Source none = source();
    none.driver.value(Param::Qts) = 0;
    const SourceLevel l = computeSourceLevel(none.driver, none.equivalent, 1, 2.83, 1.0, kDot);
    EXPECT_EQ(l.Pd, "0");
    EXPECT_FALSE(l.Pr.has_value());
}

TEST(SourceLevel, OneWattVoltage) {
    const Source one = source({1}, {0.5, 0, 20});
    const auto u = oneWattVoltage(one.equivalent, kDot);
    ASSERT_TRUE(u);
    EXPECT_EQ(*u, formatRounded(std::sqrt(8.0) * 8.5 / 8.0, 2, kDot));
    EXPECT_EQ(level(one, std::sqrt(8.0) * 8.5 / 8.0, 1.0).Pd, "1");
    const Source two = source({2, Connection::Parallel, false}, {0, 0, 20});
    EXPECT_EQ(level(two, std::sqrt(4.0), 1.0).Pd, "0.5");
    EquivalentDriver dead;
    EXPECT_FALSE(oneWattVoltage(dead, kDot));
}

}  // namespace
}  // namespace sublumo::enclosure
