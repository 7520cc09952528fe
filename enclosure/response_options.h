#pragma once

#include <optional>
#include <string>

#include "number_text.h"

namespace sublumo::enclosure {

// Cabin gain: a closed space pressurises below the frequency of its longest dimension.
struct CabinGain {
    std::string lmax;  // the field's text, its default put in when it was empty
    std::string fcgText;
    double fcg = 0;  // Hz; 0 when lmax is not a positive number
};

CabinGain computeCabinGain(const std::string& lmaxText, NumberFormat format);

// The gain term G(f) of a second-order Butterworth high-pass at fcg; the curve with cabin gain
// is R − G.
double cabinGainTerm(double f, double fcg);

// The texts of the " Linkwitz transform " fields and its circuit panel.
struct LinkwitzTexts {
    // Empty texts receive the defaults: fc / 1.5, 0.707 and 0.1.
    std::string fp;
    std::string Qp;
    std::string C2;
};

struct LinkwitzCircuit {
    double fp = 0;  // Hz
    double Qp = 0;
    double C2 = 0;  // F
    double k = 0;
    double R1 = 0;  // Ohm
    double R2 = 0;
    double R3 = 0;
    double C1 = 0;    // F
    double C3 = 0;    // F
    double gain = 0;  // dB at DC

    bool operator==(const LinkwitzCircuit&) const = default;
};

struct LinkwitzResult {
    LinkwitzTexts inputs;                    // defaults put in, or all "0" after a failure
    std::string R1, R2, R3, C1, C3, gain;    // kOhm, uF and dB texts
    std::optional<LinkwitzCircuit> circuit;  // empty after a failure: no curves
};

// fp's text when the field is empty or the transform is switched on with fp at 0.
std::string defaultLinkwitzFp(double fc, NumberFormat format);

// f0 and Q0 are the closed box's fc and Qtc.
LinkwitzResult computeLinkwitzCircuit(const LinkwitzTexts& texts, double f0, double Q0,
                                      NumberFormat format);

// The equaliser's own response in dB.
double linkwitzResponse(double f, const LinkwitzCircuit& circuit);

}  // namespace sublumo::enclosure
