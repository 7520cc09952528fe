#include "impedance_fit.h"

#include <cmath>
#include <limits>
#include <random>

#include "lumped_model.h"
#include "mms_measurement.h"
#include "q_factors.h"
#include "table_test.h"

namespace sublumo::tools::test {
namespace {

// A driver as the fit reports it, turned into the program's own circuit model.
struct TrueDriver {
    double fs, qms, qes, re, leMh;
};

constexpr double kMass = 0.02;  // kg: any mass gives the same free-air curve

enclosure::LumpedDriver circuitOf(const TrueDriver& t, double mass = kMass) {
    const double w = 2.0 * pi * t.fs;
    enclosure::LumpedDriver l;
    l.Cms = 1.0 / (w * w * kMass);
    l.Rms = w * kMass / t.qms;
    l.Bl = std::sqrt(w * kMass * t.re / t.qes);
    l.Re = t.re;
    l.Rtot = t.re;
    l.Le = t.leMh * 1e-3;
    l.S = 0.02;
    l.M = mass;
    return l;
}

struct Noise {
    double magnitude = 0;  // relative, one standard deviation
    double phase = 0;      // degrees
};

std::vector<double> octaveGrid(double from, double to, int perOctave) {
    std::vector<double> f;
    for (int i = 0;; ++i) {
        const double v = from * std::pow(2.0, static_cast<double>(i) / perOctave);
        if (v > to)
            break;
        f.push_back(v);
    }
    return f;
}

ImpedanceCurve measure(const enclosure::LumpedDriver& l, const enclosure::LumpedBox& box,
                       Noise noise, bool withPhase, std::mt19937& random,
                       const std::vector<double>& grid = octaveGrid(10.0, 20000.0, 48)) {
    std::normal_distribution<double> normal;
    ImpedanceCurve c;
    for (const double f : grid) {
        const std::complex<double> z = enclosure::evaluateModel(l, box, f, 1.0).Z;
        c.frequency.push_back(f);
        c.magnitude.push_back(std::abs(z) * (1.0 + noise.magnitude * normal(random)));
        if (withPhase)
            c.phase.push_back(std::arg(z) * 180.0 / pi + noise.phase * normal(random));
    }
    return c;
}

const enclosure::LumpedBox kFreeAir =
    enclosure::SealedBox{std::numeric_limits<double>::infinity(), 1};

ImpedanceCurve freeAir(const TrueDriver& t, Noise noise, bool withPhase, std::mt19937& random) {
    return measure(circuitOf(t), kFreeAir, noise, withPhase, random);
}

TrueDriver randomDriver(std::mt19937& random) {
    std::uniform_real_distribution<double> unit;
    const auto between = [&](double lo, double hi) { return lo + (hi - lo) * unit(random); };
    TrueDriver t{};
    t.fs = 15.0 * std::pow(20.0, unit(random));  // 15 to 300 Hz, even on a log scale
    t.qms = between(1.0, 15.0);
    t.qes = between(0.2, 2.0);
    t.re = between(2.0, 16.0);
    t.leMh = between(0.0, 3.0);
    return t;
}

double relative(double got, double want) {
    return std::abs(got / want - 1.0);
}

// What a fit got wrong beyond the bounds, scaled by `scale`; empty when within.
std::string misses(const FittedDriver& d, const TrueDriver& t, double fsBound, double qBound,
                   double reBound, double leBound) {
    std::string out;
    const auto check = [&](const char* name, double got, double want, double bound) {
        if (!(relative(got, want) <= bound))
            out += std::string(" ") + name + " " + std::to_string(got) + " for " +
                   std::to_string(want);
    };
    check("fs", d.fs, t.fs, fsBound);
    check("Qms", d.Qms, t.qms, qBound);
    check("Qes", d.Qes, t.qes, qBound);
    check("Re", d.Re, t.re, reBound);
    if (t.leMh > 0.2)
        check("Le", d.Le, t.leMh, leBound);
    return out;
}

struct RecoveryRow {
    const char* name;
    Noise noise;
    bool withPhase;
    double scale;  // of the bounds: fs 0.5 %, Q 3 %, Re 1 %, Le 5 % with noise, 0.1 % without
};

class RandomDrivers : public testing::TestWithParam<RecoveryRow> {};

TEST_P(RandomDrivers, FitWithinTheBounds) {
    const RecoveryRow& row = GetParam();
    std::mt19937 random(20261210);
    const bool noisy = row.noise.magnitude > 0;
    const double s = row.scale;
    for (int i = 0; i < 200; ++i) {
        const TrueDriver t = randomDriver(random);
        const ImpedanceFit fit = fitImpedance(freeAir(t, row.noise, row.withPhase, random));
        ASSERT_TRUE(fit.fitted) << "driver " << i << ": " << fit.refusal << " (fs " << t.fs
                                << ", Qms " << t.qms << ", Qes " << t.qes << ", Re " << t.re
                                << ", Le " << t.leMh << ")";
        const std::string wrong =
            noisy ? misses(fit.driver, t, 0.005 * s, 0.03 * s, 0.01 * s, 0.05 * s)
                  : misses(fit.driver, t, 0.001 * s, 0.001 * s, 0.001 * s, 0.001 * s);
        EXPECT_EQ(wrong, "") << "driver " << i << " (fs " << t.fs << ", Qms " << t.qms << ", Qes "
                             << t.qes << ", Re " << t.re << ", Le " << t.leMh << ")";
        EXPECT_EQ(fit.usedPhase, row.withPhase);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, RandomDrivers,
                         testing::Values(RecoveryRow{"Noisy", {0.01, 1.0}, true, 1.0},
                                         RecoveryRow{"Noiseless", {}, true, 1.0},
                                         RecoveryRow{"NoisyMagnitudeOnly", {0.01, 0}, false, 1.5},
                                         RecoveryRow{"NoiselessMagnitudeOnly", {}, false, 1.0}),
                         RowName());

// The residual reports the noise on the magnitude, and the model names the inductance.
TEST(ImpedanceFit, ResidualAndInductanceModel) {
    std::mt19937 random(7);
    const TrueDriver t{40.0, 5.0, 0.5, 6.0, 0.8};
    const ImpedanceFit noisy = fitImpedance(freeAir(t, {0.01, 1.0}, true, random));
    ASSERT_TRUE(noisy.fitted);
    EXPECT_NEAR(noisy.residual, 0.01, 0.002);
    EXPECT_EQ(noisy.driver.model, InductanceModel::Plain);

    FittedDriver lossy{6.0, 40.0, 5.0, 0.5, 0.8, 20.0, InductanceModel::Lossy};
    ImpedanceCurve curve;
    for (const double f : octaveGrid(10.0, 20000.0, 24)) {
        const std::complex<double> z = modelImpedance(lossy, f);
        curve.frequency.push_back(f);
        curve.magnitude.push_back(std::abs(z));
        curve.phase.push_back(std::arg(z) * 180.0 / pi);
    }
    const ImpedanceFit fit = fitImpedance(curve);
    ASSERT_TRUE(fit.fitted) << fit.refusal;
    EXPECT_EQ(fit.driver.model, InductanceModel::Lossy);
    EXPECT_NEAR(fit.driver.Rp, lossy.Rp, 0.01 * lossy.Rp);
    EXPECT_NEAR(fit.driver.Le, lossy.Le, 0.01 * lossy.Le);
    EXPECT_LT(fit.residual, 1e-4);

    // Below 1 kHz the coil is a plain Le.
    while (curve.frequency.back() > 1000.0) {
        curve.frequency.pop_back();
        curve.magnitude.pop_back();
        curve.phase.pop_back();
    }
    const ImpedanceFit low = fitImpedance(curve);
    ASSERT_TRUE(low.fitted) << low.refusal;
    EXPECT_EQ(low.driver.model, InductanceModel::Plain);
}

struct RefusalRow {
    const char* name;
    void (*spoil)(ImpedanceCurve&);
    const char* reason;
};

class Refusals : public testing::TestWithParam<RefusalRow> {};

TEST_P(Refusals, SayWhy) {
    std::mt19937 random(3);
    ImpedanceCurve curve = freeAir({60.0, 4.0, 0.6, 7.0, 0.5}, {0.01, 1.0}, true, random);
    GetParam().spoil(curve);
    const ImpedanceFit fit = fitImpedance(curve);
    EXPECT_FALSE(fit.fitted);
    EXPECT_NE(fit.refusal.find(GetParam().reason), std::string::npos) << fit.refusal;
}

void keepFrom(ImpedanceCurve& c, double f) {
    std::size_t first = 0;
    while (c.frequency[first] < f) ++first;
    for (auto* v : {&c.frequency, &c.magnitude, &c.phase})
        v->erase(v->begin(), v->begin() + static_cast<std::ptrdiff_t>(first));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Refusals,
    testing::Values(
        RefusalRow{"Flat",
                   [](ImpedanceCurve& c) {
                       for (double& m : c.magnitude) m = 8.0;
                       for (double& p : c.phase) p = 0.0;
                   },
                   "no resonance peak"},
        RefusalRow{"CutBelowFs", [](ImpedanceCurve& c) { keepFrom(c, 64.0); }, "edge of the file"},
        RefusalRow{"FivePoints",
                   [](ImpedanceCurve& c) {
                       for (auto* v : {&c.frequency, &c.magnitude, &c.phase}) v->resize(5);
                   },
                   "too few points (5)"},
        RefusalRow{"FewPointsAroundThePeak",
                   [](ImpedanceCurve& c) {
                       ImpedanceCurve sparse;
                       for (std::size_t i = 0; i < c.frequency.size(); i += 40) {
                           sparse.frequency.push_back(c.frequency[i]);
                           sparse.magnitude.push_back(c.magnitude[i]);
                           sparse.phase.push_back(c.phase[i]);
                       }
                       c = sparse;
                   },
                   "too few points"},
        RefusalRow{"NaNMagnitude", [](ImpedanceCurve& c) { c.magnitude[40] = std::nan(""); },
                   "not a positive number"},
        RefusalRow{"NegativeMagnitude", [](ImpedanceCurve& c) { c.magnitude[40] = -3.0; },
                   "not a positive number"},
        RefusalRow{"TooManyPoints",
                   [](ImpedanceCurve& c) {
                       c.frequency.resize(kMaxFitPoints + 1);
                       for (std::size_t i = 0; i < c.frequency.size(); ++i)
                           c.frequency[i] = 1.0 + static_cast<double>(i);
                       c.magnitude.assign(c.frequency.size(), 8.0);
                       c.phase.clear();
                   },
                   "too many points"}),
    RowName());

// The fitted fs of a second measurement feeds the calculators' own arithmetic; what comes out
// equals what the true resonances give, within the fit's tolerance.
TEST(ImpedanceFit, SecondMeasurementGivesMmsAndVas) {
    std::mt19937 random(11);
    const TrueDriver t{35.0, 4.0, 0.45, 6.5, 0.6};
    const double maddGrams = 15.0;
    const double vboxLitres = 30.0;
    const enclosure::LumpedDriver free = circuitOf(t);
    const double sdCm2 = free.S * 1e4;
    const auto fittedFs = [&](const enclosure::LumpedDriver& l, const enclosure::LumpedBox& box) {
        const ImpedanceFit fit = fitImpedance(measure(l, box, {0.01, 1.0}, true, random));
        EXPECT_TRUE(fit.fitted) << fit.refusal;
        return fit.driver.fs;
    };
    const double fs = fittedFs(free, kFreeAir);
    const double loaded = fittedFs(circuitOf(t, kMass + maddGrams * 1e-3), kFreeAir);
    const double boxed = fittedFs(free, enclosure::SealedBox{vboxLitres, 1});

    const auto text = [](double v) { return formatRounded(v, 6, kDot); };
    const double trueLoaded = t.fs * std::sqrt(kMass / (kMass + maddGrams * 1e-3));
    const double air =
        enclosure::AirConstants{}.rho * enclosure::AirConstants{}.c * enclosure::AirConstants{}.c;
    const double boxStiffness = free.S * free.S * air / (vboxLitres * 1e-3);
    const double trueBoxed = t.fs * std::sqrt(1.0 + boxStiffness * free.Cms);

    const double mmsFitted =
        std::stod(computeAddedMass({text(fs), text(loaded), text(maddGrams)}, kDot).mms);
    const double mmsTrue =
        std::stod(computeAddedMass({text(t.fs), text(trueLoaded), text(maddGrams)}, kDot).mms);
    EXPECT_NEAR(mmsFitted, mmsTrue, 0.03 * mmsTrue);
    EXPECT_NEAR(mmsTrue, kMass * 1e3, 0.1);

    const ClosedBoxResult boxFitted = computeClosedBox(
        {text(fs), text(boxed), text(vboxLitres), text(sdCm2), "0", "0", "0"}, kDot);
    const ClosedBoxResult boxTrue = computeClosedBox(
        {text(t.fs), text(trueBoxed), text(vboxLitres), text(sdCm2), "0", "0", "0"}, kDot);
    EXPECT_NEAR(std::stod(boxFitted.vas), std::stod(boxTrue.vas), 0.03 * std::stod(boxTrue.vas));
    EXPECT_NEAR(std::stod(boxFitted.mms), std::stod(boxTrue.mms), 0.03 * std::stod(boxTrue.mms));
}

// The panel's inputs are filled so that the calculator's own three-point arithmetic gives back
// the fitted Q-factors.
TEST(ImpedanceFit, TextsFeedTheThreePointCalculator) {
    std::mt19937 random(5);
    for (const TrueDriver& t :
         {TrueDriver{28.0, 3.0, 0.35, 5.6, 1.2}, TrueDriver{90.0, 8.0, 1.1, 3.2, 0.1}}) {
        const ImpedanceFit fit = fitImpedance(freeAir(t, {0.01, 1.0}, true, random));
        ASSERT_TRUE(fit.fitted);
        for (const NumberFormat format : {kDot, kComma}) {
            const ImpedanceFitTexts texts = impedanceFitTexts(fit, format);
            const QFactorsResult q =
                computeQFactors({texts.re, texts.zmax, texts.fs, texts.f1, texts.f2}, format);
            const auto number = [format](std::string s) {
                std::replace(s.begin(), s.end(), format.decimalSeparator, '.');
                return std::stod(s);
            };
            EXPECT_NEAR(number(q.qms), number(texts.qms), 0.01 * number(texts.qms));
            EXPECT_NEAR(number(q.qes), number(texts.qes), 0.01 * number(texts.qes));
            EXPECT_NEAR(number(texts.le), fit.driver.Le, 0.005);
            const DriverTransfer transfer = fittedTransfer(texts);
            ASSERT_EQ(transfer.writes.size(), 5u);
            EXPECT_EQ(transfer.writes.back().param, Param::Le);
        }
    }
}

}  // namespace
}  // namespace sublumo::tools::test
