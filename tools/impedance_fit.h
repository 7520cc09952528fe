#pragma once

#include <complex>
#include <cstddef>
#include <string>
#include <vector>

#include "calculator_text.h"

namespace sublumo::tools {

// A measured free-air impedance: magnitude in Ohm, phase in degrees (empty when the file has
// none), frequency ascending in Hz.
struct ImpedanceCurve {
    std::vector<double> frequency;
    std::vector<double> magnitude;
    std::vector<double> phase;
};

// Plain: the voice coil as Le alone. Lossy: Le with the resistance Rp in parallel, which follows
// the eddy-current losses of a real coil above a few hundred hertz.
enum class InductanceModel { Plain, Lossy };

// The driver model the fit adjusts: Re, the motional parallel resonance (fs, Qms, Qes) and the
// coil's inductance.
struct FittedDriver {
    double Re = 0;  // Ohm
    double fs = 0;  // Hz
    double Qms = 0;
    double Qes = 0;
    double Le = 0;  // mH
    double Rp = 0;  // Ohm, parallel to Le; only for the lossy model
    InductanceModel model = InductanceModel::Plain;
};

std::complex<double> modelImpedance(const FittedDriver& driver, double f);

// Files beyond these sizes are not measurements of one driver.
inline constexpr std::size_t kMinFitPoints = 10;
inline constexpr std::size_t kMaxFitPoints = 200000;
inline constexpr std::size_t kMaxImpedanceFileBytes = 10 * 1024 * 1024;

struct ImpedanceFit {
    bool fitted = false;
    std::string refusal;  // why there is no fit, when fitted is false
    FittedDriver driver;
    double residual = 0;  // rms of the relative magnitude error, 0.01 = 1 %
    bool usedPhase = false;
    int iterations = 0;
};

// Least squares on the complex impedance (on the magnitude when the curve has no phase),
// started from the three-point estimate read off the curve. The lossy inductance is tried when
// the curve reaches above 1 kHz and kept when it fits clearly better.
ImpedanceFit fitImpedance(const ImpedanceCurve& curve);

// The fit as the Q-factors panel shows it: the calculator's inputs filled so that its own
// three-point arithmetic gives the fitted Q-factors, and the lines beside them.
struct ImpedanceFitTexts {
    std::string re, zmax, fs, f1, f2;  // 2 decimals
    std::string qms, qes, qts;         // 3 decimals
    std::string le;                    // mH, 2 decimals
    std::string modelLine;             // "Le 0.45 mH" or "Le 0.45 mH || 24.1 Ohm (lossy)"
    std::string residualLine;          // "Residual: 0.82 %"
};

ImpedanceFitTexts impedanceFitTexts(const ImpedanceFit& fit, NumberFormat format);

// "Fit refused: <reason>" for a refusal, otherwise the fitted fs, Qes and residual of a second
// measurement.
std::string secondMeasurementLine(const ImpedanceFit& fit, NumberFormat format);

// The driver's fields the "OK" of the Q-factors panel writes after a fit: the three-point
// transfer with Le added.
DriverTransfer fittedTransfer(const ImpedanceFitTexts& texts);

}  // namespace sublumo::tools
