#include "design_limits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "test_driver.h"

namespace sublumo::enclosure {
namespace {

constexpr NumberFormat kDot{'.'};

struct Wiring {
    int N = 1;
    Connection connection = Connection::Series;
    bool isobaric = false;
};

// Every wiring the connection group offers for N = 1 to 9, isobaric where allowed.
std::vector<Wiring> everyWiring() {
    std::vector<Wiring> rows;
    for (int n = 1; n <= kMaxDrivers; ++n) {
        const ConnectionAvailability a = connectionAvailability(n);
        for (int c = 0; c < kConnectionCount; ++c) {
            if (!a.items[c] && !(n == 1 && c == 0))
                continue;
            rows.push_back({n, static_cast<Connection>(c), false});
            if (a.isobaricAllowed)
                rows.push_back({n, static_cast<Connection>(c), true});
        }
    }
    return rows;
}

SharedInputs sharedFor(const Wiring& w) {
    SharedInputs s;
    s.arrangement = {std::to_string(w.N), w.connection, w.isobaric, true};
    s.Rs = "0.47";
    s.Mplus = "7.5";
    s.Tvc = "65";
    s.U = "4";
    s.d = "2";
    return s;
}

// A design as the page computes it, with its absolute response R + L at any frequency.
struct PageDesign {
    std::optional<LimitInputs> inputs;
    std::function<double(double)> absolute;
};

PageDesign closedDesign(const DriverParameters& d, const SharedInputs& s) {
    const ClosedBoxResult r = recomputeClosedBox(d, s, {.Vb = "40", .fill = "50"}, kDot);
    const ClosedDesign box{r.values.fc, r.values.Qtc};
    const double level = r.shared.source.level;
    return {limitInputs(d, r, kDot), [=](double f) { return closedResponse(f, box) + level; }};
}

PageDesign ventedDesign(const DriverParameters& d, const SharedInputs& s) {
    const VentedBoxResult r = recomputeVentedBox(d, s, {.Vb = "60", .fb = "28"}, kDot);
    const VentedDesign box{r.volume, r.tuning};
    const EquivalentDriver e = r.shared.equivalent.value_or(EquivalentDriver{});
    const double level = r.shared.source.level;
    return {limitInputs(d, r, kDot), [=](double f) { return ventedResponse(f, box, e) + level; }};
}

PageDesign bandpassDesign(const DriverParameters& d, const SharedInputs& s) {
    const BandpassBoxResult r = recomputeBandpassBox(
        d, s, {.Vr = "30", .fill = "60", .Vf = "20", .fb = "55", .autoTuning = false}, kDot);
    const BandpassDesign box{r.rearVolume, r.frontVolume, r.tuning};
    const EquivalentDriver e = r.shared.equivalent.value_or(EquivalentDriver{});
    const double level = r.shared.source.level;
    return {limitInputs(d, r, kDot), [=](double f) { return bandpassResponse(f, box, e) + level; }};
}

const struct {
    const char* name;
    PageDesign (*design)(const DriverParameters&, const SharedInputs&);
} kBoxes[] = {{"closed", closedDesign}, {"vented", ventedDesign}, {"bandpass", bandpassDesign}};

DriverParameters limitedDriver(double le, double xmax, double pe) {
    DriverParameters d = test::makeDriver();
    d.value(Param::Le) = le;
    d.value(Param::Xmax) = xmax;
    d.value(Param::Pe) = pe;
    return d;
}

TEST(DesignLimits, WithoutInductanceTheSplIsTheAbsoluteResponse) {
    const DriverParameters d = limitedDriver(0.0, 4.0, 60.0);
    for (const Wiring& w : everyWiring()) {
        for (const auto& box : kBoxes) {
            SCOPED_TRACE(std::string(box.name) + " N=" + std::to_string(w.N) + " wiring " +
                         std::to_string(static_cast<int>(w.connection)) +
                         (w.isobaric ? " isobaric" : ""));
            const PageDesign page = box.design(d, sharedFor(w));
            ASSERT_TRUE(page.inputs);
            const LimitCurve spl = splCurve(*page.inputs);
            ASSERT_EQ(spl.value.size(), static_cast<std::size_t>(kLimitGridPoints));
            double worst = 0;
            for (std::size_t i = 0; i < spl.value.size(); ++i)
                worst = std::max(worst, std::abs(spl.value[i] - page.absolute(spl.frequency[i])));
            EXPECT_LT(worst, 1e-6);
        }
    }
}

TEST(DesignLimits, MaximumSplStopsAtXmaxOrPe) {
    const DriverParameters d = limitedDriver(0.8, 4.0, 60.0);
    for (const auto& box : kBoxes) {
        SCOPED_TRACE(box.name);
        const LimitInputs in = *box.design(d, sharedFor({2, Connection::Parallel, false})).inputs;
        const LumpedDriver& l = in.driver;
        const LimitChart spl = computeLimitChart(LimitKind::MaximumSpl, in);
        const LimitChart power = computeLimitChart(LimitKind::MaximumPower, in);
        ASSERT_EQ(spl.curves.size(), 2u);
        ASSERT_EQ(spl.limits.size(), spl.curves[0].value.size());
        ASSERT_EQ(power.limits.size(), power.curves[0].value.size());
        int excursionBound = 0;
        for (std::size_t i = 0; i < spl.limits.size(); ++i) {
            const double f = spl.curves[0].frequency[i];
            const double u = spl.limits[i].voltage;
            const ModelPoint p = evaluateModel(l, in.box, f, in.d);
            const double x = peakExcursion(p, f, u);
            const double pd = dissipatedPower(l, u);
            if (spl.limits[i].binding == Limit::Excursion) {
                ++excursionBound;
                EXPECT_NEAR(x, l.Xmax, 1e-9 * l.Xmax) << f;
                EXPECT_LE(pd, l.Pe * (1 + 1e-12)) << f;
            } else {
                EXPECT_NEAR(pd, l.Pe, 1e-9 * l.Pe) << f;
                EXPECT_LE(x, l.Xmax * (1 + 1e-12)) << f;
            }
            const double level = 20 * std::log10(u * std::abs(p.pressure) / pressureReference());
            EXPECT_NEAR(spl.curves[0].value[i], level, 1e-9) << f;
            EXPECT_NEAR(power.curves[0].value[i], l.N * pd, 1e-9 * l.N * pd) << f;
        }
        EXPECT_GT(excursionBound, 0);
        EXPECT_LT(excursionBound, static_cast<int>(spl.limits.size()));
        ASSERT_EQ(power.lines.size(), 1u);
        EXPECT_DOUBLE_EQ(power.lines[0].value, 2 * 60.0);
    }
}

TEST(DesignLimits, OnlyTheLimitsADriverHasAreDrawn) {
    const struct {
        const char* name;
        double xmax, pe;
        bool applies;
        bool xmaxLine;
    } rows[] = {{"both", 4, 60, true, true},
                {"no Pe", 4, 0, true, true},
                {"no Xmax", 0, 60, true, false},
                {"neither", 0, 0, false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const DriverParameters d = limitedDriver(0.8, row.xmax, row.pe);
        const LimitInputs in = *ventedDesign(d, sharedFor({1, Connection::Series, false})).inputs;
        const LimitChart x = computeLimitChart(LimitKind::Excursion, in);
        EXPECT_EQ(x.lines.size(), row.xmaxLine ? 1u : 0u);
        for (LimitKind kind : {LimitKind::MaximumSpl, LimitKind::MaximumPower}) {
            const LimitChart c = computeLimitChart(kind, in);
            EXPECT_EQ(c.notApplicable.empty(), row.applies);
            if (!row.applies)
                continue;
            for (const LimitPoint& p : c.limits) {
                if (row.pe == 0) {
                    EXPECT_EQ(p.binding, Limit::Excursion);
                }
                if (row.xmax == 0) {
                    EXPECT_EQ(p.binding, Limit::Thermal);
                }
            }
        }
        const LimitChart power = computeLimitChart(LimitKind::MaximumPower, in);
        if (row.applies && row.xmax == 0) {
            for (double w : power.curves[0].value) EXPECT_NEAR(w, row.pe, 1e-9);
        }
        EXPECT_EQ(power.lines.size(), row.pe > 0 ? 1u : 0u);
    }
}

TEST(DesignLimits, VentVelocityOnlyWhereThereIsAVent) {
    const DriverParameters d = limitedDriver(0.8, 4.0, 60.0);
    const SharedInputs s = sharedFor({1, Connection::Series, false});
    const LimitChart closed =
        computeLimitChart(LimitKind::PortVelocity, *closedDesign(d, s).inputs);
    EXPECT_FALSE(closed.notApplicable.empty());
    EXPECT_TRUE(closed.curves.empty());
    EXPECT_EQ(closed.lines.size(), 1u);  // for the stored vented designs beside it
    for (auto design : {ventedDesign, bandpassDesign}) {
        LimitInputs in = *design(d, s).inputs;
        in.ventVelocityLine = 12.5;
        const LimitChart c = computeLimitChart(LimitKind::PortVelocity, in);
        EXPECT_TRUE(c.notApplicable.empty());
        ASSERT_EQ(c.curves.size(), 1u);
        EXPECT_EQ(c.curves[0].value.size(), static_cast<std::size_t>(kLimitGridPoints));
        ASSERT_EQ(c.lines.size(), 1u);
        EXPECT_EQ(c.lines[0].value, 12.5);
    }
}

// The distance scales the pressure only: the group delay and every limit but the levels stay as
// they are at d = 0, and the level chart says why it is empty.
TEST(DesignLimits, AtDistanceZeroOnlyTheLevelChartIsEmpty) {
    const DriverParameters d = limitedDriver(0.8, 4.0, 60.0);
    SharedInputs atZero = sharedFor({1});
    atZero.d = "0";
    for (const auto& box : kBoxes) {
        SCOPED_TRACE(box.name);
        const auto near = box.design(d, sharedFor({1})).inputs;
        const auto zero = box.design(d, atZero).inputs;
        ASSERT_TRUE(near && zero);
        for (LimitKind kind : {LimitKind::Impedance, LimitKind::Excursion, LimitKind::GroupDelay,
                               LimitKind::MaximumPower}) {
            const LimitChart a = computeLimitChart(kind, *near);
            const LimitChart b = computeLimitChart(kind, *zero);
            ASSERT_EQ(a.curves.size(), b.curves.size()) << a.title;
            EXPECT_EQ(b.notApplicable, "") << a.title;
            for (std::size_t c = 0; c < a.curves.size(); ++c) {
                ASSERT_EQ(b.curves[c].value.size(), std::size_t{kLimitGridPoints}) << a.title;
                for (std::size_t i = 0; i < a.curves[c].value.size(); ++i)
                    EXPECT_NEAR(b.curves[c].value[i], a.curves[c].value[i],
                                1e-9 * std::abs(a.curves[c].value[i]))
                        << a.title << " " << i;
            }
        }
        const LimitChart spl = computeLimitChart(LimitKind::MaximumSpl, *zero);
        EXPECT_TRUE(spl.curves.empty());
        EXPECT_EQ(spl.notApplicable, "Enter a distance d above 0 to see the sound pressure level.");
    }
}

double at(const LimitChart& chart, std::size_t curve, std::size_t i) {
    return chart.curves.at(curve).value.at(i);
}

TEST(DesignLimits, EqualiserDrivesTheConeButNotTheLimits) {
    const DriverParameters d = limitedDriver(0.8, 4.0, 60.0);
    ClosedBoxInputs box{.Vb = "40", .linkwitzOn = true};
    const ClosedBoxResult r = recomputeClosedBox(d, sharedFor({1}), box, kDot);
    const auto on = limitInputs(d, r, kDot);
    ASSERT_TRUE(on && on->equaliser);
    LimitInputs off = *on;
    off.equaliser.reset();
    const auto& grid = limitFrequencyGrid();
    const auto chart = [](LimitKind k, const LimitInputs& in) { return computeLimitChart(k, in); };
    for (std::size_t i = 0; i < grid.size(); i += 20) {
        const EqualiserPoint eq = evaluateEqualiser(*on->equaliser, grid[i]);
        const double gain = std::abs(eq.gain);
        EXPECT_NEAR(at(chart(LimitKind::Excursion, *on), 0, i),
                    gain * at(chart(LimitKind::Excursion, off), 0, i), 1e-9);
        EXPECT_NEAR(at(chart(LimitKind::GroupDelay, *on), 0, i),
                    at(chart(LimitKind::GroupDelay, off), 0, i) + 1000 * eq.groupDelay, 1e-9);
        EXPECT_NEAR(at(chart(LimitKind::MaximumSpl, *on), 1, i),
                    at(chart(LimitKind::MaximumSpl, off), 1, i) + 20 * std::log10(gain), 1e-9);
        for (LimitKind k : {LimitKind::MaximumSpl, LimitKind::MaximumPower, LimitKind::Impedance})
            EXPECT_DOUBLE_EQ(at(chart(k, *on), 0, i), at(chart(k, off), 0, i));
    }
}

TEST(DesignLimits, CabinGainChangesOnlyTheLevels) {
    const DriverParameters d = limitedDriver(0.8, 4.0, 60.0);
    SharedInputs s = sharedFor({1});
    s.cabinGainOn = true;
    const VentedBoxResult r = recomputeVentedBox(d, s, {.Vb = "60", .fb = "28"}, kDot);
    const auto on = limitInputs(d, r, kDot);
    ASSERT_TRUE(on);
    ASSERT_TRUE(r.shared.cabinGain);
    EXPECT_EQ(on->cabinGainFcg, r.shared.cabinGain->fcg);
    EXPECT_EQ(on->U, 4.0);
    EXPECT_EQ(on->d, 2.0);
    LimitInputs off = *on;
    off.cabinGainFcg = 0;
    const auto& grid = limitFrequencyGrid();
    for (LimitKind k : kLimitKinds) {
        const LimitChart a = computeLimitChart(k, *on);
        const LimitChart b = computeLimitChart(k, off);
        for (std::size_t c = 0; c < a.curves.size(); ++c)
            for (std::size_t i = 0; i < grid.size(); i += 20) {
                const bool level = k == LimitKind::MaximumSpl;
                const double lift = level ? -cabinGainTerm(grid[i], on->cabinGainFcg) : 0.0;
                EXPECT_NEAR(at(a, c, i), at(b, c, i) + lift, 1e-9) << a.title;
            }
    }
}

TEST(DesignLimits, AFailedDesignGivesNoInputs) {
    const DriverParameters d = limitedDriver(0.8, 4.0, 60.0);
    const SharedInputs s = sharedFor({1});
    EXPECT_FALSE(limitInputs(d, recomputeClosedBox(d, s, {.Vb = "0"}, kDot), kDot));
    EXPECT_FALSE(limitInputs(d, recomputeVentedBox(d, s, {.Vb = "60", .fb = "x"}, kDot), kDot));
    EXPECT_FALSE(limitInputs(d, recomputeBandpassBox(d, s, {.Vr = "0"}, kDot), kDot));
}

bool allFinite(const LimitChart& c) {
    for (const LimitCurve& curve : c.curves) {
        if (curve.frequency.size() != curve.value.size())
            return false;
        for (std::size_t i = 0; i < curve.value.size(); ++i)
            if (!std::isfinite(curve.value[i]) || !std::isfinite(curve.frequency[i]))
                return false;
    }
    for (const ReferenceLine& line : c.lines)
        if (!std::isfinite(line.value))
            return false;
    for (const LimitPoint& p : c.limits)
        if (!std::isfinite(p.voltage))
            return false;
    return true;
}

TEST(DesignLimits, NothingNonFiniteReachesACurve) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const DriverParameters d = limitedDriver(0.8, 4.0, 60.0);
    const LimitInputs base = *ventedDesign(d, sharedFor({1})).inputs;
    const struct {
        const char* name;
        std::function<void(LimitInputs&)> change;
    } rows[] = {
        {"silence", [](LimitInputs& in) { in.U = 0; }},
        {"no distance", [](LimitInputs& in) { in.d = 0; }},
        {"huge voltage", [](LimitInputs& in) { in.U = 1e300; }},
        {"lossless vent", [](LimitInputs& in) { std::get<PortedBox>(in.box).QL = inf; }},
        {"no vent area", [](LimitInputs& in) { std::get<PortedBox>(in.box).Sv = 0; }},
        {"no tuning", [](LimitInputs& in) { std::get<PortedBox>(in.box).fb = 0; }},
        {"infinite baffle",
         [](LimitInputs& in) {
             in.box = SealedBox{inf, 1.2};
         }},
        {"zero volume",
         [](LimitInputs& in) {
             in.box = BandpassChambers{0, 0, 50, 100};
         }},
        {"huge inductance", [](LimitInputs& in) { in.driver.Le = 1e300; }},
        {"no force", [](LimitInputs& in) { in.driver.Bl = 0; }},
        {"no resistance", [](LimitInputs& in) { in.driver.Re = in.driver.Rtot = 0; }},
        {"huge Xmax and Pe", [](LimitInputs& in) { in.driver.Xmax = in.driver.Pe = 1e308; }},
        {"cabin gain", [](LimitInputs& in) { in.cabinGainFcg = 1e-300; }},
    };
    for (const auto& row : rows) {
        LimitInputs in = base;
        row.change(in);
        for (LimitKind k : kLimitKinds) {
            const LimitChart c = computeLimitChart(k, in);
            EXPECT_TRUE(allFinite(c)) << row.name << " " << c.title;
            EXPECT_EQ(c.limits.empty() || c.limits.size() == c.curves[0].value.size(), true)
                << row.name << " " << c.title;
        }
    }
}

TEST(DesignLimits, GridAndTexts) {
    const auto& g = limitFrequencyGrid();
    EXPECT_DOUBLE_EQ(g.front(), 10.0);
    EXPECT_NEAR(g[100], 100.0, 1e-9);
    EXPECT_NEAR(g.back(), 1000.0, 1e-9);
    const DriverParameters d = limitedDriver(0.8, 4.0, 60.0);
    const LimitInputs in = *ventedDesign(d, sharedFor({1})).inputs;
    for (LimitKind k : kLimitKinds) {
        const LimitChart c = computeLimitChart(k, in);
        EXPECT_EQ(c.kind, k);
        EXPECT_FALSE(c.title.empty());
        EXPECT_FALSE(c.axis.empty());
        EXPECT_FALSE(c.axisHint.empty());
        EXPECT_EQ(limitKindFromTitle(limitKindTitle(k)), k);  // the settings file keeps the title
    }
    EXPECT_FALSE(limitKindFromTitle("Response").has_value());
    EXPECT_NEAR(20 * std::log10(pressureReference() / 20e-6), 0.137, 0.001);
}

TEST(DesignLimits, CursorReadoutInTheKindsUnit) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        LimitKind kind;
        double f, value;
        NumberFormat format;
        const char* text;
    } rows[] = {
        {LimitKind::Impedance, 52.34, 7.456, kDot, "cursor: 52.3 Hz / 7.46 Ohm"},
        {LimitKind::Excursion, 10.0, 4.25, {','}, "cursor: 10 Hz / 4,25 mm"},
        {LimitKind::PortVelocity, 30.04, 17.04, kDot, "cursor: 30 Hz / 17 m/s"},
        {LimitKind::GroupDelay, 999.96, 12.345, kDot, "cursor: 1000 Hz / 12.35 ms"},
        {LimitKind::MaximumSpl, 45.0, 110.25, kDot, "cursor: 45 Hz / 110.2 dB"},
        {LimitKind::MaximumPower, 45.0, 200.0, kDot, "cursor: 45 Hz / 200 W"},
        {LimitKind::MaximumPower, nan, 200.0, kDot, ""},
        {LimitKind::Excursion, 45.0, std::numeric_limits<double>::infinity(), kDot, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(limitCursorText(row.kind, row.f, row.value, row.format), row.text);
}

// Below the box's tuning the cone's travel stops a vented box, in the passband the voice
// coil's heat; the readout says which.
TEST(DesignLimits, TheReadoutSaysWhichLimitBinds) {
    const LimitInputs in = *ventedDesign(limitedDriver(0.8, 4.0, 60.0), sharedFor({1})).inputs;
    const LimitChart spl = computeLimitChart(LimitKind::MaximumSpl, in);
    EXPECT_EQ(bindingLimitText(spl, 10.3), "limited by Xmax");
    EXPECT_EQ(bindingLimitText(spl, 400), "limited by Pe");
    EXPECT_EQ(bindingLimitText(spl, 5), "");
    EXPECT_EQ(bindingLimitText(computeLimitChart(LimitKind::Excursion, in), 400), "");
}

}  // namespace
}  // namespace sublumo::enclosure

namespace sublumo::enclosure {
namespace {

// A closed box is a second-order high pass: +90° at fc, towards 180° far below and 0° far
// above, whatever the wiring and the source resistance.
TEST(ResponsePhase, AClosedBoxIsASecondOrderHighPass) {
    for (const Wiring& w : {Wiring{1}, Wiring{4, Connection::Parallel}}) {
        const DriverParameters d = limitedDriver(1.2, 4, 60);
        const ClosedBoxResult r = recomputeClosedBox(d, sharedFor(w), {.Vb = "40"}, kDot);
        const auto in = limitInputs(d, r, kDot);
        ASSERT_TRUE(in);
        const double fc = r.values.fc;
        const std::vector<double> f = {fc / 30, fc, fc * 30};
        const std::vector<double> phase = responsePhase(*in, f);
        EXPECT_GT(phase[0], 170);
        EXPECT_NEAR(phase[1], 90, 0.5);
        EXPECT_LT(std::abs(phase[2]), 10);
    }
}

}  // namespace
}  // namespace sublumo::enclosure
