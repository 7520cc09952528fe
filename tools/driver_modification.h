#pragma once

#include <optional>
#include <string>

#include "calculator_text.h"

namespace sublumo::tools {

// Each modification compares the driver as solved ("before") with the modified one ("after")
// and offers an "OK" that writes the modified values into the driver's fields.
struct ModificationResult {
    InputText input;
    TextLines lines;  // empty when the computation failed or nothing is modified
    bool okEnabled = false;
    std::optional<DriverTransfer> transfer;  // what "OK" does; present exactly when it is enabled
};

// "new fs" (Hz): an empty one is refilled with the driver's fs.
ModificationResult computeResonanceShift(const std::string& newFs, const DriverParameters& driver,
                                         NumberFormat format);

// "Radd" (Ohm, may be negative) in series with the voice coil.
ModificationResult computeAddedResistance(const std::string& radd, const DriverParameters& driver,
                                          NumberFormat format);

// "Madd" (g, may be negative) glued to the cone.
ModificationResult computeAddedMassToCone(const std::string& madd, const DriverParameters& driver,
                                          NumberFormat format);

}  // namespace sublumo::tools
