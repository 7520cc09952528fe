#pragma once

#include <array>
#include <variant>

#include "arrangement.h"

namespace sublumo::enclosure {

inline constexpr int kGridPoints = 201;
using Curve = std::array<double, kGridPoints>;

// 20·5^(i/100) Hz: 20 to 500 Hz, evenly spaced on the logarithmic axis.
const Curve& frequencyGrid();

// Box losses of the models.
inline constexpr double kVentedQL = 7.0;
inline constexpr double kBandpassQL = 10000.0;  // effectively lossless

struct ClosedDesign {
    double fc = 0;
    double Qtc = 0;
};
struct VentedDesign {
    double Vb = 0;  // litres
    double fb = 0;  // Hz
};
struct BandpassDesign {
    double Vr = 0;  // litres, rear volume times its fill factor
    double Vf = 0;  // litres
    double fb = 0;  // Hz
};
using BoxDesign = std::variant<ClosedDesign, VentedDesign, BandpassDesign>;

// Relative response in dB at one frequency.
double closedResponse(double f, const ClosedDesign& box);
double ventedResponse(double f, const VentedDesign& box, const EquivalentDriver& driver);
double bandpassResponse(double f, const BandpassDesign& box, const EquivalentDriver& driver);

Curve computeResponse(const BoxDesign& box, const EquivalentDriver& driver);

}  // namespace sublumo::enclosure
