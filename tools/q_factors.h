#pragma once

#include <optional>
#include <string>

#include "calculator_text.h"

namespace sublumo::tools {

// The hint beside "Re" until Re and Zmax describe a resonance peak ("\r" is its line break).
inline constexpr char kQFactorsFirstHint[] = "First fill in\rRe and Zmax";

struct QFactorsInputs {
    std::string re;    // Ohm
    std::string zmax;  // Ohm, the impedance at the free-air resonance
    std::string fs;    // Hz
    std::string f1;    // Hz, below fs where the impedance equals the hint's value
    std::string f2;    // Hz, above fs
};

struct QFactorsResult {
    InputText re, zmax, fs, f1, f2;
    std::string hint;
    bool f1f2Enabled = false;  // the hint enables "f1" and "f2"
    std::string information;   // the line under the inputs
    std::string qms, qes, qts;
    bool okEnabled = false;
};

QFactorsResult computeQFactors(const QFactorsInputs& in, NumberFormat format);

// The three-point estimate behind the calculator: from the peak ratio r0 = Zmax / Re, fs and
// the frequencies f1 < fs < f2 where the impedance is sqrt(r0)·Re. Nothing when they do not
// describe a peak.
struct ThreePointQ {
    double qms = 0.0;
    double qes = 0.0;
    double qts = 0.0;
};
std::optional<ThreePointQ> threePointQ(double r0, double fs, double f1, double f2);

// "OK": the results with the fs and Re they came from.
DriverTransfer qFactorsTransfer(const QFactorsResult& result);

}  // namespace sublumo::tools
