#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "arrangement.h"

namespace sublumo::enclosure {

// The " Source / mic " outputs. An empty optional leaves the field's text as it was: a step
// that fails keeps what the fields showed.
struct SourceLevel {
    std::optional<std::string> Pd;
    std::optional<std::string> Pr;
    std::optional<std::string> L;
    bool warning = false;  // the red "!": Pd shown above the driver's Pe
    double level = 0;      // L unrounded, the lift of the absolute curve
};

SourceLevel computeSourceLevel(const DriverParameters& driver, const EquivalentDriver& equivalent,
                               int N, double U, double d, NumberFormat format);

// Why a chart of the sound pressure level stays empty: it needs a voltage U and a distance d
// above 0. Empty while both are.
std::string_view levelChartNote(double U, double d);

// The voltage at which the network dissipates 1 W in its hot resistance; empty when that
// resistance is not positive.
std::optional<std::string> oneWattVoltage(const EquivalentDriver& equivalent, NumberFormat format);

}  // namespace sublumo::enclosure
