#include "lumped_model.h"

#include <cmath>

namespace sublumo::enclosure {

namespace {

// A complex value with its derivative by ω: carrying the derivative through the circuit gives
// the group delay −d(arg p)/dω exactly, with no phase unwrapping.
struct Dual {
    Complex v;
    Complex d;
    Dual(double x) : v(x) {}  // implicit: constants enter the circuit as they are
    Dual(Complex value, Complex derivative) : v(value), d(derivative) {}
};

Dual operator+(const Dual& a, const Dual& b) {
    return {a.v + b.v, a.d + b.d};
}
Dual operator*(const Dual& a, const Dual& b) {
    return {a.v * b.v, a.d * b.v + a.v * b.d};
}
Dual operator/(const Dual& a, const Dual& b) {
    return {a.v / b.v, (a.d * b.v - a.v * b.d) / (b.v * b.v)};
}

// a / b: the Dual's own division; for plain values without the library's guards against
// infinities, which a finite circuit never meets and which cost most of a sweep.
Dual divide(const Dual& a, const Dual& b) {
    return a / b;
}
Complex divide(const Complex& a, const Complex& b) {
    return a * std::conj(b) / std::norm(b);
}

// s = jω with dω/dω = 1.
Dual laplace(double omega) {
    return {Complex(0.0, omega), Complex(0.0, 1.0)};
}

double groupDelay(const Dual& x) {
    return -(x.d / x.v).imag();
}

double compliance(double litres, const AirConstants& air) {
    return litres * 1e-3 / (air.rho * air.c * air.c);
}

// A vented chamber: its compliance, the vent mass tuned with it to fb and the loss QL across it.
struct Chamber {
    double C = 0;
    double Mv = 0;
    double Rl = 0;
};

Chamber ventedChamber(double litres, double fb, double QL, const AirConstants& air) {
    const double wb = 2.0 * pi * fb;
    Chamber c;
    c.C = compliance(litres, air);
    c.Mv = 1.0 / (wb * wb * c.C);
    c.Rl = QL / (wb * c.C);
    return c;
}

Dual admittance(const Chamber& c, const Dual& s) {
    return s * c.C + Dual(1.0) / (s * c.Mv) + Dual(1.0) / c.Rl;
}

// What the rear of the cone works into, as the fraction num / den, kept apart so that a
// lossless vent at its tuning (den = 0) still gives finite flows. The radiated and the vent
// flow are radiated and vent times S·Bl / D, D the common denominator of the circuit.
// Carried as Dual for the model's points, as plain Complex where no group delay is asked for.
template <class T>
struct LoadOf {
    T num;
    T den;
    T radiated;
    T vent;
    T radiator = 0.0;
};
using Load = LoadOf<Dual>;

Load sealedLoad(const SealedBox& b, const Dual& s, const AirConstants& air) {
    const double effective = b.Vb * b.ff;
    if (std::isinf(effective))
        return {0.0, 1.0, 1.0, 0.0};
    const Dual den = s * compliance(effective, air);
    return {1.0, den, den, 0.0};
}

// The box's flow leaves through the vent and the leak and radiates with the cone; what stays
// is the compression of the box air, which is what the outside sees.
Load portedLoad(const PortedBox& b, const Dual& s, const AirConstants& air) {
    const Chamber c = ventedChamber(b.Vb, b.fb, b.QL, air);
    return {1.0, admittance(c, s), s * c.C, Dual(1.0) / (s * c.Mv)};
}

Load bandpassLoad(const BandpassChambers& b, const Dual& s, const AirConstants& air) {
    const Chamber front = ventedChamber(b.Vf, b.fb, b.QL, air);
    const Dual rear = s * compliance(b.Vr, air);
    const Dual yf = admittance(front, s);
    const Dual vent = rear / (s * front.Mv);
    return {yf + rear, rear * yf, vent, vent};
}

// The radiators' branch kept as Np·Sp² / Zp, so that a lossless radiator at its own resonance
// (Zp = 0) stops the box pressure there without dividing by zero: num is Zp.
struct Radiators {
    double cab, mass, cmp, rmp, rl, branch;
};

Radiators radiators(const PassiveRadiatorBox& b, const AirConstants& air) {
    const double cab = compliance(b.Vb, air);
    const double sp = b.Sp * 1e-4;
    const double cmp = b.Cmp * 1e-3;
    return {cab,
            (b.Mmp + b.Mplus) * 1e-3,
            cmp,
            std::sqrt(b.Mmp * 1e-3 / cmp) / b.Qmp,
            b.QL / (2.0 * pi * radiatorBoxTuning(b, air) * cab),
            b.Np * sp * sp};
}

template <class T>
LoadOf<T> radiatorLoad(const Radiators& r, const T& s) {
    const T zp = s * r.mass + r.rmp + divide(T(1.0), s * r.cmp);
    const T den = (s * r.cab + T(1.0) / r.rl) * zp + r.branch;
    return {zp, den, s * r.cab * zp, 0.0, r.branch};
}

Load boxLoad(const LumpedBox& box, const Dual& s, const AirConstants& air) {
    if (const auto* b = std::get_if<SealedBox>(&box))
        return sealedLoad(*b, s, air);
    if (const auto* b = std::get_if<PortedBox>(&box))
        return portedLoad(*b, s, air);
    if (const auto* b = std::get_if<PassiveRadiatorBox>(&box))
        return radiatorLoad(radiators(*b, air), s);
    return bandpassLoad(std::get<BandpassChambers>(box), s, air);
}

// The driver working into a load: k is the mechanical impedance of cone and load times den,
// drive the cone's flow per den.
template <class T>
struct Circuit {
    T k;
    T coil;
    T bl2den;
    T drive;
};

template <class T>
Circuit<T> solve(const LumpedDriver& l, const LoadOf<T>& load, const T& s) {
    const T k = (s * l.M + l.Rms + divide(T(1.0), s * l.Cms)) * load.den + load.num * (l.S * l.S);
    const T coil = s * l.Le + l.Re;
    const T bl2den = load.den * (l.Bl * l.Bl);
    const T common = (coil + l.Rs) * k + bl2den;
    return {k, coil, bl2den, divide(T(l.S * l.Bl), common)};
}

}  // namespace

LumpedDriver lumpedDriver(const DriverParameters& driver, const DriverArrangement& arrangement,
                          const EquivalentDriver& e) {
    const double n = arrangement.N;
    const double re = driver.value(Param::Re);
    LumpedDriver l;
    l.M = n * e.Mms * 1e-3;
    l.Cms = driver.value(Param::Cms) * 1e-3 / n;
    l.Rms = n * driver.value(Param::Rms);
    l.Bl = e.Bl;
    l.S = n * driver.value(Param::Sd) * e.iso * 1e-4;
    l.Re = e.Re * e.kT;
    l.Le = re > 0 ? driver.value(Param::Le) * 1e-3 * e.Re / re : 0.0;
    l.Rs = e.Rs;
    l.Rtot = e.Rtot;
    l.N = arrangement.N;
    l.Xmax = driver.value(Param::Xmax);
    l.Pe = driver.value(Param::Pe);
    return l;
}

bool hasVent(const LumpedBox& box) {
    return std::holds_alternative<PortedBox>(box) || std::holds_alternative<BandpassChambers>(box);
}

double ventArea(const LumpedBox& box) {
    if (const auto* b = std::get_if<PortedBox>(&box))
        return b->Sv * 1e-6;
    if (const auto* b = std::get_if<BandpassChambers>(&box))
        return b->Sv * 1e-6;
    return 0.0;
}

ModelPoint evaluateModel(const LumpedDriver& l, const LumpedBox& box, double f, double d,
                         const AirConstants& air) {
    const double w = 2.0 * pi * f;
    const Dual s = laplace(w);
    const Load load = boxLoad(box, s, air);
    const auto [k, coil, bl2den, drive] = solve(l, load, s);
    // The distance only scales the pressure: the group delay is taken before it, so that it
    // stays finite at d = 0.
    const Dual radiated = s * drive * load.radiated;
    const Complex pressure = radiated.v * (air.rho / (2.0 * pi * d));
    return {(coil + bl2den / k).v, (drive * load.den / l.S).v, (drive * load.vent).v, pressure,
            groupDelay(radiated),  (drive * load.radiator).v};
}

void radiatorFlows(const LumpedDriver& l, const PassiveRadiatorBox& box,
                   std::span<const double> frequencies, std::span<RadiatorFlows> flows,
                   const AirConstants& air) {
    const Radiators r = radiators(box, air);
    for (std::size_t i = 0; i < frequencies.size() && i < flows.size(); ++i) {
        const Complex s(0.0, 2.0 * pi * frequencies[i]);
        const LoadOf<Complex> load = radiatorLoad(r, s);
        const Circuit<Complex> c = solve(l, load, s);
        flows[i] = {s * c.drive * load.radiated * (air.rho / (2.0 * pi)), c.drive * load.radiator};
    }
}

double radiatorExcursion(const ModelPoint& point, const LumpedBox& box, double f, double U) {
    const auto* b = std::get_if<PassiveRadiatorBox>(&box);
    if (!b)
        return 0.0;
    const double velocity = std::abs(point.radiatorFlow) / (b->Np * b->Sp * 1e-4);
    return std::sqrt(2.0) * U * velocity / (2.0 * pi * f) * 1000.0;
}

double radiatorBoxTuning(const PassiveRadiatorBox& b, const AirConstants& air) {
    const double sp = b.Sp * 1e-4;
    const double stiffness = b.Np * sp * sp / compliance(b.Vb, air) + 1.0 / (b.Cmp * 1e-3);
    const double fb = std::sqrt(stiffness / ((b.Mmp + b.Mplus) * 1e-3)) / (2.0 * pi);
    return std::isfinite(fb) ? fb : 0.0;
}

double radiatorResonance(const PassiveRadiatorBox& b) {
    const double fp = 1.0 / (2.0 * pi * std::sqrt((b.Mmp + b.Mplus) * 1e-3 * b.Cmp * 1e-3));
    return std::isfinite(fp) ? fp : 0.0;
}

double peakExcursion(const ModelPoint& point, double f, double U) {
    return std::sqrt(2.0) * U * std::abs(point.velocity) / (2.0 * pi * f) * 1000.0;
}

EqualiserPoint evaluateEqualiser(const LinkwitzCircuit& c, double f) {
    const Dual s = laplace(2.0 * pi * f);
    const auto stage = [&s, &c](double r, double cap) {
        return s * s * (cap * c.C2 * r * r) + s * (c.C2 * (2.0 * r + c.R2)) + 1.0;
    };
    const Dual h = Dual(c.R3 / c.R1) * stage(c.R1, c.C1) / stage(c.R3, c.C3) *
                   (s * (c.R3 * c.C3) + 2.0) / (s * (c.R1 * c.C1) + 2.0);
    return {h.v, groupDelay(h)};
}

double pressureReference(const AirConstants& air) {
    return std::sqrt(air.rho * air.c * 1e-12);
}

}  // namespace sublumo::enclosure
