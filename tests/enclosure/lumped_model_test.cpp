#include "lumped_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "closed_box.h"
#include "test_driver.h"

namespace sublumo::enclosure {
namespace {

constexpr double kNoLoss = std::numeric_limits<double>::infinity();

struct Fixture {
    DriverParameters driver;
    EquivalentDriver equivalent;
    LumpedDriver lumped;
};

// Two drivers in parallel with Rs, M+ and a hot coil: every scaling of the network at work.
Fixture fixture(double leMilliHenry) {
    Fixture f;
    f.driver = test::makeDriver();
    f.driver.value(Param::Le) = leMilliHenry;
    const DriverArrangement arrangement{2, Connection::Parallel, false};
    f.equivalent = computeEquivalentDriver(f.driver, arrangement, {0.3, 4.0, 60.0});
    f.lumped = lumpedDriver(f.driver, arrangement, f.equivalent);
    return f;
}

double airCompliance(double litres) {
    return litres * 1e-3 / (rho * cair * cair);
}

double excursion(const Fixture& fx, const LumpedBox& box, double f) {
    return 1e-3 * peakExcursion(evaluateModel(fx.lumped, box, f, 1.0), f, 1.0);  // m at 1 V
}

double dBRatio(double a, double b) {
    return 20.0 * std::log10(a / b);
}

std::vector<double> sweep(double from, double to, int points) {
    std::vector<double> f(points);
    for (int i = 0; i < points; ++i) f[i] = from * std::pow(to / from, i / (points - 1.0));
    return f;
}

TEST(LumpedModel, ClosedBoxImpedancePeakExcursionAndSlopes) {
    const Fixture fx = fixture(0.0);
    const LumpedDriver& l = fx.lumped;
    const double vb = 40.0;
    const auto closed = computeClosedBox(vb, 100.0, fx.equivalent);
    ASSERT_TRUE(closed);
    const SealedBox box{vb, closed->ff};
    const double fc = closed->fc;

    // |Z| peaks at fc with the motional resistance on top of the hot coil.
    const double peak = std::abs(evaluateModel(l, box, fc, 1.0).Z);
    EXPECT_NEAR(peak, l.Re + l.Bl * l.Bl / l.Rms, 1e-9 * peak);
    for (double r : {0.99, 1.01, 0.9, 1.1})
        EXPECT_LT(std::abs(evaluateModel(l, box, fc * r, 1.0).Z), peak) << r;

    // Far below fc the cone follows the force through both compliances in series.
    const double cmt = 1.0 / (1.0 / l.Cms + l.S * l.S / airCompliance(vb * closed->ff));
    const double low = std::sqrt(2.0) * l.Bl / l.Rtot * cmt;
    EXPECT_NEAR(excursion(fx, box, 0.01), low, 1e-6 * low);

    // Mass controlled: 12 dB an octave, 18 dB once the inductance dominates.
    EXPECT_NEAR(dBRatio(excursion(fx, box, 100 * fc), excursion(fx, box, 200 * fc)),
                20 * std::log10(4.0), 0.001);
    const Fixture withLe = fixture(1.0);
    EXPECT_NEAR(dBRatio(excursion(withLe, box, 40e3), excursion(withLe, box, 80e3)), 18.06, 0.02);
}

TEST(LumpedModel, InfiniteBaffleResonatesAtTheDriversOwnFrequency) {
    const Fixture fx = fixture(0.0);
    const SealedBox baffle{std::numeric_limits<double>::infinity(), 1.2};
    const ModelPoint p = evaluateModel(fx.lumped, baffle, fx.equivalent.fs, 1.0);
    EXPECT_NEAR(p.Z.imag(), 0.0, 1e-9);
    EXPECT_NEAR(p.Z.real(), fx.lumped.Re + std::pow(fx.lumped.Bl, 2) / fx.lumped.Rms, 1e-9);
}

TEST(LumpedModel, VentedBoxExcursionMinimumAtTuning) {
    const Fixture fx = fixture(0.0);
    const double fb = 28.0;
    const PortedBox box{60.0, fb, 5000.0};
    const std::vector<double> f = sweep(0.5 * fb, 2.0 * fb, 4001);
    std::size_t lowest = 0;
    for (std::size_t i = 0; i < f.size(); ++i)
        if (excursion(fx, box, f[i]) < excursion(fx, box, f[lowest]))
            lowest = i;
    EXPECT_NEAR(f[lowest] / fb, 1.0, 0.01);
    // Below the tuning the vent unloads the cone.
    EXPECT_GT(excursion(fx, box, 0.8 * fb), excursion(fx, box, f[lowest]));
    EXPECT_GT(excursion(fx, box, 0.5 * fb), excursion(fx, box, 0.8 * fb));

    PortedBox lossless = box;
    lossless.QL = kNoLoss;
    EXPECT_LT(excursion(fx, lossless, fb), 1e-9 * excursion(fx, lossless, 0.9 * fb));
}

// Local maxima and the lowest point between the first two of |Z| over f.
struct ImpedanceShape {
    std::vector<double> peaks;
    double minimumAt = 0;
    double minimum = 0;
};

ImpedanceShape impedanceShape(const Fixture& fx, const LumpedBox& box, std::vector<double> f) {
    std::vector<double> z(f.size());
    for (std::size_t i = 0; i < f.size(); ++i)
        z[i] = std::abs(evaluateModel(fx.lumped, box, f[i], 1.0).Z);
    ImpedanceShape s;
    std::vector<std::size_t> peaks;
    for (std::size_t i = 1; i + 1 < f.size(); ++i)
        if (z[i] > z[i - 1] && z[i] >= z[i + 1])
            peaks.push_back(i);
    for (std::size_t i : peaks) s.peaks.push_back(f[i]);
    if (peaks.size() < 2)
        return s;
    std::size_t low = peaks[0];
    for (std::size_t i = peaks[0]; i <= peaks[1]; ++i)
        if (z[i] < z[low])
            low = i;
    s.minimumAt = f[low];
    s.minimum = z[low];
    return s;
}

TEST(LumpedModel, VentedBoxImpedanceHasTwoPeaksAroundTheTuning) {
    const Fixture fx = fixture(0.0);
    const double fb = 28.0;
    const PortedBox box{60.0, fb, 5000.0};
    std::vector<double> f = sweep(5.0, 300.0, 6001);
    const ImpedanceShape lossy = impedanceShape(fx, box, f);
    ASSERT_EQ(lossy.peaks.size(), 2u);
    EXPECT_LT(lossy.peaks[0], fb);
    EXPECT_GT(lossy.peaks[1], fb);
    EXPECT_NEAR(lossy.minimumAt / fb, 1.0, 0.03);

    PortedBox lossless = box;
    lossless.QL = kNoLoss;
    f.push_back(fb);  // the exact tuning among the points
    std::sort(f.begin(), f.end());
    const ImpedanceShape ideal = impedanceShape(fx, lossless, f);
    ASSERT_EQ(ideal.peaks.size(), 2u);
    EXPECT_DOUBLE_EQ(ideal.minimumAt, fb);
    EXPECT_NEAR(ideal.minimum, fx.lumped.Re, 1e-9);
}

TEST(LumpedModel, LosslessVentVelocityAtTuning) {
    const Fixture fx = fixture(0.0);
    const LumpedDriver& l = fx.lumped;
    const double fb = 28.0;
    const PortedBox box{60.0, fb, 5000.0, kNoLoss};
    const double sv = ventArea(box);
    const double velocity = std::sqrt(2.0) * std::abs(evaluateModel(l, box, fb, 1.0).ventFlow) / sv;
    const double expected =
        std::sqrt(2.0) * l.Bl * 2.0 * pi * fb * airCompliance(60.0) / (l.Rtot * l.S * sv);
    EXPECT_NEAR(velocity, expected, 1e-9 * expected);
}

// The negative slope of the phase by central differences of the complex pressure.
double numericalGroupDelay(const LumpedDriver& l, const LumpedBox& box, double f) {
    const double h = f * 1e-5;
    const Complex above = evaluateModel(l, box, f + h, 1.0).pressure;
    const Complex below = evaluateModel(l, box, f - h, 1.0).pressure;
    return -std::arg(above / below) / (2.0 * pi * 2.0 * h);
}

TEST(LumpedModel, GroupDelayIsTheNegativeSlopeOfThePhase) {
    const Fixture fx = fixture(0.8);
    const struct {
        const char* name;
        LumpedBox box;
    } rows[] = {
        {"closed", SealedBox{40.0, 1.2}},
        {"infinite baffle", SealedBox{std::numeric_limits<double>::infinity(), 1.2}},
        {"vented", PortedBox{60.0, 28.0, 5000.0}},
        {"bandpass", BandpassChambers{30.0, 20.0, 55.0, 8000.0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (double f : sweep(10.0, 1000.0, 41)) {
            const double tau = evaluateModel(fx.lumped, row.box, f, 1.0).groupDelay;
            EXPECT_NEAR(tau, numericalGroupDelay(fx.lumped, row.box, f),
                        1e-8 + 1e-6 * std::abs(tau))
                << f;
        }
    }
}

TEST(LumpedModel, EqualiserIsTheBuiltCircuit) {
    const auto lt = computeLinkwitzCircuit({"20", "0.707", "0.1"}, 40.0, 0.9, {});
    ASSERT_TRUE(lt.circuit);
    for (double f : sweep(10.0, 1000.0, 41)) {
        const EqualiserPoint e = evaluateEqualiser(*lt.circuit, f);
        EXPECT_NEAR(20.0 * std::log10(std::abs(e.gain)), linkwitzResponse(f, *lt.circuit), 1e-9);
        const double h = f * 1e-5;
        const double slope = -std::arg(evaluateEqualiser(*lt.circuit, f + h).gain /
                                       evaluateEqualiser(*lt.circuit, f - h).gain) /
                             (2.0 * pi * 2.0 * h);
        EXPECT_NEAR(e.groupDelay, slope, 1e-9 + 1e-6 * std::abs(slope)) << f;
    }
    // Minimum phase: at DC a plain gain of (f0/fp)².
    const Complex dc = evaluateEqualiser(*lt.circuit, 1e-6).gain;
    EXPECT_NEAR(dc.real(), 4.0, 1e-6);
    EXPECT_NEAR(dc.imag(), 0.0, 1e-6);
}

}  // namespace
}  // namespace sublumo::enclosure
