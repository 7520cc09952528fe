#pragma once

#include <string>

#include "calculator_text.h"

namespace sublumo::tools {

// An empty "Re at T1" is refilled with the driver's Re, or 6 Ohm without one.
struct VoiceCoilTemperatureInputs {
    std::string reAtT1;      // Ohm
    std::string t1 = "20";   // °C
    std::string t2 = "100";  // °C
};

struct VoiceCoilTemperatureResult {
    InputText reAtT1, t1, t2;
    TextLines lines;
};

VoiceCoilTemperatureResult computeVoiceCoilTemperature(const VoiceCoilTemperatureInputs& in,
                                                       const DriverParameters& driver,
                                                       NumberFormat format);

}  // namespace sublumo::tools
