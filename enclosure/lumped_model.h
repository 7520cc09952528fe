#pragma once

#include <complex>
#include <span>
#include <variant>

#include "arrangement.h"
#include "response.h"
#include "response_options.h"

namespace sublumo::enclosure {

using Complex = std::complex<double>;

// The equivalent driver as one electro-mechano-acoustical circuit, in SI units: the network
// carries the mass of all N cones and pushes their whole area.
struct LumpedDriver {
    double M = 0;     // kg, N·Mms'
    double Cms = 0;   // m/N, Cms / N
    double Rms = 0;   // kg/s, N·Rms
    double Bl = 0;    // T·m, Bl'
    double S = 0;     // m², N·Sd·iso
    double Re = 0;    // Ohm, the hot network Re'·kT
    double Le = 0;    // H, scaled with the wiring like Re'
    double Rs = 0;    // Ohm, belongs to the source
    double Rtot = 0;  // Ohm, Re'·kT + Rs
    int N = 1;        // drivers sharing the power
    double Xmax = 0;  // mm, one-way; 0: no excursion limit
    double Pe = 0;    // W per driver; 0: no thermal limit

    bool operator==(const LumpedDriver&) const = default;
};

// Le in mH, Cms in mm/N, Rms in kg/s, Sd in cm² and Xmax in mm as the driver page holds them.
LumpedDriver lumpedDriver(const DriverParameters& driver, const DriverArrangement& arrangement,
                          const EquivalentDriver& equivalent);

// A sealed box; an infinite volume is the infinite baffle. Vb in litres, ff its fill factor.
struct SealedBox {
    double Vb = 0;
    double ff = 1;

    bool operator==(const SealedBox&) const = default;
};
// The vented box as its response is modelled: the volume without fill, the vent tuned to fb,
// the leakage across the box. Sv is the area of all vents together in mm².
struct PortedBox {
    double Vb = 0;
    double fb = 0;
    double Sv = 0;
    double QL = kVentedQL;  // +inf: no loss

    bool operator==(const PortedBox&) const = default;
};
// Sealed rear chamber Vr' (the fill included), vented front chamber Vf; only the vent radiates.
struct BandpassChambers {
    double Vr = 0;
    double Vf = 0;
    double fb = 0;
    double Sv = 0;
    double QL = kBandpassQL;

    bool operator==(const BandpassChambers&) const = default;
};
// A box tuned by Np passive radiators, each a cone of area Sp (cm²) without a motor: its own
// mass Mmp with the added mass Mplus (g), its suspension Cmp (mm/N) and losses by Qmp, the
// bare radiator's mechanical Q. The box's flow and the radiators' radiate with the cone's.
struct PassiveRadiatorBox {
    double Vb = 0;  // litres
    int Np = 1;
    double Sp = 0;
    double Mmp = 0;
    double Mplus = 0;
    double Cmp = 0;
    double Qmp = 0;    // +inf: no loss
    double Xmaxp = 0;  // mm, one-way; 0: no excursion limit
    double QL = kVentedQL;

    bool operator==(const PassiveRadiatorBox&) const = default;
};
// The box tuning and the loaded radiator's own resonance, Hz; 0 when the box cannot resonate.
double radiatorBoxTuning(const PassiveRadiatorBox& box, const AirConstants& air = {});
double radiatorResonance(const PassiveRadiatorBox& box);

using LumpedBox = std::variant<SealedBox, PortedBox, BandpassChambers, PassiveRadiatorBox>;

bool hasVent(const LumpedBox& box);
double ventArea(const LumpedBox& box);  // m²; 0 for the sealed box

// The circuit's state at one frequency for 1 V rms from the source (behind Rs), without the
// equaliser.
struct ModelPoint {
    Complex Z;          // Ohm, the driver network without Rs
    Complex velocity;   // m/s, of the cone
    Complex ventFlow;   // m³/s out of the vents; 0 without vent
    Complex pressure;   // Pa at the distance, half space
    double groupDelay;  // s, of the pressure, the travel time left out
    Complex radiatorFlow = 0.0;  // m³/s of all passive radiators together; 0 without them
};

ModelPoint evaluateModel(const LumpedDriver& driver, const LumpedBox& box, double f, double d,
                         const AirConstants& air = {});

// Peak excursion of one cone in mm at U rms at the source.
double peakExcursion(const ModelPoint& point, double f, double U);
// The pressure at 1 m and the radiators' flow alone at each frequency, as evaluateModel gives
// them (flows as long as frequencies): what a sweep
// of the response or of the radiators' excursion needs, at a fraction of the cost.
struct RadiatorFlows {
    Complex pressure;
    Complex radiatorFlow;
};
void radiatorFlows(const LumpedDriver& driver, const PassiveRadiatorBox& box,
                   std::span<const double> frequencies, std::span<RadiatorFlows> flows,
                   const AirConstants& air = {});

// Peak excursion of one passive radiator in mm at U rms; 0 for the other boxes.
double radiatorExcursion(const ModelPoint& point, const LumpedBox& box, double f, double U);

// The Linkwitz equaliser as the built circuit transfers: minimum phase, its DC gain (f0/fp)².
struct EqualiserPoint {
    Complex gain;
    double groupDelay;  // s
};
EqualiserPoint evaluateEqualiser(const LinkwitzCircuit& circuit, double f);

// The pressure that an intensity of 1 pW/m² carries: the scale of the sensitivity SPL'.
double pressureReference(const AirConstants& air = {});

}  // namespace sublumo::enclosure
