#include "derived_quantities.h"

#include <cmath>

// The order of operations is part of each formula: the page shows rounded values, and the same
// driver must give the same digits wherever it is computed.
namespace sublumo::derived {

namespace {
constexpr double twoPi = 2.0 * pi;
}

double finiteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

double Qts(double qes, double qms) {
    return qes * qms / (qes + qms);
}

double Sd(double dd) {
    return dd * dd * pi / 400.0;
}

double Dd(double sd) {
    return 10.0 * std::sqrt(4.0 * sd / pi);
}

double Mair(double dd) {
    return rho / 3.0 * dd * dd * dd * 1e-6;
}

double f4pi(double dd) {
    return cair / (pi * (dd * 1e-3));
}

double f2pi(double dd) {
    return 2.0 * cair / (pi * (dd * 1e-3));
}

double fmax(double dd) {
    return cair / (dd * 1e-3);
}

double Mmd(double mms, double mair) {
    return mms - mair;
}

double Xmax(double hc, double hg) {
    return std::abs(hc - hg) / 2.0;
}

double Vd(double sd, double xmax) {
    return sd * xmax * 0.1;
}

double EBP(double fs, double qes) {
    return fs / qes;
}

double Cms(double fs, double mms) {
    return 1.0 / (std::pow(twoPi * fs, 2) * mms * 1e-6);
}

double Kms(double cms) {
    return 1.0 / cms;
}

double Rms(double fs, double mms, double qms) {
    return twoPi * fs * mms * 1e-3 / qms;
}

double Vas(double sd, double cms, double c, double density) {
    return std::pow(sd, 2) * cms * c * c * density * 1e-8;
}

double Vascf(double vas) {
    return vas / litresPerCubicFoot;
}

double Rme(double fs, double mms, double qes) {
    return twoPi * fs * mms * 1e-3 / qes;
}

double Mpow(double rme) {
    return std::sqrt(rme);
}

double Bl(double fs, double mms, double re, double qes) {
    return std::sqrt(twoPi * fs * mms * re * 1e-3 / qes);
}

double gamma(double bl, double mms) {
    return bl / mms * 1e3;
}

double Gloss(double fs, double xmax) {
    return ga / std::pow(twoPi * fs, 2) / xmax * 1e5;
}

double Glossmm(double mms, double cms) {
    return mms * cms * ga * 1e-3;
}

double eta0(double fs, double qes, double vas, double c) {
    return std::pow(twoPi, 2) / std::pow(c, 3) * std::pow(fs, 3) / qes * vas * 0.1;
}

double SPL(double eta0) {
    return 10.0 * std::log10(eta0 / splReference);
}

double SPLmax(double pe, double spl) {
    return 10.0 * std::log10(pe) + spl - 3.0;
}

double USPL(double re, double spl) {
    return 10.0 * std::log10(8.0 / re) + spl;
}

double Zmax(double re, double qms, double qes) {
    return (qms / qes + 1.0) * re;
}

double Res(double re, double qms, double qes) {
    return re * qms / qes;
}

double Lces(double re, double fs, double qes) {
    return re / (twoPi * fs * qes) * 1e3;
}

double Cmes(double re, double fs, double qes) {
    return qes / (twoPi * fs * re) * 1e6;
}

double fsFromMassAndCompliance(double mms, double cms) {
    return 1000.0 / (twoPi * std::sqrt(mms * cms));
}

double MmsFromCompliance(double fs, double cms) {
    return Cms(fs, cms);  // the resonance relation is symmetric in mass and compliance
}

double CmsFromVas(double vas, double sd, double c, double density) {
    return vas / (density * c * c * sd * sd * 1e-8);
}

double QmsFromRms(double fs, double cms, double rms) {
    return 1000.0 / (twoPi * fs * cms * rms);
}

double QesFromBl(double fs, double mms, double re, double bl) {
    return twoPi * fs * mms * re / (bl * bl) * 0.001;
}

}  // namespace sublumo::derived
