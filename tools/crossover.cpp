#include "crossover.h"

#include <cmath>
#include <initializer_list>

namespace sublumo::tools {

namespace {

// Component values in H and F.
struct Network {
    double l1, c1;         // first order
    double l2, c2;         // second order
    double l31, c3, l32;   // third-order low pass
    double c31, l33, c32;  // third-order high pass
};

Network crossoverNetwork(double z, double fc, CrossoverLevel level) {
    const bool minus3 = level == CrossoverLevel::Minus3dB;
    const double k = minus3 ? 1.0 : 1.2;
    const double w = 2.0 * pi * fc;
    Network n{};
    n.l1 = minus3 ? z / w : std::sqrt(3.0) * z / w;
    n.c1 = minus3 ? 1.0 / (w * z) : 1.0 / (std::sqrt(3.0) * w * z);
    n.l2 = minus3 ? z / (std::sqrt(2.0) * pi * fc) : z / (pi * fc);
    n.c2 = minus3 ? 1.0 / (std::sqrt(8.0) * pi * fc * z) : 1.0 / (4.0 * pi * fc * z);
    n.l31 = 3.0 * z * k / (4.0 * pi * fc);
    n.c3 = 2.0 * k / (3.0 * pi * fc * z);
    n.l32 = z * k / (4.0 * pi * fc);
    n.c31 = 1.0 / (3.0 * pi * fc * z * k);
    n.l33 = 3.0 * z / (8.0 * pi * fc * k);
    n.c32 = 3.0 * n.c31;
    return n;
}

TextLines crossoverLines(const Network& n, CrossoverLevel level, NumberFormat format) {
    const bool minus3 = level == CrossoverLevel::Minus3dB;
    const auto mH = [&](double henry) { return showRounded(henry * 1e3, 2, format) + " mH"; };
    const auto uF = [&](double farad) { return showRounded(farad * 1e6, 2, format) + " uF"; };
    return {
        std::string("1st order - 6 dB (") + (minus3 ? "0" : "-1.2") + " dB):",
        "LP: " + mH(n.l1) + "; HP: " + uF(n.c1) + (minus3 ? "" : " (-)"),
        "",
        minus3 ? "2nd order - 12 dB (Butterworth, +3 dB):"
               : "2nd order - 12 dB (Linkwitz-Riley, 0 dB):",
        "LP: " + mH(n.l2) + " + " + uF(n.c2),
        "HP: " + uF(n.c2) + " + " + mH(n.l2) + " (-)",
        "",
        std::string("3rd order - 18 dB (Butterworth, ") + (minus3 ? "0" : "-0.6") + " dB):",
        "LP: " + mH(n.l31) + " + " + uF(n.c3) + " + " + mH(n.l32),
        "HP: " + uF(n.c31) + " + " + mH(n.l33) + " + " + uF(n.c32),
    };
}

bool allFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

TextLines lPadLines(double z, double a, double p, NumberFormat format) {
    const double r = std::pow(10.0, -a / 20.0);
    const double rp = z * r / (1.0 - r);
    const double rs = z - z * rp / (z + rp);
    const double powerRs = p / z * rs;
    const double driverVoltage = std::sqrt(p * z) * (z * r) / (z * r + rs);
    const double powerRp = driverVoltage * driverVoltage / rp;
    const double powerDriver = driverVoltage * driverVoltage / z;
    if (!allFinite({rp, rs, powerRs, powerRp, powerDriver}))
        return {};
    return {"Rs=" + showRounded(rs, 2, format) + " Ohm (" + showRounded(powerRs, 1, format) + " W)",
            "Rp=" + showRounded(rp, 2, format) + " Ohm (" + showRounded(powerRp, 1, format) + " W)",
            "Power dissipated by driver: " + showRounded(powerDriver, 1, format) + " W"};
}

}  // namespace

CrossoverLevel toggleCrossoverLevel(CrossoverLevel level) {
    return level == CrossoverLevel::Minus3dB ? CrossoverLevel::Minus6dB : CrossoverLevel::Minus3dB;
}

std::string crossoverLevelLabel(CrossoverLevel level) {
    return level == CrossoverLevel::Minus3dB ? "-3 dB" : "-6 dB";
}

CrossoverResult computeCrossover(const CrossoverInputs& in, NumberFormat format) {
    const ReadInput z = readInput(in.z, "8", format);
    const ReadInput fc = readInput(in.fc, "2000", format);
    CrossoverResult out{z.field, fc.field, crossoverLevelLabel(in.level), {}};
    if (!z.value || !fc.value || *z.value <= 0.0 || *fc.value <= 0.0)
        return out;
    const Network n = crossoverNetwork(*z.value, *fc.value, in.level);
    if (!allFinite({n.l1, n.c1, n.l2, n.c2, n.l31, n.c3, n.l32, n.c31, n.l33, n.c32}))
        return out;
    out.lines = crossoverLines(n, in.level, format);
    return out;
}

LPadResult computeLPad(const LPadInputs& in, NumberFormat format) {
    const ReadInput z = readInput(in.z, "8", format);
    const ReadInput a = readInput(in.a, "3", format);
    const ReadInput p = readInput(in.p, "50", format);
    LPadResult out{z.field, a.field, p.field, "(U=0 Vrms)", {}};
    if (!z.value || !p.value)
        return out;
    // The voltage needs only P and Z: an unreadable A empties the box, not the label.
    out.voltageLabel =
        "(U=" + showOrZero(finiteOrNothing(std::sqrt(*p.value * *z.value)), 2, format) + " Vrms)";
    // No attenuation leaves nothing for the parallel resistor to do: Rp would be infinite.
    if (!a.value || *z.value <= 0.0 || *a.value <= 0.0 || *p.value < 0.0)
        return out;
    out.lines = lPadLines(*z.value, *a.value, *p.value, format);
    return out;
}

ZobelResult computeZobel(const ZobelInputs& in, const DriverParameters& driver,
                         NumberFormat format) {
    const ReadInput re = readInput(in.re, driverOrDefault(driver, Param::Re, "6", format), format);
    const ReadInput le = readInput(
        in.le, driverOrDefault(driver, Param::Le, formatNumber(0.8, format), format), format);
    ZobelResult out{re.field, le.field, {}};
    if (!re.value || !le.value || *re.value <= 0.0)
        return out;
    const double r = 1.2 * *re.value;
    const double microfarad = *le.value / (*re.value * *re.value) * 1000.0;
    out.lines = {"R=" + showRounded(r, 2, format) + " Ohm",
                 "C=" + showRounded(microfarad, 2, format) + " uF"};
    return out;
}

}  // namespace sublumo::tools
