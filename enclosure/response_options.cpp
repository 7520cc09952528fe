#include "response_options.h"

#include <cmath>

#include "driver_parameters.h"

namespace sublumo::enclosure {

namespace {

std::optional<double> readUnsigned(const std::string& text, NumberFormat format) {
    return parseDecimal(text, format, SignRule::Unsigned);
}

std::optional<LinkwitzCircuit> designCircuit(double fp, double Qp, double C2uF, double f0,
                                             double Q0) {
    LinkwitzCircuit c;
    c.fp = fp;
    c.Qp = Qp;
    c.C2 = C2uF * 1e-6;
    c.k = (f0 / fp - Q0 / Qp) / (Q0 / Qp - fp / f0);
    c.R1 = 1.0 / (2.0 * pi * f0 * c.C2 * 2.0 * Q0 * (1.0 + c.k));
    c.R2 = 2.0 * c.k * c.R1;
    c.R3 = (f0 / fp) * (f0 / fp) * c.R1;
    const double stage = 2.0 * Q0 * (1.0 + c.k);
    c.C1 = stage * stage * c.C2;
    c.C3 = (fp / f0) * (fp / f0) * c.C1;
    c.gain = 40.0 * std::log10(f0 / fp);
    for (double v : {c.k, c.R1, c.R2, c.R3, c.C1, c.C3, c.gain})
        if (!std::isfinite(v))
            return std::nullopt;
    return c;
}

}  // namespace

CabinGain computeCabinGain(const std::string& lmaxText, NumberFormat format) {
    CabinGain g;
    g.lmax = lmaxText.empty() ? formatNumber(2.2, format) : lmaxText;
    const auto lmax = readUnsigned(g.lmax, format);
    if (lmax && *lmax > 0)
        g.fcg = cair / (2.0 * *lmax);
    if (!std::isfinite(g.fcg))
        g.fcg = 0;
    g.fcgText = g.fcg <= 0 ? std::string("0") : formatRounded(g.fcg, 1, format);
    return g;
}

double cabinGainTerm(double f, double fcg) {
    const double x = (f / fcg) * (f / fcg);
    return 10.0 * std::log10(x * x / ((x - 1.0) * (x - 1.0) + x / 0.5));
}

std::string defaultLinkwitzFp(double fc, NumberFormat format) {
    return formatRounded(fc / 1.5, 1, format);
}

LinkwitzResult computeLinkwitzCircuit(const LinkwitzTexts& texts, double f0, double Q0,
                                      NumberFormat format) {
    LinkwitzResult r;
    r.inputs = texts;
    if (r.inputs.fp.empty())
        r.inputs.fp = defaultLinkwitzFp(f0, format);
    if (r.inputs.Qp.empty())
        r.inputs.Qp = formatNumber(0.707, format);
    if (r.inputs.C2.empty())
        r.inputs.C2 = formatNumber(0.1, format);
    const auto fp = readUnsigned(r.inputs.fp, format);
    const auto qp = readUnsigned(r.inputs.Qp, format);
    const auto c2 = readUnsigned(r.inputs.C2, format);
    if (fp && qp && c2)
        r.circuit = designCircuit(*fp, *qp, *c2, f0, Q0);
    if (!r.circuit) {
        r.inputs = {"0", "0", "0"};
        for (std::string* text : {&r.R1, &r.R2, &r.R3, &r.C1, &r.C3, &r.gain}) text->assign(1, '0');
        return r;
    }
    const LinkwitzCircuit& c = *r.circuit;
    r.R1 = formatRounded(c.R1 / 1000.0, 2, format);
    r.R2 = formatRounded(c.R2 / 1000.0, 2, format);
    r.R3 = formatRounded(c.R3 / 1000.0, 2, format);
    r.C1 = formatRounded(c.C1 * 1e6, 2, format);
    r.C3 = formatRounded(c.C3 * 1e6, 2, format);
    r.gain = formatRounded(c.gain, 2, format);
    return r;
}

double linkwitzResponse(double f, const LinkwitzCircuit& c) {
    const double w = 2.0 * pi * f;
    const auto magnitude = [w, &c](double r, double cap) {
        const double real = 1.0 - w * w * cap * c.C2 * r * r;
        const double imag = w * c.C2 * (2.0 * r + c.R2);
        return std::sqrt(real * real + imag * imag);
    };
    const double n = magnitude(c.R1, c.C1);
    const double d = magnitude(c.R3, c.C3);
    const double h = (c.R3 / c.R1) * n / d * std::sqrt(std::pow(w * c.R3 * c.C3, 2) + 4.0) /
                     std::sqrt(std::pow(w * c.R1 * c.C1, 2) + 4.0);
    return 20.0 * std::log10(h);
}

}  // namespace sublumo::enclosure
