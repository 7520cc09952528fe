#include "response.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>

#include "number_text.h"

namespace sublumo::enclosure {
namespace {

using Complex = std::complex<double>;

EquivalentDriver driver(double fs, double Qts, double Vas) {
    EquivalentDriver e;
    e.fs = fs;
    e.Qts = Qts;
    e.Vas = Vas;
    return e;
}

double dB(Complex h) {
    return 20.0 * std::log10(std::abs(h));
}

// Second-order high-pass with s normalised to the box resonance.
double closedReference(double f, const ClosedDesign& b) {
    const Complex s(0.0, f / b.fc);
    return dB(s * s / (s * s + s / b.Qtc + 1.0));
}

// Small's vented-box form, s normalised to T0 = 1/√(ωs·ωb), with leakage losses QL.
double ventedReference(double f, const VentedDesign& b, const EquivalentDriver& e) {
    const double h = b.fb / e.fs;
    const double alpha = e.Vas / b.Vb;
    const double q = e.Qts;
    const double ql = kVentedQL;
    const double a1 = (ql + h * q) / (std::sqrt(h) * ql * q);
    const double a2 = (h + (alpha + 1.0 + h * h) * ql * q) / (h * ql * q);
    const double a3 = (h * ql + q) / (std::sqrt(h) * ql * q);
    const Complex s(0.0, f / std::sqrt(e.fs * b.fb));
    const Complex s2 = s * s;
    return dB(s2 * s2 / (s2 * s2 + a1 * s2 * s + a2 * s2 + a3 * s + 1.0));
}

// Acoustic circuit of the bandpass: driver and rear compliance in the loop, front compliance,
// port mass and leakage in parallel; the port radiates. Normalised to the driver's passband.
double bandpassReference(double f, const BandpassDesign& b, const EquivalentDriver& e) {
    const double ws = 2.0 * pi * e.fs;
    const double wb = 2.0 * pi * b.fb;
    const double cas = 1.0;
    const double mas = 1.0 / (ws * ws * cas);
    const double rat = 1.0 / (ws * e.Qts * cas);
    const double car = cas * b.Vr / e.Vas;
    const double caf = cas * b.Vf / e.Vas;
    const double map = 1.0 / (wb * wb * caf);
    const double ral = kBandpassQL / (wb * caf);
    const Complex s(0.0, 2.0 * pi * f);
    const Complex front = 1.0 / (s * caf + 1.0 / (s * map) + 1.0 / ral);
    const Complex loop = s * mas + rat + 1.0 / (s * cas) + 1.0 / (s * car) + front;
    return dB(mas * front / (map * loop));
}

TEST(FrequencyGrid, TwoHundredOneLogarithmicPoints) {
    const Curve& g = frequencyGrid();
    EXPECT_EQ(formatNumber(g[0], {}), "20");
    EXPECT_EQ(formatNumber(g[100], {}), "100");
    EXPECT_EQ(formatNumber(g[200], {}), "500");
    for (int i = 1; i < kGridPoints; ++i) EXPECT_NEAR(g[i] / g[i - 1], std::pow(5.0, 0.01), 1e-12);
}

TEST(Response, MatchesTheTransferFunctionsOverTheWholeGrid) {
    const EquivalentDriver e = driver(30.0, 0.4, 50.0);
    const ClosedDesign closed{42.43, 0.566};
    const VentedDesign vented{48.62, 30.26};
    const BandpassDesign bandpass{22.84, 15.68, 53.57};
    const Curve rc = computeResponse(closed, e);
    const Curve rv = computeResponse(vented, e);
    const Curve rb = computeResponse(bandpass, e);
    for (int i = 0; i < kGridPoints; ++i) {
        const double f = frequencyGrid()[i];
        SCOPED_TRACE(f);
        EXPECT_NEAR(rc[i], closedReference(f, closed), 1e-9);
        EXPECT_NEAR(rv[i], ventedReference(f, vented, e), 1e-9);
        EXPECT_NEAR(rb[i], bandpassReference(f, bandpass, e), 1e-9);
    }
}

TEST(Response, ClosedBoxAtResonanceIsQtc) {
    const ClosedDesign b{50.0, std::sqrt(0.5)};
    EXPECT_NEAR(closedResponse(50.0, b), 20.0 * std::log10(std::sqrt(0.5)), 1e-12);
    EXPECT_NEAR(closedResponse(50.0, b), -3.0103, 1e-4);
}

// dB per octave at frequency f.
template <class Response>
double octaveSlope(Response r, double f) {
    return r(2.0 * f) - r(f);
}

TEST(Response, SlopesAndPassband) {
    const EquivalentDriver e = driver(30.0, 0.4, 50.0);
    const ClosedDesign c{50.0, 0.707};
    const VentedDesign v{48.62, 30.26};
    const BandpassDesign b{22.84, 15.68, 53.57};
    const auto rc = [&](double f) { return closedResponse(f, c); };
    const auto rv = [&](double f) { return ventedResponse(f, v, e); };
    const auto rb = [&](double f) { return bandpassResponse(f, b, e); };
    EXPECT_NEAR(octaveSlope(rc, 0.5), 12.04, 0.01);
    EXPECT_NEAR(octaveSlope(rv, 0.5), 24.08, 0.05);
    EXPECT_NEAR(octaveSlope(rb, 0.5), 12.04, 0.01);
    EXPECT_NEAR(octaveSlope(rb, 40000.0), -12.04, 0.01);
    EXPECT_NEAR(rc(20000.0), 0.0, 0.001);
    EXPECT_NEAR(rv(20000.0), 0.0, 0.01);
    // The flat bandpass alignment peaks at 0 dB within its passband.
    const Curve rbCurve = computeResponse(b, e);
    EXPECT_NEAR(*std::max_element(rbCurve.begin(), rbCurve.end()), 0.0, 0.05);
}

}  // namespace
}  // namespace sublumo::enclosure
