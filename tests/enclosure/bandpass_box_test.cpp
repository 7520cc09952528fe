#include "bandpass_box.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_driver.h"

namespace sublumo::enclosure {
namespace {

constexpr NumberFormat kDot{'.'};

BandpassBoxInputs bandpass(const std::string& vr, const std::string& fill, const std::string& vf) {
    BandpassBoxInputs in;
    in.Vr = vr;
    in.fill = fill;
    in.Vf = vf;
    return in;
}

BandpassBoxResult recompute(const BandpassBoxInputs& in,
                            const DriverParameters& d = test::makeDriver()) {
    return recomputeBandpassBox(d, test::plainShared(), in, kDot);
}

EquivalentDriver equivalentOf(const DriverParameters& d) {
    return computeEquivalentDriver(d, {1}, {0, 0, 20});
}

TEST(BandpassBox, FlatAlignmentAndItsRecompute) {
    const DriverParameters d = test::makeDriver();
    const EquivalentDriver e = equivalentOf(d);
    struct Row {
        const char* fill;
        const char* Vr;
    };
    for (const Row& row : {Row{"0", "22.84"}, Row{"100", "19.04"}}) {
        SCOPED_TRACE(row.fill);
        const auto a = bandpassAlignment(d, {1}, e, 0, row.fill, kDot);
        ASSERT_TRUE(a);
        EXPECT_EQ(a->Vr, row.Vr);
        EXPECT_EQ(a->Vf, "15.68");
        EXPECT_EQ(a->fb, "53.57");
        EXPECT_EQ(a->Dv, "82");
        EXPECT_EQ(a->Nv, "1");

        BandpassBoxInputs in = bandpass(a->Vr, row.fill, a->Vf);
        in.fb = a->fb;
        in.vent.Dv = a->Dv;
        const BandpassBoxResult r = recompute(in, d);
        ASSERT_TRUE(r.valid);
        // Auto-tuning gives the same tuning up to the rounding of Vr.
        EXPECT_EQ(r.fb, "53.57");
        EXPECT_NEAR(r.rearVolume, 22.84, 0.01);
        EXPECT_TRUE(r.shared.curves.main);
        EXPECT_TRUE(r.shared.optionsEnabled);
    }
}

TEST(BandpassBox, AlignmentsNeedQtsBelowB) {
    struct Row {
        double Qts;
        std::array<bool, 3> enabled;
    };
    for (const Row& r : {Row{0.4, {true, true, true}}, Row{0.8, {false, true, true}},
                         Row{1.1, {false, false, false}}}) {
        SCOPED_TRACE(r.Qts);
        test::DriverFigures figures;
        figures.Qts = r.Qts;
        figures.Qms = 8.0;
        EXPECT_EQ(recompute(bandpass("20", "0", "15"), test::makeDriver(figures)).alignmentEnabled,
                  r.enabled);
    }
}

TEST(BandpassBox, ManualTuningKeepsTheTypedFrequency) {
    BandpassBoxInputs in = bandpass("22.84", "0", "15.68");
    in.fb = "53.57";
    in.autoTuning = false;
    const BandpassBoxResult kept = recompute(in);
    EXPECT_EQ(kept.fb, "53.57");
    in.fb = "45";
    const BandpassBoxResult retuned = recompute(in);
    EXPECT_EQ(retuned.fb, "45");
    EXPECT_DOUBLE_EQ(retuned.tuning, 45.0);
    EXPECT_NE(retuned.shared.table.values(TableColumn::Relative),
              kept.shared.table.values(TableColumn::Relative));
}

TEST(BandpassBox, AutoTuningFollowsTheFilledRearChamber) {
    const BandpassBoxResult r = recompute(bandpass("20", "100", "15"));
    EXPECT_NEAR(r.rearVolume, 24.0, 1e-12);
    EXPECT_EQ(r.fb, formatRounded(30 * std::sqrt(50.0 / 24 + 1), 2, kDot));
    EXPECT_EQ(recompute(bandpass("0", "100", "15")).fb, "0");
}

TEST(BandpassBox, NoFrontVolumeMeansNoVentAndNoCurve) {
    const BandpassBoxResult r = recompute(bandpass("20", "100", "0"));
    EXPECT_FALSE(r.valid);
    EXPECT_DOUBLE_EQ(r.rearVolume, 0.0);
    EXPECT_EQ(r.ventTexts.Sv, "0");
    EXPECT_EQ(r.ventTexts.Lv, "0");
    EXPECT_EQ(r.ventTexts.firstResonance, "0");
    EXPECT_EQ(r.ventTexts.VaMa, "0");
    EXPECT_FALSE(r.shared.optionsEnabled);
    EXPECT_FALSE(r.shared.curves.main);
}

TEST(BandpassBox, EmptyFieldsAndFrontVent) {
    BandpassBoxInputs in = bandpass("", "250", "");
    in.vent = {"", "", "", ""};
    const BandpassBoxResult r = recompute(in);
    EXPECT_EQ(r.Vr, "0");
    EXPECT_EQ(r.fill, "100");
    EXPECT_EQ(r.Vf, "0");
    EXPECT_EQ(r.vent.Dv, "82");

    BandpassBoxInputs front = bandpass("20", "0", "15");
    front.frontFill = 2;
    front.readout = VentReadout::Ma;
    const BandpassBoxResult f = recompute(front);
    const auto expected = computeVent({VentShape::Round, 100, 0, 0, 1, 0.85}, f.tuning, 15, 1.1);
    ASSERT_TRUE(expected);
    EXPECT_EQ(f.ventTexts.Lv, formatRounded(expected->Lv, 0, kDot));
    EXPECT_EQ(f.ventTexts.VaMa, formatRounded(expected->Ma, 2, kDot));
}

}  // namespace
}  // namespace sublumo::enclosure
