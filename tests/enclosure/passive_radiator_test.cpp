#include "passive_radiator_box.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "design_limits.h"
#include "test_driver.h"

namespace sublumo::enclosure {
namespace {

constexpr NumberFormat kDot{'.'};
constexpr double kNoLoss = std::numeric_limits<double>::infinity();

struct Fixture {
    DriverParameters driver;
    EquivalentDriver equivalent;
    LumpedDriver lumped;
};

// Two drivers in parallel with Rs and a hot coil, limited by Xmax and Pe.
Fixture fixture() {
    Fixture f;
    f.driver = test::makeDriver();
    f.driver.value(Param::Le) = 0.8;
    f.driver.value(Param::Xmax) = 6.0;
    f.driver.value(Param::Pe) = 80.0;
    const DriverArrangement arrangement{2, Connection::Parallel, false};
    f.equivalent = computeEquivalentDriver(f.driver, arrangement, {0.3, 0.0, 40.0});
    f.lumped = lumpedDriver(f.driver, arrangement, f.equivalent);
    return f;
}

// Two 12" radiators of 480 cm², 60 g, 0.4 mm/N, Qmp 8, tuned to fb by their added mass.
PassiveRadiatorBox tunedRadiators(double vb, double fb, int np = 2) {
    PassiveRadiatorBox box{vb, np, 480.0, 60.0, 0.0, 0.4, 8.0, 15.0};
    box.Mplus = radiatorAddedMass(box, fb);
    return box;
}

std::vector<double> sweep(double from, double to, int points) {
    std::vector<double> f(points);
    for (int i = 0; i < points; ++i) f[i] = from * std::pow(to / from, i / (points - 1.0));
    return f;
}

void expectNear(Complex a, Complex b, double relative) {
    EXPECT_LE(std::abs(a - b), relative * std::abs(b)) << a << " vs " << b;
}

double airCompliance(double litres) {
    return litres * 1e-3 / (rho * cair * cair);
}

TEST(PassiveRadiator, AFreeMassiveRadiatorIsTheVent) {
    const Fixture fx = fixture();
    const struct {
        double vb, fb;
        int np;
    } rows[] = {{25.0, 25.0, 1}, {60.0, 28.0, 2}, {12.0, 45.0, 4}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.vb);
        // A huge compliance and no loss leave the radiators' mass alone: the vent's air plug.
        PassiveRadiatorBox radiators{row.vb, row.np, 300.0, 50.0, 0.0, 1e15, kNoLoss, 0.0};
        radiators.Mplus = radiatorAddedMass(radiators, row.fb);
        ASSERT_GT(radiators.Mplus, 0.0);
        const PortedBox vent{row.vb, row.fb, 5000.0};
        for (double f : sweep(10.0, 1000.0, 61)) {
            const ModelPoint p = evaluateModel(fx.lumped, radiators, f, 1.0);
            const ModelPoint v = evaluateModel(fx.lumped, vent, f, 1.0);
            expectNear(p.Z, v.Z, 1e-6);
            expectNear(p.velocity, v.velocity, 1e-6);
            expectNear(p.pressure, v.pressure, 1e-6);
            expectNear(p.radiatorFlow, v.ventFlow, 1e-6);
            EXPECT_NEAR(p.groupDelay, v.groupDelay, 1e-6 * std::abs(v.groupDelay));
        }
        // Every limit chart but the vent's own, and the relative response.
        LimitInputs in;
        in.driver = fx.lumped;
        in.box = radiators;
        LimitInputs ported = in;
        ported.box = vent;
        for (LimitKind kind : kLimitKinds) {
            if (kind == LimitKind::PortVelocity)
                continue;
            const LimitChart a = computeLimitChart(kind, in);
            const LimitChart b = computeLimitChart(kind, ported);
            SCOPED_TRACE(std::string(a.title));
            ASSERT_FALSE(a.curves.empty());
            for (std::size_t c = 0; c < b.curves.size(); ++c) {
                ASSERT_EQ(a.curves[c].value.size(), b.curves[c].value.size());
                for (std::size_t i = 0; i < b.curves[c].value.size(); ++i)
                    EXPECT_NEAR(a.curves[c].value[i], b.curves[c].value[i],
                                1e-6 * std::max(1.0, std::abs(b.curves[c].value[i])));
            }
        }
        const Curve response = radiatorResponse(fx.lumped, radiators);
        for (int i = 0; i < kGridPoints; ++i)
            EXPECT_NEAR(response[i],
                        ventedResponse(frequencyGrid()[i], {row.vb, row.fb}, fx.equivalent), 1e-6);
    }
}

TEST(PassiveRadiator, NRadiatorsAreOneOfTheirWholeAreaMassAndStiffness) {
    const Fixture fx = fixture();
    for (int np : {2, 3, 9}) {
        SCOPED_TRACE(np);
        const PassiveRadiatorBox many = tunedRadiators(30.0, 26.0, np);
        const PassiveRadiatorBox one{
            30.0,          1,        np * many.Sp, np * many.Mmp, np * many.Mplus,
            many.Cmp / np, many.Qmp, many.Xmaxp};
        for (double f : sweep(10.0, 1000.0, 41)) {
            const ModelPoint a = evaluateModel(fx.lumped, many, f, 1.0);
            const ModelPoint b = evaluateModel(fx.lumped, one, f, 1.0);
            expectNear(a.pressure, b.pressure, 1e-9);
            expectNear(a.Z, b.Z, 1e-9);
            expectNear(a.radiatorFlow, b.radiatorFlow, 1e-9);
            EXPECT_NEAR(radiatorExcursion(a, many, f, 1.0), radiatorExcursion(b, one, f, 1.0),
                        1e-9 * radiatorExcursion(b, one, f, 1.0));
        }
    }
}

TEST(PassiveRadiator, NullAtTheRadiatorsResonanceAndStillConeAtTheTuning) {
    const Fixture fx = fixture();
    PassiveRadiatorBox lossless = tunedRadiators(25.0, 25.0);
    lossless.Qmp = kNoLoss;
    lossless.QL = kNoLoss;
    const double fp = radiatorResonance(lossless);
    ASSERT_LT(fp, 25.0);
    const double atNull = std::abs(evaluateModel(fx.lumped, lossless, fp, 1.0).pressure);
    for (double r : {0.9, 0.99, 1.01})
        EXPECT_LT(atNull,
                  1e-9 * std::abs(evaluateModel(fx.lumped, lossless, fp * r, 1.0).pressure));

    const PassiveRadiatorBox box = tunedRadiators(25.0, 25.0);
    const std::vector<double> f = sweep(12.5, 50.0, 4001);
    std::size_t lowest = 0;
    const auto x = [&](double at) {
        return peakExcursion(evaluateModel(fx.lumped, box, at, 1.0), at, 1.0);
    };
    for (std::size_t i = 0; i < f.size(); ++i)
        if (x(f[i]) < x(f[lowest]))
            lowest = i;
    EXPECT_NEAR(f[lowest] / 25.0, 1.0, 0.01);
}

// The box as a node: the cone's flow in, the compression, the leak and the radiators out; each
// radiator moves by its area times the box pressure over its mechanical impedance.
TEST(PassiveRadiator, RadiatorExcursionFollowsTheBoxsFlowBalance) {
    const Fixture fx = fixture();
    const PassiveRadiatorBox box = tunedRadiators(25.0, 25.0);
    const double cab = airCompliance(box.Vb);
    const double sp = box.Sp * 1e-4;
    const double m = (box.Mmp + box.Mplus) * 1e-3;
    const double cmp = box.Cmp * 1e-3;
    const double rmp = std::sqrt(box.Mmp * 1e-3 / cmp) / box.Qmp;
    const double rl = box.QL / (2.0 * pi * 25.0 * cab);
    for (double f : sweep(10.0, 1000.0, 41)) {
        const Complex s(0.0, 2.0 * pi * f);
        const ModelPoint p = evaluateModel(fx.lumped, box, f, 1.0);
        const Complex zp = s * m + rmp + 1.0 / (s * cmp);
        const Complex boxPressure =
            fx.lumped.S * p.velocity / (s * cab + 1.0 / rl + box.Np * sp * sp / zp);
        const Complex radiatorVelocity = sp * boxPressure / zp;
        const double expected = std::sqrt(2.0) * 2.83 * std::abs(radiatorVelocity / s) * 1e3;
        EXPECT_NEAR(radiatorExcursion(p, box, f, 2.83), expected, 1e-9 * expected) << f;
    }
}

PassiveRadiatorInputs typed(std::string vb, std::string fb) {
    PassiveRadiatorInputs in;
    in.Vb = std::move(vb);
    in.fb = std::move(fb);
    in.Np = "2";
    in.Dp = "247";
    in.Mmp = "60";
    in.Cmp = "0.4";
    in.Qmp = "8";
    in.Xmaxp = "15";
    return in;
}

TEST(PassiveRadiator, TheShownAddedMassTunesTheBoxToTheTypedFb) {
    const DriverParameters driver = test::makeDriver();
    const struct {
        const char* Vb;
        const char* fb;
    } rows[] = {{"25", "25"}, {"10", "32.5"}, {"80", "18"}, {"3.5", "55"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.Vb) + " l " + row.fb + " Hz");
        const PassiveRadiatorResult r =
            recomputePassiveRadiatorBox(driver, test::plainShared(), typed(row.Vb, row.fb), kDot);
        ASSERT_TRUE(r.valid);
        EXPECT_TRUE(r.shared.curves.main);
        PassiveRadiatorBox shown = r.box;
        shown.Mplus = std::stod(r.Mplus);
        EXPECT_NEAR(radiatorBoxTuning(shown), std::stod(row.fb), 0.01);
        EXPECT_GT(std::stod(r.highestFb), std::stod(row.fb));
        EXPECT_LT(std::stod(r.fp), std::stod(row.fb));
        EXPECT_GT(std::stod(r.Xp), 0.0);
    }
}

TEST(PassiveRadiator, LinkedFieldsFollowTheTypedOne) {
    const DriverParameters driver = test::makeDriver();
    PassiveRadiatorInputs in = typed("25", "25");
    const PassiveRadiatorResult byDiameter =
        recomputePassiveRadiatorBox(driver, test::plainShared(), in, kDot);
    in.sizeBy = RadiatorSize::Area;
    in.Sp = byDiameter.texts.Sp;
    in.complianceBy = RadiatorCompliance::AirVolume;
    in.Vap = byDiameter.texts.Vap;
    const PassiveRadiatorResult byArea =
        recomputePassiveRadiatorBox(driver, test::plainShared(), in, kDot);
    EXPECT_EQ(byArea.texts.Dp, "247");
    EXPECT_EQ(byArea.texts.Cmp, "0.4");
    EXPECT_NEAR(std::stod(byArea.Mplus), std::stod(byDiameter.Mplus), 0.1);
}

TEST(PassiveRadiator, BadInputShowsZeroAndDrawsNothing) {
    const DriverParameters driver = test::makeDriver();
    const struct {
        const char* name;
        void (*spoil)(PassiveRadiatorInputs&);
    } rows[] = {
        {"no volume", [](PassiveRadiatorInputs& in) { in.Vb = ""; }},
        {"zero fb", [](PassiveRadiatorInputs& in) { in.fb = "0"; }},
        {"zero diameter", [](PassiveRadiatorInputs& in) { in.Dp = "0"; }},
        {"empty mass", [](PassiveRadiatorInputs& in) { in.Mmp = ""; }},
        {"zero compliance", [](PassiveRadiatorInputs& in) { in.Cmp = "0"; }},
        {"zero Qmp", [](PassiveRadiatorInputs& in) { in.Qmp = "0"; }},
        {"no number", [](PassiveRadiatorInputs& in) { in.Mmp = "6x"; }},
        {"ten radiators", [](PassiveRadiatorInputs& in) { in.Np = "10"; }},
        {"huge", [](PassiveRadiatorInputs& in) { in.Cmp = "1e308"; }},
        {"fb above the bare radiators", [](PassiveRadiatorInputs& in) { in.fb = "400"; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PassiveRadiatorInputs in = typed("25", "25");
        row.spoil(in);
        const PassiveRadiatorResult r =
            recomputePassiveRadiatorBox(driver, test::plainShared(), in, kDot);
        EXPECT_FALSE(r.valid);
        EXPECT_FALSE(r.shared.curves.main);
        EXPECT_FALSE(r.shared.optionsEnabled);
        EXPECT_EQ(r.Mplus, "0");
        EXPECT_EQ(r.fp, "0");
        EXPECT_EQ(r.Xp, "0");
        for (const std::string& text : {r.texts.Sp, r.texts.Vap, r.highestFb})
            EXPECT_EQ(text.find_first_of("in"), std::string::npos) << text;
    }
    // Too high a tuning says how high these radiators go.
    const PassiveRadiatorResult high =
        recomputePassiveRadiatorBox(driver, test::plainShared(), typed("25", "400"), kDot);
    EXPECT_GT(std::stod(high.highestFb), 25.0);
    EXPECT_LT(std::stod(high.highestFb), 400.0);
}

}  // namespace
}  // namespace sublumo::enclosure
