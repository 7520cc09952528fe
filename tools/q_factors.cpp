#include "q_factors.h"

#include <cmath>

#include "derived_quantities.h"

namespace sublumo::tools {

namespace {

constexpr char kZero[] = "0";

bool f2Fits(double fs, double f1, double f2) {
    return f2 > 0.0 && f1 < f2 && f2 > fs;
}

// The Q-factors need the peak ratio r0 of the hint step; without it nothing is computed.
std::optional<ThreePointQ> qValues(std::optional<double> r0, double fs, double f1, double f2) {
    if (!r0)
        return {};
    return threePointQ(*r0, fs, f1, f2);
}

std::string informationLine(double fs, double f1, std::optional<double> f2, NumberFormat format) {
    const double f2sym = fs * fs / f1;
    std::string line = "f2sym: " + showRounded(f2sym, 1, format) + " Hz";
    if (f2 && f2Fits(fs, f1, *f2)) {
        const double shift = *f2 * 100.0 / f2sym - 100.0;
        line += " (shift: " + plusSign(shift, 1) + showRounded(shift, 1, format) + " %)";
    }
    return line;
}

}  // namespace

QFactorsResult computeQFactors(const QFactorsInputs& in, NumberFormat format) {
    const ReadInput re = readInput(in.re, kZero, format);
    const ReadInput zmax = readInput(in.zmax, kZero, format);
    const ReadInput fs = readInput(in.fs, kZero, format);
    const ReadInput f1 = readInput(in.f1, kZero, format);
    const ReadInput f2 = readInput(in.f2, kZero, format);

    QFactorsResult out;
    out.re = re.field;
    out.zmax = zmax.field;
    out.fs = fs.field;
    out.f1 = f1.field;
    out.f2 = f2.field;
    std::optional<double> r0;
    if (re.value && zmax.value && *re.value > 0.0 && *zmax.value > 0.0 && *re.value < *zmax.value) {
        r0 = *zmax.value / *re.value;
        out.hint =
            "At " + showRounded(std::sqrt(*r0) * *re.value, 2, format) + " Ohm\rfind f1 and f2";
        out.f1f2Enabled = true;
    } else {
        out.hint = kQFactorsFirstHint;
    }

    std::optional<ThreePointQ> q;
    if (fs.value && f1.value && *fs.value > 0.0 && *f1.value > 0.0 && *f1.value < *fs.value) {
        out.information = informationLine(*fs.value, *f1.value, f2.value, format);
        if (f2.value)
            q = qValues(r0, *fs.value, *f1.value, *f2.value);
    }
    const ThreePointQ shown = q.value_or(ThreePointQ{});
    out.qms = showRounded(shown.qms, 3, format);
    out.qes = showRounded(shown.qes, 3, format);
    out.qts = showRounded(shown.qts, 3, format);
    out.okEnabled = out.qes != kZero;
    return out;
}

std::optional<ThreePointQ> threePointQ(double r0, double fs, double f1, double f2) {
    if (!f2Fits(fs, f1, f2))
        return {};
    ThreePointQ q;
    q.qms = std::sqrt(r0) * fs / (f2 - f1);
    q.qes = q.qms / (r0 - 1.0);
    q.qts = derived::Qts(q.qes, q.qms);
    if (!std::isfinite(q.qms) || !std::isfinite(q.qes) || !std::isfinite(q.qts))
        return {};
    return q;
}

DriverTransfer qFactorsTransfer(const QFactorsResult& result) {
    DriverTransfer transfer;
    transfer.writes = {{Param::Qms, result.qms},
                       {Param::Qes, result.qes},
                       {Param::fs, result.fs.text},
                       {Param::Re, result.re.text}};
    return transfer;
}

}  // namespace sublumo::tools
