#include "vented_box.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_driver.h"

namespace sublumo::enclosure {
namespace {

constexpr NumberFormat kDot{'.'};

VentedBoxInputs vented(const std::string& vb, const std::string& fb) {
    VentedBoxInputs in;
    in.Vb = vb;
    in.fb = fb;
    return in;
}

VentedBoxResult recompute(const VentedBoxInputs& in,
                          const DriverParameters& d = test::makeDriver()) {
    return recomputeVentedBox(d, test::plainShared(), in, kDot);
}

TEST(VentGeometry, AreaDiameterAndEndCorrectionByShape) {
    struct Row {
        const char* name;
        VentGeometry vent;
        double Sv, Deq;
    };
    const Row rows[] = {
        {"one round 100 mm", {VentShape::Round, 100, 0, 0, 1, 0.85}, 2500 * pi, 100},
        {"two round 100 mm", {VentShape::Round, 100, 0, 0, 2, 0.85}, 5000 * pi, 100},
        {"rectangular 150 x 20",
         {VentShape::Rectangular, 0, 150, 20, 1, 0.85},
         3000,
         std::sqrt(3000 * 4 / pi)},
        {"triangular 150 x 20",
         {VentShape::Triangular, 0, 150, 20, 1, 0.85},
         1500,
         std::sqrt(1500 * 4 / pi)},
        {"three triangular",
         {VentShape::Triangular, 0, 150, 20, 3, 0.85},
         4500,
         std::sqrt(1500 * 4 / pi)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto v = computeVent(r.vent, 30, 50, 1.05);
        ASSERT_TRUE(v);
        EXPECT_NEAR(v->Sv, r.Sv, 1e-9);
        EXPECT_NEAR(v->Deq, r.Deq, 1e-9);
        EXPECT_NEAR(v->dL, 0.85 * r.Deq, 1e-9);
    }
}

TEST(VentGeometry, LengthResonanceAndAirOfTheVent) {
    const VentGeometry round{VentShape::Round, 100, 0, 0, 1, 0.85};
    const VentValues v = computeVent(round, 30, 50, 1.05).value();
    EXPECT_NEAR(v.Lv, 3030 * 2500 * pi / (900 * 50 * 1.05) - 85, 1e-9);
    EXPECT_NEAR(v.Lv, 418.65, 0.005);
    EXPECT_NEAR(v.firstResonance, 344000 / (2 * (67 + v.Lv)), 1e-9);
    EXPECT_NEAR(v.Va, 3030 * std::pow(2500 * pi, 2) / (900 * 50) * 1e-6, 1e-12);
    EXPECT_NEAR(v.Ma, 1.2 * v.Va, 1e-12);
    const VentTexts t = ventTexts(v, VentReadout::Va, kDot);
    EXPECT_EQ(t.Sv, "78.54");
    EXPECT_EQ(t.Lv, "419");
    EXPECT_EQ(t.firstResonance, "354");
    EXPECT_EQ(t.VaMa, "4.15");
    EXPECT_EQ(ventTexts(v, VentReadout::Ma, kDot).VaMa, "4.98");

    // Two vents: twice the area, the same end correction, nearly twice the length.
    const VentValues two =
        computeVent({VentShape::Round, 100, 0, 0, 2, 0.85}, 30, 50, 1.05).value();
    EXPECT_NEAR(two.Lv, 2 * (v.Lv + 85) - 85, 1e-9);
}

TEST(VentGeometry, ZeroTuningOrVolumeFails) {
    const VentGeometry round{VentShape::Round, 100, 0, 0, 1, 0.85};
    EXPECT_FALSE(computeVent(round, 0, 50, 1.05));
    EXPECT_FALSE(computeVent(round, 30, 0, 1.05));
    EXPECT_FALSE(computeVent({VentShape::Round, 100, 0, 0, 0, 0.85}, 30, 50, 1.05));
    EXPECT_EQ(nextVentShape(VentShape::Round), VentShape::Rectangular);
    EXPECT_EQ(nextVentShape(VentShape::Rectangular), VentShape::Triangular);
    EXPECT_EQ(nextVentShape(VentShape::Triangular), VentShape::Round);
}

TEST(VentedBox, RecomputeWritesTheVentAndPlots) {
    const VentedBoxResult r = recompute(vented("50", "30"));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.ventTexts.Sv, "78.54");
    EXPECT_EQ(r.ventTexts.Lv, "419");
    EXPECT_TRUE(r.shared.optionsEnabled);
    EXPECT_TRUE(r.shared.curves.main);
    // Fill changes the vent, not the curve.
    VentedBoxInputs noFill = vented("50", "30");
    noFill.fillAmount = 0;
    const VentedBoxResult r0 = recompute(noFill);
    EXPECT_GT(r0.ventValues.Lv, r.ventValues.Lv);
    EXPECT_EQ(r0.shared.table.values(TableColumn::Relative),
              r.shared.table.values(TableColumn::Relative));
}

TEST(VentedBox, ShortVentShowsZeroLengthButStillPlots) {
    VentedBoxInputs in = vented("200", "60");
    in.vent.Dv = "30";
    const VentedBoxResult r = recompute(in);
    ASSERT_TRUE(r.valid);
    EXPECT_LE(r.ventValues.Lv, 0);
    EXPECT_EQ(r.ventTexts.Lv, "0");
    EXPECT_EQ(r.ventTexts.firstResonance, "0");
    EXPECT_TRUE(r.shared.curves.main);
}

TEST(VentedBox, FailedBlockZeroesTheVentAndClears) {
    for (const char* fb : {"0", "x"}) {
        SCOPED_TRACE(fb);
        const VentedBoxResult r = recompute(vented("50", fb));
        EXPECT_FALSE(r.valid);
        EXPECT_EQ(r.ventTexts.Sv, "0");
        EXPECT_EQ(r.ventTexts.Lv, "0");
        EXPECT_EQ(r.ventTexts.firstResonance, "0");
        EXPECT_EQ(r.ventTexts.VaMa, "0");
        EXPECT_FALSE(r.shared.optionsEnabled);
        EXPECT_FALSE(r.shared.curves.main);
    }
}

TEST(VentedBox, EmptyFieldsReceiveTheirDefaults) {
    VentedBoxInputs in = vented("", "");
    in.vent = {"", "", "", ""};
    const VentedBoxResult r = recompute(in);
    EXPECT_EQ(r.Vb, "0");
    EXPECT_EQ(r.fb, "30");       // fs'
    EXPECT_EQ(r.vent.Dv, "63");  // 10·√(200 / 5)
    EXPECT_EQ(r.vent.Av, "0");
    EXPECT_EQ(r.vent.Bv, "0");
    EXPECT_EQ(r.vent.Nv, "1");
}

TEST(VentedBox, AutoCalculationAndTuning) {
    const DriverParameters d = test::makeDriver();
    const EquivalentDriver e = computeEquivalentDriver(d, {1}, {0, 0, 20});
    const auto a = ventedAutoCalculation(d, {1}, e, kDot);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->Vb, "48.62");
    EXPECT_EQ(a->fb, "30.26");
    EXPECT_EQ(a->Dv, "63");
    EXPECT_EQ(a->Nv, "1");
    EXPECT_EQ(tuneAtResonance(e, kDot), "30");
    // Two isobaric drivers: N·Sd·iso is one diaphragm again.
    EXPECT_EQ(estimateVentDiameter(d, {2, Connection::Series, true}, 5.0, kDot), "63");
    EXPECT_EQ(estimateVentDiameter(d, {2, Connection::Series, false}, 5.0, kDot), "89");
    EXPECT_EQ(estimateVentDiameter(d, {1}, 3.0, kDot), "82");
}

}  // namespace
}  // namespace sublumo::enclosure
