#include "closed_box.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_driver.h"

namespace sublumo::enclosure {
namespace {

constexpr NumberFormat kDot{'.'};

ClosedBoxResult closed(const std::string& vb, const std::string& fill, bool infinite = false,
                       const DriverParameters& d = test::makeDriver()) {
    ClosedBoxInputs in;
    in.Vb = vb;
    in.fill = fill;
    in.infinite = infinite;
    return recomputeClosedBox(d, test::plainShared(), in, kDot);
}

EquivalentDriver equivalent(double Qts, double Vas, double fs) {
    EquivalentDriver e;
    e.Qts = Qts;
    e.Vas = Vas;
    e.fs = fs;
    return e;
}

TEST(ClosedBox, InfiniteVolumeIsTheDriverOnABaffle) {
    const ClosedBoxResult r = closed("0", "100", true);
    ASSERT_TRUE(r.valid);
    EXPECT_DOUBLE_EQ(r.values.alpha, 0.0);
    EXPECT_NEAR(r.values.Qtc, 0.4, 1e-12);
    EXPECT_NEAR(r.values.fc, 30.0, 1e-9);
    EXPECT_EQ(r.CaCm, "0/100");
    EXPECT_EQ(r.Qtc, "0.4");
    EXPECT_EQ(r.fc, "30");
    EXPECT_TRUE(r.shared.optionsEnabled);
    EXPECT_TRUE(r.shared.curves.main);
}

TEST(ClosedBox, FillFieldAndFillFactor) {
    struct Row {
        const char* fillText;
        const char* shown;
        double ff;
    };
    const Row rows[] = {{"0", "0", 1.0},
                        {"100", "100", 1.2},
                        {"150", "100", 1.2},
                        {"", "100", 1.2},
                        {"50", "50", 1.1}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.fillText);
        const ClosedBoxResult res = closed("40", r.fillText);
        EXPECT_EQ(res.fill, r.shown);
        EXPECT_NEAR(res.values.ff, r.ff, 1e-12);
        EXPECT_NEAR(res.values.alpha, 50.0 / (40.0 * r.ff), 1e-12);
    }
}

TEST(ClosedBox, RecomputeValuesAndTexts) {
    // Vb·ff = Vas: α = 1, Qtc = 0.4·√2, Ca/Cm splits evenly.
    const ClosedBoxResult r = closed("50", "0");
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.Qtc, "0.566");
    EXPECT_EQ(r.fc, "42.43");
    EXPECT_EQ(r.CaCm, "50/50");
    EXPECT_EQ(r.peak, "0");
    const double t = 1.0 / (0.32) - 2.0;
    EXPECT_NEAR(r.values.f3, 30.0 * std::sqrt(2.0) * std::sqrt((t + std::sqrt(t * t + 4)) / 2),
                1e-9);
    EXPECT_EQ(closed("25", "0").CaCm, "67/33");  // B = 100·25/75 = 33.3
}

TEST(ClosedBox, PeakAndHalfPowerFrequencyByQtc) {
    // α picked so that Qtc = Qts'·√(α + 1) hits the target exactly.
    const auto forQtc = [](double qtc) {
        const double alpha = (qtc / 0.4) * (qtc / 0.4) - 1.0;
        return computeClosedBox(50.0 / alpha, 0.0, equivalent(0.4, 50.0, 30.0)).value();
    };
    const ClosedBoxValues butterworth = forQtc(std::sqrt(0.5));
    EXPECT_DOUBLE_EQ(butterworth.peak, 0.0);
    EXPECT_NEAR(butterworth.f3, butterworth.fc, 1e-9);
    const ClosedBoxValues chebyshev = forQtc(1.0);
    EXPECT_NEAR(chebyshev.peak, 20.0 * std::log10(1.0 / std::sqrt(0.75)), 1e-9);
    EXPECT_EQ(formatRounded(chebyshev.peak, 2, kDot), "1.25");
}

TEST(ClosedBox, ButterworthAlignmentVolumeIsRounded) {
    const DriverParameters d = test::makeDriver();
    const EquivalentDriver e = computeEquivalentDriver(d, {1}, {0, 0, 20});
    const auto vb = closedAlignmentVolume(e, 2, "0", kDot);
    ASSERT_TRUE(vb);
    EXPECT_EQ(*vb, "23.53");  // α = 2.125
    const ClosedBoxResult r = closed(*vb, "0");
    EXPECT_EQ(r.Qtc, "0.707");
    EXPECT_EQ(closedAlignmentVolume(e, 2, "100", kDot), "19.61");
    EXPECT_FALSE(closedAlignmentVolume(equivalent(0.75, 50, 30), 2, "0", kDot));
}

TEST(ClosedBox, AlignmentsNeedQtsBelowTheirQtc) {
    struct Row {
        double Qts;
        std::array<bool, 4> enabled;
    };
    const Row rows[] = {{0.4, {true, true, true, true}},
                        {0.55, {false, true, true, true}},
                        {0.6, {false, false, true, true}},
                        {0.8, {false, false, false, true}},
                        {1.1, {false, false, false, false}}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Qts);
        test::DriverFigures figures;
        figures.Qts = r.Qts;
        figures.Qms = 8.0;
        EXPECT_EQ(closed("30", "0", false, test::makeDriver(figures)).alignmentEnabled, r.enabled);
    }
}

TEST(ClosedBox, FailedBlockShowsZerosAndClearsTheCurves) {
    for (const char* vb : {"0", "", "abc", "1.2.3"}) {
        SCOPED_TRACE(vb);
        const ClosedBoxResult r = closed(vb, "100");
        EXPECT_FALSE(r.valid);
        for (const std::string* text : {&r.Qtc, &r.fc, &r.f3, &r.peak, &r.CaCm})
            EXPECT_EQ(*text, "0");
        EXPECT_FALSE(r.shared.optionsEnabled);
        EXPECT_FALSE(r.shared.curves.main);
        EXPECT_FALSE(r.shared.table.written(TableColumn::Relative));
        // The alignments still follow the driver.
        EXPECT_TRUE(r.alignmentEnabled[0]);
    }
    EXPECT_EQ(closed("", "100").Vb, "0");
}

TEST(ClosedBox, UnusableDriverIsNeverPlotted) {
    DriverParameters d = test::makeDriver();
    d.value(Param::Qts) = 0;
    const ClosedBoxResult r = closed("40", "100", false, d);
    EXPECT_TRUE(r.shared.optionsEnabled);  // the volume alone decides the options
    EXPECT_FALSE(r.shared.curves.main);
}

TEST(ClosedBox, VolumeHintInCubicFeet) {
    EXPECT_EQ(cubicFeetHint("50", kDot), "1.766 ft^3");
    EXPECT_EQ(cubicFeetHint("28,31685", NumberFormat{','}), "1 ft^3");
    EXPECT_FALSE(cubicFeetHint("x", kDot));
}

}  // namespace
}  // namespace sublumo::enclosure
