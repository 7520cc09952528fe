#include "arrangement.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_driver.h"

namespace sublumo::enclosure {
namespace {

constexpr NumberFormat kDot{'.'};
constexpr double kTight = 1e-9;

EquivalentDriver equivalentFor(const DriverParameters& d, DriverArrangement a,
                               AdditionalOptions o = {0.0, 0.0, 20.0}) {
    return computeEquivalentDriver(d, a, o);
}

TEST(ConnectionAvailability, FollowsTheNumberOfDrivers) {
    struct Row {
        int N;
        bool group, series, parallel, serParA, serParB, isobaric;
    };
    const Row rows[] = {
        {1, false, false, false, false, false, false}, {2, true, true, true, false, false, true},
        {3, true, true, true, false, false, false},    {4, true, true, true, true, false, true},
        {5, true, true, true, false, false, false},    {6, true, true, true, true, true, true},
        {7, true, true, true, false, false, false},    {8, true, true, true, true, true, true},
        {9, true, true, true, false, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.N);
        const ConnectionAvailability a = connectionAvailability(r.N);
        EXPECT_EQ(a.groupEnabled, r.group);
        EXPECT_EQ(a.items[0], r.series);
        EXPECT_EQ(a.items[1], r.parallel);
        EXPECT_EQ(a.items[2], r.serParA);
        EXPECT_EQ(a.items[3], r.serParB);
        EXPECT_EQ(a.isobaricAllowed, r.isobaric);
    }
}

TEST(EquivalentDriver, SingleDriverIsTheDriverItself) {
    const DriverParameters d = test::makeDriver();
    const EquivalentDriver e = equivalentFor(d, {1, Connection::Parallel, true});
    EXPECT_DOUBLE_EQ(e.Re, 8.0);
    EXPECT_DOUBLE_EQ(e.Bl, d.value(Param::Bl));
    EXPECT_NEAR(e.Vas, 50.0, kTight);
    EXPECT_NEAR(e.fs, 30.0, kTight);
    EXPECT_NEAR(e.Qes, d.value(Param::Qes), kTight);
    EXPECT_NEAR(e.Qts, 0.4, kTight);
    EXPECT_DOUBLE_EQ(e.iso, 1.0);  // isobaric does not count for one driver
    EXPECT_NEAR(e.eta0, d.value(Param::eta0), 1e-12);
    EXPECT_NEAR(e.SPL, d.value(Param::SPL), kTight);
}

TEST(EquivalentDriver, NetworksScaleResistanceForceFactorAndVolume) {
    const DriverParameters d = test::makeDriver();
    const double bl = d.value(Param::Bl);
    struct Row {
        const char* name;
        DriverArrangement arrangement;
        double re, bl, vas;
    };
    const Row rows[] = {
        {"2 series", {2, Connection::Series, false}, 16.0, 2 * bl, 100.0},
        {"2 isobaric parallel", {2, Connection::Parallel, true}, 4.0, bl, 25.0},
        {"3 parallel, isobaric not allowed", {3, Connection::Parallel, true}, 8.0 / 3, bl, 150.0},
        {"4 SerParA", {4, Connection::SerParA, false}, 8.0, 2 * bl, 200.0},
        {"6 SerParA", {6, Connection::SerParA, false}, 12.0, 3 * bl, 300.0},
        {"6 SerParB isobaric", {6, Connection::SerParB, true}, 8.0 / 1.5, 2 * bl, 75.0},
        {"8 SerParA", {8, Connection::SerParA, false}, 16.0, 4 * bl, 400.0},
        {"8 SerParB", {8, Connection::SerParB, false}, 4.0, 2 * bl, 400.0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const EquivalentDriver e = equivalentFor(d, r.arrangement);
        EXPECT_NEAR(e.Re, r.re, kTight);
        EXPECT_NEAR(e.Bl, r.bl, kTight);
        EXPECT_NEAR(e.Vas, r.vas, 1e-9);
        // Without Rs and at 20 °C every network keeps the driver's Q and resonance.
        EXPECT_NEAR(e.Qes, d.value(Param::Qes), kTight);
        EXPECT_NEAR(e.fs, 30.0, kTight);
    }
}

TEST(EquivalentDriver, UnavailableSelectionIsComputedAsSeries) {
    const DriverParameters d = test::makeDriver();
    const DriverArrangement kept{3, Connection::SerParA, false};
    EXPECT_EQ(effectiveConnection(kept), Connection::Series);
    const EquivalentDriver e = equivalentFor(d, kept);
    EXPECT_NEAR(e.Re, 24.0, kTight);
    EXPECT_NEAR(e.Bl, 3 * d.value(Param::Bl), kTight);
    EXPECT_EQ(effectiveConnection({8, Connection::SerParB, false}), Connection::SerParB);
}

TEST(EquivalentDriver, HotCoilAndSeriesResistanceEnterOnlyThroughRtot) {
    const DriverParameters d = test::makeDriver();
    const EquivalentDriver cold = equivalentFor(d, {2, Connection::Series, false});
    const EquivalentDriver hot = equivalentFor(d, {2, Connection::Series, false}, {0.5, 0, 120});
    EXPECT_NEAR(hot.kT, 1.392, kTight);
    EXPECT_NEAR(hot.Rtot, 16.0 * 1.392 + 0.5, kTight);
    EXPECT_NEAR(hot.Qes / cold.Qes, hot.Rtot / 16.0, kTight);
    EXPECT_DOUBLE_EQ(hot.Re, cold.Re);
    EXPECT_DOUBLE_EQ(hot.fs, cold.fs);
    EXPECT_DOUBLE_EQ(hot.Vas, cold.Vas);
}

TEST(EquivalentDriver, AddedMassLowersResonanceAndRaisesQes) {
    const DriverParameters d = test::makeDriver();
    const double mms = d.value(Param::Mms);
    const EquivalentDriver plain = equivalentFor(d, {1});
    const EquivalentDriver loaded = equivalentFor(d, {1}, {0, 10.0, 20});
    EXPECT_NEAR(loaded.Mms, mms + 10.0, kTight);
    EXPECT_NEAR(loaded.fs, 30.0 * std::sqrt(mms / (mms + 10.0)), kTight);
    EXPECT_NEAR(loaded.Qes / plain.Qes, std::sqrt((mms + 10.0) / mms), kTight);
    EXPECT_DOUBLE_EQ(loaded.Vas, plain.Vas);
}

TEST(ArrangementTexts, CaptionsShowEachWiringsImpedance) {
    struct Row {
        int N;
        double Re;
        std::array<const char*, 4> captions;
    };
    const Row rows[] = {
        {2, 8.0, {"series (16 Ohm)", "parallel (4 Ohm)", "ser-par.", "ser-par."}},
        {3, 4.0, {"series (12 Ohm)", "parallel (1.33 Ohm)", "ser-par.", "ser-par."}},
        {4,
         3.14159,
         {"series (12.57 Ohm)", "parallel (0.79 Ohm)", "ser-par. (3.14159 Ohm)", "ser-par."}},
        {6,
         4.0,
         {"series (24 Ohm)", "parallel (0.67 Ohm)", "ser-par. (6 Ohm)", "ser-par. (2.67 Ohm)"}},
        {8,
         6.0,
         {"series (48 Ohm)", "parallel (0.75 Ohm)", "ser-par. (12 Ohm)", "ser-par. (3 Ohm)"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.N);
        const auto captions = connectionCaptions(r.Re, r.N, kDot);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(captions[i], r.captions[i]);
    }
    EXPECT_EQ(connectionCaptions(5.5, 2, NumberFormat{','})[1], "parallel (2,75 Ohm)");
}

TEST(ArrangementTexts, DesignLabelNamesTheWiring) {
    struct Row {
        DriverArrangement arrangement;
        double Re;
        const char* label;
    };
    const Row rows[] = {
        {{1, Connection::Series, false}, 4.0, "W8"},
        {{4, Connection::Series, false}, 4.0, "W8 (4x in S: 16 Ohm)"},
        {{2, Connection::Parallel, true}, 8.0, "W8 (2x in P as IB: 4 Ohm)"},
        {{3, Connection::Parallel, true}, 8.0, "W8 (3x in P: 2.67 Ohm)"},
        {{6, Connection::SerParB, true}, 8.0, "W8 (6x in S-P as IB: 5.33 Ohm)"},
        {{3, Connection::SerParA, false}, 8.0, "W8 (3x in S: 24 Ohm)"},  // computed as Series
    };
    for (const Row& r : rows) {
        const std::string count = std::to_string(r.arrangement.N);
        EXPECT_EQ(designLabel("W8", count, r.Re, r.arrangement, kDot), r.label);
    }
    EXPECT_EQ(windowCaption("Sublumo 3.04", "W8", "W8 (4x in S: 16 Ohm)"),
              "Sublumo 3.04 | W8 (4x in S: 16 Ohm)");
    EXPECT_EQ(windowCaption("Sublumo 3.04", "", " (2x in S: 16 Ohm)"), "Sublumo 3.04 | unnamed");
}

TEST(ArrangementView, EnablesControlsForAUsableDriverOnly) {
    DriverParameters d = test::makeDriver();
    ArrangementInputs in{"", Connection::Series, true, true};
    const ArrangementView one = refreshArrangementView(d, in, kDot);
    EXPECT_EQ(one.countText, "1");
    EXPECT_TRUE(one.optionFieldsEnabled);
    EXPECT_TRUE(one.sourceFieldsEnabled);
    EXPECT_FALSE(one.groupEnabled);
    EXPECT_FALSE(one.isobaricEnabled);
    EXPECT_EQ(one.designLabel, "W8");

    in.countText = "4";
    const ArrangementView four = refreshArrangementView(d, in, kDot);
    EXPECT_TRUE(four.groupEnabled);
    EXPECT_TRUE(four.isobaricEnabled);
    EXPECT_EQ(four.connectionEnabled, (std::array<bool, 4>{true, true, true, false}));
    EXPECT_EQ(four.designLabel, "W8 (4x in S as IB: 32 Ohm)");

    d.value(Param::USPL) = 0;
    const ArrangementView none = refreshArrangementView(d, in, kDot);
    EXPECT_FALSE(none.optionFieldsEnabled);
    EXPECT_FALSE(none.countEnabled);
    EXPECT_FALSE(none.isobaricEnabled);
    EXPECT_EQ(none.connectionEnabled, (std::array<bool, 4>{}));
    EXPECT_FALSE(none.captions.has_value());
    EXPECT_FALSE(none.designLabel.has_value());
}

TEST(ArrangementView, CountFieldReadsOneToNine) {
    EXPECT_EQ(readCount("7").N, 7);
    EXPECT_EQ(readCount("").text, "1");
    EXPECT_EQ(readCount("0").N, 1);
    EXPECT_EQ(readCount("12").N, 1);
}

}  // namespace
}  // namespace sublumo::enclosure
