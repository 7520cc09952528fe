#pragma once

#include <cmath>

#include "driver_parameters.h"

// One function per derived driver quantity, each the bare formula in the units of the parameter
// table (g, mm, cm², litres, Hz, Ohm ...). None tests its operands: the solver puts its own
// "every operand > 0, else 0" guard around each line, while the lists compute each quantity on
// its own and take a non-finite result as 0 (finiteOrZero). Operands that do not fit (a zero
// divisor, the root or logarithm of a negative) give a non-finite result, never a trap.
// The order of operations is part of each formula: the page shows rounded values, and the same
// driver must give the same digits wherever it is computed.
namespace sublumo::derived {

inline constexpr double twoPi = 2.0 * pi;

// A failed quantity counts as 0, and so does every quantity built on it.
inline double finiteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

inline double Qts(double qes, double qms) {
    return qes * qms / (qes + qms);
}

// The diaphragm: Sd in cm² from Dd in mm, and back.
inline double Sd(double dd) {
    return dd * dd * pi / 400.0;
}

inline double Dd(double sd) {
    return 10.0 * std::sqrt(4.0 * sd / pi);
}

inline double Mair(double dd) {  // g, the air load of both sides
    return rho / 3.0 * dd * dd * dd * 1e-6;
}

inline double f4pi(double dd) {  // Hz where the piston starts to beam in full space
    return cair / (pi * (dd * 1e-3));
}

inline double f2pi(double dd) {  // Hz, the same in half space
    return 2.0 * cair / (pi * (dd * 1e-3));
}

inline double fmax(double dd) {  // Hz where the wavelength equals the diameter
    return cair / (dd * 1e-3);
}

inline double Mmd(double mms, double mair) {
    return mms - mair;
}

inline double Xmax(double hc, double hg) {  // mm, from coil and gap height
    return std::abs(hc - hg) / 2.0;
}

inline double Vd(double sd, double xmax) {  // cm³
    return sd * xmax * 0.1;
}

inline double EBP(double fs, double qes) {  // Hz
    return fs / qes;
}

inline double Cms(double fs, double mms) {  // mm/N
    return 1.0 / (std::pow(twoPi * fs, 2) * mms * 1e-6);
}

inline double Kms(double cms) {  // N/mm
    return 1.0 / cms;
}

inline double Rms(double fs, double mms, double qms) {  // kg/s
    return twoPi * fs * mms * 1e-3 / qms;
}

inline double Vas(double sd, double cms, double c = cair, double density = rho) {  // litres
    return std::pow(sd, 2) * cms * c * c * density * 1e-8;
}

inline double Vascf(double vas) {  // cubic feet
    return vas / litresPerCubicFoot;
}

inline double Rme(double fs, double mms, double qes) {  // kg/s
    return twoPi * fs * mms * 1e-3 / qes;
}

inline double Mpow(double rme) {  // N/sqrt(W)
    return std::sqrt(rme);
}

inline double Bl(double fs, double mms, double re, double qes) {  // N/A
    return std::sqrt(twoPi * fs * mms * re * 1e-3 / qes);
}

inline double gamma(double bl, double mms) {  // N/(A·kg)
    return bl / mms * 1e3;
}

inline double Gloss(double fs, double xmax) {  // % of Xmax the cone sags under gravity
    return ga / std::pow(twoPi * fs, 2) / xmax * 1e5;
}

inline double Glossmm(double mms, double cms) {  // mm
    return mms * cms * ga * 1e-3;
}

inline double eta0(double fs, double qes, double vas, double c = cair) {  // %
    return std::pow(twoPi, 2) / std::pow(c, 3) * std::pow(fs, 3) / qes * vas * 0.1;
}

inline double SPL(double eta0) {  // dB at 1 W, 1 m
    return 10.0 * std::log10(eta0 / splReference);
}

inline double SPLmax(double pe, double spl) {  // dB at the rated power
    return 10.0 * std::log10(pe) + spl - 3.0;
}

inline double USPL(double re, double spl) {  // dB at 2.83 V
    return 10.0 * std::log10(8.0 / re) + spl;
}

inline double Zmax(double re, double qms, double qes) {  // Ohm
    return (qms / qes + 1.0) * re;
}

inline double Res(double re, double qms, double qes) {  // Ohm
    return re * qms / qes;
}

inline double Lces(double re, double fs, double qes) {  // mH
    return re / (twoPi * fs * qes) * 1e3;
}

inline double Cmes(double re, double fs, double qes) {  // uF
    return qes / (twoPi * fs * re) * 1e6;
}

// The same relations read the other way, for a driver whose mass, compliance, resistance or
// motor changed (added mass, an arrangement, a measurement).
inline double fsFromMassAndCompliance(double mms, double cms) {  // Hz
    return 1000.0 / (twoPi * std::sqrt(mms * cms));
}

inline double MmsFromCompliance(double fs, double cms) {  // g
    return Cms(fs, cms);  // the resonance relation is symmetric in mass and compliance
}

inline double CmsFromVas(double vas, double sd, double c = cair, double density = rho) {  // mm/N
    return vas / (density * c * c * sd * sd * 1e-8);
}

inline double QmsFromRms(double fs, double cms, double rms) {
    return 1000.0 / (twoPi * fs * cms * rms);
}

inline double QesFromBl(double fs, double mms, double re, double bl) {
    return twoPi * fs * mms * re / (bl * bl) * 0.001;
}

}  // namespace sublumo::derived
