#pragma once

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

// "OK": the results with the fs and Re they came from.
DriverTransfer qFactorsTransfer(const QFactorsResult& result);

}  // namespace sublumo::tools
