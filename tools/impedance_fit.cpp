#include "impedance_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "derived_quantities.h"
#include "q_factors.h"

namespace sublumo::tools {

namespace {

using Complex = std::complex<double>;

constexpr double kDegree = pi / 180.0;
// Below this ratio of the peak over Re a curve holds no resonance worth fitting.
constexpr double kMinPeakRatio = 1.1;
// Points the fit wants between f1 and f2, and clear of the file's ends.
constexpr std::size_t kMinPeakPoints = 4;
constexpr std::size_t kEdgePoints = 2;
// A residual above this says the curve is not a driver in free air.
constexpr double kMaxResidual = 0.25;
// The lossy inductance must lower the residual by this factor to be kept.
constexpr double kLossyGain = 0.9;
constexpr double kLossyFrom = 1000.0;  // Hz
constexpr int kMaxIterations = 300;
constexpr double kMaxLogStep = 0.5;
// A step that lowers the cost by less than this share ends the fit.
constexpr double kConverged = 1e-10;

// The fit's unknowns: logarithms where a value must stay positive, Le in mH and the parallel
// conductance 1/Rp in S, both kept at or above 0.
enum Unknown { LnRe, LnFs, LnQms, LnQes, LeMh, Gp, kUnknowns };
using Vector = std::array<double, kUnknowns>;
using Matrix = std::array<Vector, kUnknowns>;

FittedDriver driverOf(const Vector& x, InductanceModel model) {
    FittedDriver d;
    d.Re = std::exp(x[LnRe]);
    d.fs = std::exp(x[LnFs]);
    d.Qms = std::exp(x[LnQms]);
    d.Qes = std::exp(x[LnQes]);
    d.Le = x[LeMh];
    d.Rp = model == InductanceModel::Lossy && x[Gp] > 0 ? 1.0 / x[Gp] : 0.0;
    d.model = model;
    return d;
}

// The impedance at f and its derivatives by the unknowns.
Complex impedanceAndSlopes(const Vector& x, bool lossy, double f,
                           std::array<Complex, kUnknowns>& d) {
    const double re = std::exp(x[LnRe]);
    const double fs = std::exp(x[LnFs]);
    const double qms = std::exp(x[LnQms]);
    const double qes = std::exp(x[LnQes]);
    const double ratio = f / fs;
    const Complex jq(0.0, qms);
    const Complex den = 1.0 + jq * (ratio - 1.0 / ratio);
    const Complex motional = re * qms / qes / den;
    const Complex jwl(0.0, 2.0 * pi * f * x[LeMh] * 1e-3);
    const Complex jw(0.0, 2.0 * pi * f * 1e-3);
    d[LnRe] = re + motional;
    d[LnFs] = motional * jq * (ratio + 1.0 / ratio) / den;
    d[LnQms] = motional / den;
    d[LnQes] = -motional;
    Complex coil = jwl;
    if (lossy) {
        const Complex split = 1.0 + jwl * x[Gp];
        coil = jwl / split;
        d[LeMh] = jw / (split * split);
        d[Gp] = -(jwl * jwl) / (split * split);
    } else {
        d[LeMh] = jw;
        d[Gp] = 0.0;
    }
    return re + motional + coil;
}

struct Measured {
    const ImpedanceCurve& curve;
    bool withPhase;
    std::vector<Complex> z;  // only with phase
};

// The cost, and the normal equations J'J and J'r where asked.
double accumulate(const Measured& m, const Vector& x, bool lossy, Matrix* jtj, Vector* jtr) {
    std::array<Complex, kUnknowns> d{};
    std::array<double, 2 * kUnknowns> rows{};
    double cost = 0;
    if (jtj != nullptr) {
        *jtj = {};
        *jtr = {};
    }
    const std::size_t n = m.curve.frequency.size();
    for (std::size_t i = 0; i < n; ++i) {
        const double scale = 1.0 / m.curve.magnitude[i];
        const Complex z = impedanceAndSlopes(x, lossy, m.curve.frequency[i], d);
        std::array<double, 2> r{};
        int parts = 0;
        if (m.withPhase) {
            const Complex e = (z - m.z[i]) * scale;
            r = {e.real(), e.imag()};
            parts = 2;
            for (int k = 0; k < kUnknowns; ++k) {
                rows[2 * k] = d[k].real() * scale;
                rows[2 * k + 1] = d[k].imag() * scale;
            }
        } else {
            const double magnitude = std::abs(z);
            r = {(magnitude - m.curve.magnitude[i]) * scale, 0.0};
            parts = 1;
            for (int k = 0; k < kUnknowns; ++k)
                rows[2 * k] = (std::conj(z) * d[k]).real() / magnitude * scale;
        }
        for (int p = 0; p < parts; ++p) {
            cost += r[p] * r[p];
            if (jtj == nullptr)
                continue;
            for (int a = 0; a < kUnknowns; ++a) {
                (*jtr)[a] += rows[2 * a + p] * r[p];
                for (int b = 0; b <= a; ++b) (*jtj)[a][b] += rows[2 * a + p] * rows[2 * b + p];
            }
        }
    }
    return cost;
}

// Solves (J'J + λ·diag) δ = −J'r by Gaussian elimination; the unknowns left out stay 0.
std::optional<Vector> dampedStep(Matrix a, Vector b, double lambda, int count) {
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < i; ++j) a[j][i] = a[i][j];
        a[i][i] += lambda * std::max(a[i][i], 1e-12);
        b[i] = -b[i];
    }
    for (int col = 0; col < count; ++col) {
        int pivot = col;
        for (int r = col + 1; r < count; ++r)
            if (std::abs(a[r][col]) > std::abs(a[pivot][col]))
                pivot = r;
        if (!(std::abs(a[pivot][col]) > 0))
            return std::nullopt;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (int r = col + 1; r < count; ++r) {
            const double factor = a[r][col] / a[col][col];
            for (int c = col; c < count; ++c) a[r][c] -= factor * a[col][c];
            b[r] -= factor * b[col];
        }
    }
    Vector step{};
    for (int r = count - 1; r >= 0; --r) {
        double sum = b[r];
        for (int c = r + 1; c < count; ++c) sum -= a[r][c] * step[c];
        step[r] = sum / a[r][r];
    }
    for (double v : step)
        if (!std::isfinite(v))
            return std::nullopt;
    return step;
}

struct Solution {
    Vector x;
    double cost;
    int iterations;
    bool converged;
};

// Levenberg-Marquardt from `start`; Le and the conductance are held at or above 0.
Solution levenbergMarquardt(const Measured& m, Vector x, bool lossy) {
    const int count = lossy ? kUnknowns : kUnknowns - 1;
    Matrix jtj{};
    Vector jtr{};
    double cost = accumulate(m, x, lossy, &jtj, &jtr);
    double lambda = 1e-3;
    for (int iteration = 1; iteration <= kMaxIterations; ++iteration) {
        bool accepted = false;
        while (lambda < 1e12) {
            const std::optional<Vector> step = dampedStep(jtj, jtr, lambda, count);
            if (!step)
                break;
            // A long step on the logarithms leaves the valley the start lies in.
            Vector trial = x;
            for (int k = 0; k < count; ++k)
                trial[k] +=
                    k <= LnQes ? std::clamp((*step)[k], -kMaxLogStep, kMaxLogStep) : (*step)[k];
            trial[LeMh] = std::max(trial[LeMh], 0.0);
            // A loss conductance pushed below 0 says the plain inductance describes the coil.
            if (lossy && trial[Gp] <= 0)
                return {x, cost, iteration, false};
            const double trialCost = accumulate(m, trial, lossy, nullptr, nullptr);
            if (std::isfinite(trialCost) && trialCost <= cost) {
                const double gain = cost - trialCost;
                x = trial;
                lambda = std::max(lambda / 3.0, 1e-12);
                accepted = true;
                if (gain <= kConverged * cost)
                    return {x, trialCost, iteration, true};
                cost = accumulate(m, x, lossy, &jtj, &jtr);
                break;
            }
            lambda *= 4.0;
        }
        if (!accepted)
            return {x, cost, iteration, std::isfinite(cost)};
    }
    return {x, cost, kMaxIterations, false};
}

// The curve the peak is searched on: the resistive part where there is phase (the inductance
// adds none), otherwise the magnitude with the rise of the coil taken off. Where the coil
// dominates, the noise of the measurement swamps what is left: those points are no candidates.
struct PeakCurve {
    std::vector<double> value;
    std::vector<bool> candidate;
};

PeakCurve peakCurve(const Measured& m, double re, double leMh) {
    constexpr double kMaxPhase = 70.0 * kDegree;
    constexpr double kMaxCoilShare = 0.9;
    const ImpedanceCurve& c = m.curve;
    PeakCurve p{std::vector<double>(c.frequency.size()), std::vector<bool>(c.frequency.size())};
    for (std::size_t i = 0; i < p.value.size(); ++i) {
        if (m.withPhase) {
            p.value[i] = m.z[i].real();
            p.candidate[i] = std::abs(std::arg(m.z[i])) <= kMaxPhase;
        } else {
            const double x = 2.0 * pi * c.frequency[i] * leMh * 1e-3;
            p.value[i] = std::sqrt(std::max(c.magnitude[i] * c.magnitude[i] - x * x, re * re));
            p.candidate[i] = x <= kMaxCoilShare * c.magnitude[i];
        }
    }
    return p;
}

// The frequency between points a and b where the curve crosses `level`, on a log scale.
double crossing(const ImpedanceCurve& c, const std::vector<double>& p, std::size_t a, std::size_t b,
                double level) {
    const double t = (level - p[a]) / (p[b] - p[a]);
    return std::exp(std::log(c.frequency[a]) +
                    t * (std::log(c.frequency[b]) - std::log(c.frequency[a])));
}

struct Start {
    std::optional<Vector> x;
    std::string refusal;
};

std::string hertz(double f) {
    return formatRounded(f, 1, NumberFormat{'.'}) + " Hz";
}

// The resonance peak on the peak curve: its point, the points above sqrt(peak·Re) around it,
// and that level; or why there is none worth fitting.
struct Peak {
    std::size_t k = 0, lo = 0, hi = 0;
    double level = 0;
    std::string refusal;
};

Peak findPeak(const ImpedanceCurve& c, const PeakCurve& curve, double re) {
    const std::vector<double>& p = curve.value;
    const std::size_t n = p.size();
    Peak peak;
    std::size_t& k = peak.k;
    for (std::size_t i = 0; i < n; ++i)
        if (curve.candidate[i] && (!curve.candidate[k] || p[i] > p[k]))
            k = i;
    if (!curve.candidate[k] || p[k] < kMinPeakRatio * re) {
        peak.refusal = "the curve has no resonance peak";
        return peak;
    }
    if (k < kEdgePoints || k + kEdgePoints >= n) {
        peak.refusal = "the peak lies at the edge of the file (" + hertz(c.frequency[k]) + ")";
        return peak;
    }
    peak.level = std::sqrt(p[k] * re);
    peak.lo = peak.hi = k;
    while (peak.lo > 0 && p[peak.lo - 1] >= peak.level) --peak.lo;
    while (peak.hi + 1 < n && p[peak.hi + 1] >= peak.level) ++peak.hi;
    if (peak.hi - peak.lo + 1 < kMinPeakPoints)
        peak.refusal = "too few points around the peak at " + hertz(c.frequency[k]);
    else if (peak.lo == 0 && peak.hi + 1 == n)
        peak.refusal = "the peak fills the whole file";
    return peak;
}

// The peak between its neighbours, on a parabola over log f where the grid is even in log f.
double peakFrequency(const ImpedanceCurve& c, const std::vector<double>& p, std::size_t k) {
    const double l0 = std::log(c.frequency[k - 1]);
    const double l1 = std::log(c.frequency[k]);
    const double l2 = std::log(c.frequency[k + 1]);
    const double bend = p[k - 1] - 2.0 * p[k] + p[k + 1];
    if (bend < 0 && std::abs(l2 - l1 - (l1 - l0)) < 1e-9 * std::abs(l1))
        return std::exp(l1 + 0.5 * (l1 - l0) * (p[k - 1] - p[k + 1]) / bend);
    return c.frequency[k];
}

// The three-point estimate of the calculator, read off the curve.
Start threePointStart(const Measured& m) {
    const ImpedanceCurve& c = m.curve;
    const std::size_t n = c.frequency.size();
    // |Z| never falls below Re, and meets it closely between the resonance and the coil's rise.
    const double re = *std::min_element(c.magnitude.begin(), c.magnitude.end());
    const double top = 2.0 * pi * c.frequency[n - 1];
    const double coil =
        m.withPhase ? m.z[n - 1].imag()
                    : std::sqrt(std::max(c.magnitude[n - 1] * c.magnitude[n - 1] - re * re, 0.0));
    const double leMh = std::max(coil / top * 1e3, 0.0);
    const PeakCurve curve = peakCurve(m, re, leMh);
    const Peak peak = findPeak(c, curve, re);
    if (!peak.refusal.empty())
        return {std::nullopt, peak.refusal};
    const std::vector<double>& p = curve.value;
    const double fs = peakFrequency(c, p, peak.k);
    // A side cut off by the file's end mirrors the other around fs.
    double f1 = 0;
    double f2 = 0;
    if (peak.lo > 0)
        f1 = crossing(c, p, peak.lo - 1, peak.lo, peak.level);
    if (peak.hi + 1 < n)
        f2 = crossing(c, p, peak.hi, peak.hi + 1, peak.level);
    if (peak.lo == 0)
        f1 = fs * fs / f2;
    if (peak.hi + 1 == n)
        f2 = fs * fs / f1;
    const std::optional<ThreePointQ> q = threePointQ(p[peak.k] / re, fs, f1, f2);
    if (!q || q->qms <= 0 || q->qes <= 0)
        return {std::nullopt, "the curve has no resonance peak"};
    Vector x{};
    x[LnRe] = std::log(re);
    x[LnFs] = std::log(fs);
    x[LnQms] = std::log(q->qms);
    x[LnQes] = std::log(q->qes);
    x[LeMh] = leMh;
    return {x, {}};
}

std::optional<std::string> badInput(const ImpedanceCurve& c) {
    const std::size_t n = c.frequency.size();
    if (c.magnitude.size() != n || (!c.phase.empty() && c.phase.size() != n))
        return "the columns of the curve differ in length";
    if (n < kMinFitPoints)
        return "too few points (" + std::to_string(n) + "); a fit needs at least " +
               std::to_string(kMinFitPoints);
    if (n > kMaxFitPoints)
        return "too many points (" + std::to_string(n) + ")";
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(c.frequency[i]) || c.frequency[i] <= 0 ||
            (i > 0 && !(c.frequency[i] > c.frequency[i - 1])))
            return "the frequencies are not positive and ascending";
        if (!std::isfinite(c.magnitude[i]) || c.magnitude[i] <= 0)
            return "a magnitude is not a positive number";
        if (!c.phase.empty() && !(std::abs(c.phase[i]) <= 180.0))
            return "a phase is not an angle between -180 and 180 degrees";
    }
    return std::nullopt;
}

double magnitudeResidual(const ImpedanceCurve& c, const FittedDriver& d) {
    double sum = 0;
    for (std::size_t i = 0; i < c.frequency.size(); ++i) {
        const double e = std::abs(modelImpedance(d, c.frequency[i])) / c.magnitude[i] - 1.0;
        sum += e * e;
    }
    return std::sqrt(sum / static_cast<double>(c.frequency.size()));
}

ImpedanceFit refused(std::string reason) {
    ImpedanceFit fit;
    fit.refusal = std::move(reason);
    return fit;
}

}  // namespace

Complex modelImpedance(const FittedDriver& d, double f) {
    const double ratio = f / d.fs;
    const Complex motional = d.Re * d.Qms / d.Qes / Complex(1.0, d.Qms * (ratio - 1.0 / ratio));
    const Complex jwl(0.0, 2.0 * pi * f * d.Le * 1e-3);
    const Complex coil =
        d.model == InductanceModel::Lossy && d.Rp > 0 ? jwl * d.Rp / (d.Rp + jwl) : jwl;
    return d.Re + motional + coil;
}

ImpedanceFit fitImpedance(const ImpedanceCurve& curve) {
    if (const std::optional<std::string> bad = badInput(curve))
        return refused(*bad);
    Measured m{curve, !curve.phase.empty(), {}};
    if (m.withPhase)
        for (std::size_t i = 0; i < curve.frequency.size(); ++i)
            m.z.push_back(std::polar(curve.magnitude[i], curve.phase[i] * kDegree));
    const Start start = threePointStart(m);
    if (!start.x)
        return refused(start.refusal);

    Solution best = levenbergMarquardt(m, *start.x, false);
    InductanceModel model = InductanceModel::Plain;
    if (curve.frequency.back() > kLossyFrom && best.x[LeMh] > 0) {
        Vector lossyStart = best.x;
        // Rp starts well above the coil's reactance at the top of the file.
        lossyStart[Gp] = 0.1 / (2.0 * pi * curve.frequency.back() * best.x[LeMh] * 1e-3);
        const Solution lossy = levenbergMarquardt(m, lossyStart, true);
        if (lossy.converged && lossy.x[Gp] > 0 &&
            lossy.cost < kLossyGain * kLossyGain * best.cost) {
            best = lossy;
            model = InductanceModel::Lossy;
        }
    }
    ImpedanceFit fit;
    fit.driver = driverOf(best.x, model);
    fit.iterations = best.iterations;
    fit.usedPhase = m.withPhase;
    fit.residual = magnitudeResidual(curve, fit.driver);
    if (!best.converged)
        return refused("the fit did not converge");
    if (!(fit.driver.fs > curve.frequency.front() && fit.driver.fs < curve.frequency.back()))
        return refused("the fitted resonance lies outside the file");
    if (!(fit.residual <= kMaxResidual))
        return refused("the curve does not follow a driver in free air (residual " +
                       formatRounded(fit.residual * 100.0, 1, NumberFormat{'.'}) + " %)");
    fit.fitted = true;
    return fit;
}

ImpedanceFitTexts impedanceFitTexts(const ImpedanceFit& fit, NumberFormat format) {
    const FittedDriver& d = fit.driver;
    // f1 and f2 of the fitted model: where |Z| is sqrt(r0)·Re, symmetric around fs.
    const double r0 = 1.0 + d.Qms / d.Qes;
    const double width = std::sqrt(r0) / d.Qms;
    const double upper = width / 2.0 + std::sqrt(width * width / 4.0 + 1.0);
    ImpedanceFitTexts t;
    t.re = showRounded(d.Re, 2, format);
    t.zmax = showRounded(d.Re * r0, 2, format);
    t.fs = showRounded(d.fs, 2, format);
    t.f1 = showRounded(d.fs / upper, 2, format);
    t.f2 = showRounded(d.fs * upper, 2, format);
    t.qms = showRounded(d.Qms, 3, format);
    t.qes = showRounded(d.Qes, 3, format);
    t.qts = showRounded(derived::Qts(d.Qes, d.Qms), 3, format);
    t.le = showRounded(d.Le, 2, format);
    t.modelLine = "Le " + t.le + " mH";
    if (d.model == InductanceModel::Lossy)
        t.modelLine += " || " + showRounded(d.Rp, 1, format) + " Ohm (lossy)";
    t.residualLine = "Residual: " + showRounded(fit.residual * 100.0, 2, format) + " %";
    return t;
}

std::string secondMeasurementLine(const ImpedanceFit& fit, NumberFormat format) {
    if (!fit.fitted)
        return "Fit refused: " + fit.refusal;
    return "Fitted: fs " + showRounded(fit.driver.fs, 2, format) + " Hz, Qes " +
           showRounded(fit.driver.Qes, 3, format) + ", residual " +
           showRounded(fit.residual * 100.0, 2, format) + " %";
}

DriverTransfer fittedTransfer(const ImpedanceFitTexts& texts) {
    DriverTransfer transfer;
    transfer.writes = {{Param::Qms, texts.qms},
                       {Param::Qes, texts.qes},
                       {Param::fs, texts.fs},
                       {Param::Re, texts.re},
                       {Param::Le, texts.le}};
    return transfer;
}

}  // namespace sublumo::tools
