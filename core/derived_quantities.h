#pragma once

#include "driver_parameters.h"

// One function per derived driver quantity, each the bare formula in the units of the parameter
// table (g, mm, cm², litres, Hz, Ohm ...). None tests its operands: the solver puts its own
// "every operand > 0, else 0" guard around each line, while the lists compute each quantity on
// its own and take a non-finite result as 0 (finiteOrZero). Operands that do not fit (a zero
// divisor, the root or logarithm of a negative) give a non-finite result, never a trap.
namespace sublumo::derived {

// A failed quantity counts as 0, and so does every quantity built on it.
double finiteOrZero(double value);

double Qts(double qes, double qms);

// The diaphragm: Sd in cm² from Dd in mm, and back.
double Sd(double dd);
double Dd(double sd);
double Mair(double dd);  // g, the air load of both sides
double f4pi(double dd);  // Hz where the piston starts to beam in full space
double f2pi(double dd);  // Hz, the same in half space
double fmax(double dd);  // Hz where the wavelength equals the diameter

double Mmd(double mms, double mair);
double Xmax(double hc, double hg);              // mm, from coil and gap height
double Vd(double sd, double xmax);              // cm³
double EBP(double fs, double qes);              // Hz
double Cms(double fs, double mms);              // mm/N
double Kms(double cms);                         // N/mm
double Rms(double fs, double mms, double qms);  // kg/s
double Vas(double sd, double cms, double c = cair, double density = rho);  // litres
double Vascf(double vas);                                                  // cubic feet
double Rme(double fs, double mms, double qes);                             // kg/s
double Mpow(double rme);                                                   // N/sqrt(W)
double Bl(double fs, double mms, double re, double qes);                   // N/A
double gamma(double bl, double mms);                                       // N/(A·kg)
double Gloss(double fs, double xmax);    // % of Xmax the cone sags under gravity
double Glossmm(double mms, double cms);  // mm
double eta0(double fs, double qes, double vas, double c = cair);  // %
double SPL(double eta0);                                          // dB at 1 W, 1 m
double SPLmax(double pe, double spl);                             // dB at the rated power
double USPL(double re, double spl);                               // dB at 2.83 V
double Zmax(double re, double qms, double qes);                   // Ohm
double Res(double re, double qms, double qes);                    // Ohm
double Lces(double re, double fs, double qes);                    // mH
double Cmes(double re, double fs, double qes);                    // uF

// The same relations read the other way, for a driver whose mass, compliance, resistance or
// motor changed (added mass, an arrangement, a measurement).
double fsFromMassAndCompliance(double mms, double cms);                           // Hz
double MmsFromCompliance(double fs, double cms);                                  // g
double CmsFromVas(double vas, double sd, double c = cair, double density = rho);  // mm/N
double QmsFromRms(double fs, double cms, double rms);
double QesFromBl(double fs, double mms, double re, double bl);

}  // namespace sublumo::derived
