#include "build_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "bandpass_box.h"
#include "passive_radiator_box.h"
#include "test_driver.h"
#include "vented_box.h"

namespace sublumo::enclosure {
namespace {

constexpr NumberFormat kDot{'.'};

double innerVolumeOf(const BoxSize& outer, double t) {
    return (outer.width - 2 * t) * (outer.height - 2 * t) * (outer.depth - 2 * t) * 1e-6;
}

TEST(BuildPlan, CubeOfOneLitreWithTwentyMillimetreWalls) {
    const auto plan = planBox({.net = 1.0}, {1, 1, 1}, 20);
    ASSERT_TRUE(plan);
    EXPECT_NEAR(plan->gross, 1.0, 1e-12);
    EXPECT_NEAR(plan->inner.width, 100, 1e-9);
    EXPECT_NEAR(plan->outer.depth, 140, 1e-9);
    const std::array<std::array<double, 2>, 3> sizes = {{{140, 140}, {140, 100}, {100, 100}}};
    ASSERT_EQ(plan->panels.size(), sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        EXPECT_EQ(plan->panels[i].count, 2) << plan->panels[i].name;
        EXPECT_NEAR(plan->panels[i].length, sizes[i][0], 1e-9) << plan->panels[i].name;
        EXPECT_NEAR(plan->panels[i].width, sizes[i][1], 1e-9) << plan->panels[i].name;
    }
    EXPECT_NEAR(plan->panelArea, 2 * (0.14 * 0.14 + 0.14 * 0.1 + 0.1 * 0.1), 1e-12);
}

// The gross volume rises by exactly what the vent and the drivers take, as the view reads them.
TEST(BuildPlan, GrossRisesByTheVentAndTheDrivers) {
    struct Row {
        const char* name;
        double Lv, Sv;  // the design's vent, mm and mm²
        std::string perDriver;
        int drivers;
        bool inside;
        double added;  // litres
    };
    const Row rows[] = {
        {"nothing", 0, 0, "0", 1, true, 0.0},
        {"vent", 250, 4000, "0", 1, true, 1.0},
        {"vent outside", 250, 4000, "0", 1, false, 0.0},
        {"two drivers", 0, 0, "0.75", 2, true, 1.5},
        {"vent and driver", 300, 5000, "0.4", 1, true, 1.9},
    };
    for (const Row& row : rows) {
        BuildDesign design;
        design.chambers.net = 1.0;
        design.drivers = row.drivers;
        design.vent = VentValues{.Sv = row.Sv, .Lv = row.Lv};
        BuildInputs in{.thickness = "20", .displacement = row.perDriver};
        in.ventsInside = row.inside;
        const BuildTexts out = computeBuild(design, in, kDot);
        ASSERT_TRUE(out.plan) << row.name;
        EXPECT_NEAR(out.plan->gross, 1.0 + row.added, 1e-12) << row.name;
        EXPECT_NEAR(innerVolumeOf(out.plan->outer, 20), out.plan->gross, 1e-9) << row.name;
    }
}

TEST(BuildPlan, EmptyDisplacementIsEstimatedFromDd) {
    BuildDesign design;
    design.chambers.net = 50;
    design.Dd = 260;
    const BuildTexts out = computeBuild(design, {}, kDot);
    EXPECT_TRUE(out.displacementEstimated);
    EXPECT_GT(out.budget.displacement, 1.0);  // a 12-inch driver takes a few litres
    EXPECT_LT(out.budget.displacement, 6.0);
    EXPECT_EQ(out.displacement, formatRounded(out.budget.displacement, 2, kDot));
}

TEST(BuildPlan, BandpassDividerIsASeventhPanelInsideTheGross) {
    const auto plan = planBox({.net = 40, .divider = true}, {0.6, 1.6, 1}, 18);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->panels.size(), 4u);
    EXPECT_EQ(plan->panels.back().count, 1);
    EXPECT_NEAR(plan->dividerVolume, plan->inner.width * plan->inner.depth * 18 * 1e-6, 1e-12);
    EXPECT_NEAR(plan->gross, 40 + plan->dividerVolume, 1e-9);
}

TEST(BuildPlan, OuterSizesRebuildTheGrossVolume) {
    std::mt19937 random(24);
    std::uniform_real_distribution<double> litres(0.5, 400), share(0, 0.1), ratio(0.3, 2.5),
        wall(6, 40);
    for (int i = 0; i < 200; ++i) {
        const double net = litres(random);
        const VolumeBudget b{net, share(random) * net, share(random) * net, share(random) * net,
                             i % 3 == 0};
        const double t = wall(random);
        const auto plan = planBox(b, {ratio(random), ratio(random), ratio(random)}, t);
        ASSERT_TRUE(plan) << i;
        EXPECT_NEAR(innerVolumeOf(plan->outer, t) / plan->gross, 1.0, 1e-3) << i;
        EXPECT_NEAR(plan->gross - plan->dividerVolume, b.net + b.displacement + b.vents + b.bracing,
                    1e-9 * plan->gross)
            << i;
    }
}

TEST(BuildPlan, NothingToBuildWithoutVolumeOrWalls) {
    EXPECT_FALSE(planBox({.net = 0}, {1, 1, 1}, 18));
    EXPECT_FALSE(planBox({.net = 10}, {1, 0, 1}, 18));
    EXPECT_FALSE(planBox({.net = 10}, {1, 1, 1}, 0));
    BuildDesign design;
    design.chambers.net = 10;
    const BuildTexts out = computeBuild(design, {.thickness = "x"}, kDot);
    EXPECT_FALSE(out.plan);
    EXPECT_EQ(out.gross, "0");
}

// The peak vent velocity with the design at its maximum power, read off the port-velocity chart
// at 1 V and scaled by the maximum-power chart's voltage at each frequency.
double velocityAtMaximumPower(LimitInputs in) {
    in.U = 1.0;
    const LimitChart power = computeLimitChart(LimitKind::MaximumPower, in);
    const LimitChart velocity = computeLimitChart(LimitKind::PortVelocity, in);
    double peak = 0;
    const LimitCurve& perVolt = velocity.curves.at(0);
    for (std::size_t i = 0; i < power.limits.size(); ++i) {
        const double f = power.curves[0].frequency[i];
        const auto at = std::find(perVolt.frequency.begin(), perVolt.frequency.end(), f);
        if (at != perVolt.frequency.end())
            peak = std::max(
                peak, perVolt.value[at - perVolt.frequency.begin()] * power.limits[i].voltage);
    }
    return peak;
}

struct VentRow {
    const char* name;
    bool bandpass;
    bool slot;
    int Nv;
    double line;
};

struct Design {
    std::optional<LimitInputs> limits;
    VentSizing sizing;
    double Lv = 0;  // as the design's own vent fields show it
};

DriverParameters subwoofer() {
    test::DriverFigures f{.fs = 25, .Vas = 120, .Qts = 0.38, .Sd = 510, .Re = 3.6, .Pe = 500};
    DriverParameters d = test::makeDriver(f);
    d.value(Param::Xmax) = 12;
    return d;
}

Design designFor(const VentRow& row, const VentGeometry& vent) {
    const DriverParameters driver = subwoofer();
    VentFieldTexts fields;
    fields.Dv = formatNumber(vent.Dv, kDot);
    fields.Av = formatNumber(vent.Av, kDot);
    fields.Bv = formatNumber(vent.Bv, kDot);
    fields.Nv = std::to_string(row.Nv);
    const VentShape shape = row.slot ? VentShape::Rectangular : VentShape::Round;
    Design out;
    out.sizing = {row.slot, 50,   row.Nv,  kEndCorrections[kDefaultEndCorrection].k,
                  0,        1.05, row.line};
    if (row.bandpass) {
        const auto r = recomputeBandpassBox(driver, test::plainShared(),
                                            {.Vr = "60",
                                             .Vf = "45",
                                             .fb = "45",
                                             .autoTuning = false,
                                             .vent = fields,
                                             .shape = shape},
                                            kDot);
        out.limits = limitInputs(driver, r, kDot);
        out.sizing.chamberVolume = r.frontVolume;
        out.Lv = r.ventValues.Lv;
    } else {
        const auto r =
            recomputeVentedBox(driver, test::plainShared(),
                               {.Vb = "110", .fb = "24", .vent = fields, .shape = shape}, kDot);
        out.limits = limitInputs(driver, r, kDot);
        out.sizing.chamberVolume = r.volume;
        out.Lv = r.ventValues.Lv;
    }
    return out;
}

TEST(BuildPlan, ProposedVentMeetsTheVelocityLineAtMaximumPower) {
    const VentRow rows[] = {
        {"vented round", false, false, 1, 17},
        {"vented slot", false, true, 1, 17},
        {"vented two slots", false, true, 2, 12},
        {"bandpass round", true, false, 1, 17},
    };
    for (const VentRow& row : rows) {
        const Design design = designFor(row, VentGeometry{.Dv = 100, .Av = 150, .Bv = 50});
        ASSERT_TRUE(design.limits) << row.name;
        const auto vent = proposeVent(*design.limits, design.sizing);
        ASSERT_TRUE(vent) << row.name;
        const Design sized = designFor(row, vent->geometry);
        const double v = velocityAtMaximumPower(*sized.limits);
        EXPECT_LE(v, row.line) << row.name;
        EXPECT_NEAR(v / row.line, 1.0, 0.01) << row.name;
        EXPECT_NEAR(vent->peakVelocity, v, 1e-9 * v) << row.name;

        VentGeometry smaller = vent->geometry;
        (row.slot ? smaller.Av : smaller.Dv) -= 1;
        EXPECT_GT(velocityAtMaximumPower(*designFor(row, smaller).limits), row.line) << row.name;

        EXPECT_DOUBLE_EQ(vent->values.Lv, sized.Lv) << row.name;
        EXPECT_EQ(vent->geometry.Nv, row.Nv) << row.name;
    }
}

// The subwoofer's vent for 17 m/s is longer than a cube of its volume is deep; a deeper box
// takes it.
TEST(BuildPlan, AVentLongerThanTheBoxIsDeepIsPointedOut) {
    const char* warning = "The vent is longer than the box is deep inside: bend it, or try a slot.";
    const Design design = designFor({"vented", false, false, 1, 17}, VentGeometry{.Dv = 100});
    BuildDesign build;
    build.chambers.net = design.sizing.chamberVolume;
    build.vent = computeVent(VentGeometry{.Dv = 100}, 24, build.chambers.net, 1.05);
    build.limits = design.limits;
    build.sizing = design.sizing;
    for (const char* depth : {"1", "12"}) {
        const BuildInputs in{.depth = depth};
        const BuildTexts out = computeBuild(build, in, kDot);
        ASSERT_TRUE(out.proposal && out.plan) << depth;
        const bool longer = out.proposal->values.Lv > out.plan->inner.depth;
        EXPECT_EQ(longer, std::string(depth) == "1") << depth;
        const auto lines = buildReportLines(out, in);
        EXPECT_EQ(std::ranges::count(lines, std::string(warning)), longer ? 1 : 0) << depth;
    }
}

TEST(BuildPlan, NoVentProposedForAClosedBoxOrADriverWithoutLimits) {
    LimitInputs closed;
    closed.driver.Pe = 100;
    closed.box = SealedBox{40, 1};
    EXPECT_FALSE(proposeVent(closed, {}));
    const VentRow row{"vented", false, false, 1, 17};
    Design design = designFor(row, VentGeometry{.Dv = 100});
    design.limits->driver.Pe = 0;
    design.limits->driver.Xmax = 0;
    EXPECT_FALSE(proposeVent(*design.limits, design.sizing));
}

TEST(BuildPlan, PassiveRadiatorBoxIsBuiltFromItsNetVolumeWithoutAVent) {
    PassiveRadiatorInputs in;
    in.Vb = "25";
    in.fb = "25";
    in.Np = "2";
    in.Dp = "247";
    in.Mmp = "60";
    in.Cmp = "0.4";
    in.Qmp = "8";
    const DriverParameters driver = test::makeDriver();
    const PassiveRadiatorResult r =
        recomputePassiveRadiatorBox(driver, test::plainShared(), in, kDot);
    ASSERT_TRUE(r.valid);
    const BuildDesign design = buildDesign(driver, r, limitInputs(driver, r, kDot));
    const BuildTexts out = computeBuild(design, BuildInputs{}, kDot);
    EXPECT_EQ(out.net, "25");
    EXPECT_EQ(out.vents, "0");
    EXPECT_FALSE(out.proposal);
    ASSERT_TRUE(out.plan);
    EXPECT_NEAR(out.plan->gross, 25.0 + std::stod(out.drivers), 0.01);  // drivers as shown
}

}  // namespace
}  // namespace sublumo::enclosure
