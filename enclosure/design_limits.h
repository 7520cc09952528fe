#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bandpass_box.h"
#include "closed_box.h"
#include "lumped_model.h"
#include "passive_radiator_box.h"
#include "vented_box.h"

namespace sublumo::enclosure {

// The design limits a chart can show besides the response.
enum class LimitKind { Impedance, Excursion, PortVelocity, GroupDelay, MaximumSpl, MaximumPower };
inline constexpr std::array<LimitKind, 6> kLimitKinds = {
    LimitKind::Impedance,  LimitKind::Excursion,  LimitKind::PortVelocity,
    LimitKind::GroupDelay, LimitKind::MaximumSpl, LimitKind::MaximumPower};

// 10 Hz to 1 kHz, 100 points a decade, evenly spaced on the logarithmic axis.
inline constexpr int kLimitGridPoints = 201;
const std::array<double, kLimitGridPoints>& limitFrequencyGrid();

inline constexpr double kDefaultVentVelocityLine = 17.0;  // m/s peak

// Everything the limit charts need of one design: what a design memory keeps to show them.
struct LimitInputs {
    LumpedDriver driver;
    LumpedBox box;
    double U = 2.83;                           // V rms at the source, behind Rs
    double d = 1.0;                            // m
    std::optional<LinkwitzCircuit> equaliser;  // before the amplifier, while it is drawn
    double cabinGainFcg = 0;                   // Hz; 0: no cabin gain
    double ventVelocityLine = kDefaultVentVelocityLine;

    bool operator==(const LimitInputs&) const = default;
};

// The inputs of a recomputed design; empty when the design draws no response curve.
std::optional<LimitInputs> limitInputs(const DriverParameters& driver, const ClosedBoxResult& r,
                                       NumberFormat format);
std::optional<LimitInputs> limitInputs(const DriverParameters& driver, const VentedBoxResult& r,
                                       NumberFormat format);
std::optional<LimitInputs> limitInputs(const DriverParameters& driver, const BandpassBoxResult& r,
                                       NumberFormat format);
std::optional<LimitInputs> limitInputs(const DriverParameters& driver,
                                       const PassiveRadiatorResult& r, NumberFormat format);

// Points with a non-finite value are left out, so a curve may have fewer points than the grid.
struct LimitCurve {
    std::string_view name;
    std::string_view unit;
    bool secondAxis = false;  // the impedance phase, on its own axis at the right
    std::vector<double> frequency;
    std::vector<double> value;
};

struct ReferenceLine {
    std::string_view name;
    double value = 0;  // in the unit of the chart's first axis
};

// Which limit the maximum level stops at.
enum class Limit { Thermal, Excursion, RadiatorExcursion };

struct LimitPoint {
    Limit binding = Limit::Thermal;
    double voltage = 0;  // V rms at the source where the limit is reached
};

struct LimitChart {
    LimitKind kind = LimitKind::Impedance;
    std::string_view title;  // the kind's choice item
    std::string_view axis;   // the vertical axis label with its unit
    std::string_view unit;   // of the first axis and the cursor readout
    std::string_view axisHint;
    std::string_view notApplicable;  // empty when the kind applies; else what the chart says
    std::vector<LimitCurve> curves;  // the kind's own curve first
    std::vector<ReferenceLine> lines;
    std::vector<LimitPoint> limits;  // maximum SPL and power: one per point of the first curve
};

// The kind's name as its choice item shows it: "Impedance", "Excursion" ...
std::string_view limitKindTitle(LimitKind kind);
std::optional<LimitKind> limitKindFromTitle(std::string_view title);

// One call a kind, the current design's whole curve set on the limit grid.
LimitChart computeLimitChart(LimitKind kind, const LimitInputs& inputs);

// The readout under the chart for the pointer at frequency f and value on the first axis:
// "cursor: 52.3 Hz / 4.25 mm"; empty when either is not a finite number.
std::string limitCursorText(LimitKind kind, double f, double value, NumberFormat format);

// On the maximum SPL and power charts, which limit stops the design at the point nearest f:
// "limited by Xmax", "limited by Xmaxp" (a passive radiator) or "limited by Pe"; empty on the other
// kinds or off the curve.
std::string_view bindingLimitText(const LimitChart& chart, double f);

// SPL at U and d with Le, the equaliser and cabin gain, on the level scale of the absolute
// response (intensity re 1 pW/m²).
LimitCurve splCurve(const LimitInputs& inputs);

// The phase in degrees of the response the charts draw (Le left out as they leave it, without
// the equaliser and the travel time d/c), at each of `frequencies`, within (-180, 180]; what
// an exported response carries.
std::vector<double> responsePhase(const LimitInputs& inputs, std::span<const double> frequencies);

// The thermal limit: the source voltage at which the Pd field shows Pe; empty without Pe.
std::optional<double> thermalLimitVoltage(const LumpedDriver& driver);
// Pd as the Pd field computes it, per driver.
double dissipatedPower(const LumpedDriver& driver, double U);

}  // namespace sublumo::enclosure
