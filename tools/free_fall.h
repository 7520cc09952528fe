#pragma once

#include <string>

#include "calculator_text.h"

namespace sublumo::tools {

// The one field holds the time of the fall or the height it started from.
enum class FallMode { Time, Height };

std::string fallModeLabel(FallMode mode);  // "time" / "height"
std::string fallUnitLabel(FallMode mode);  // "s" / "m"
std::string fallHint(FallMode mode);

// The verdict after the velocity (m/s) at impact: none up to 3 m/s and at exactly 5 or 7 m/s.
std::string fallVerdict(double velocity);

struct FreeFallInputs {
    std::string value = "1";
    FallMode mode = FallMode::Time;
};

struct FreeFallResult {
    InputText value;
    std::string modeLabel;
    std::string unitLabel;
    std::string hint;
    TextLines lines;
};

FreeFallResult computeFreeFall(const FreeFallInputs& in, NumberFormat format);

// A click on the mode label: the other mode, with the value converted to the same fall. A value
// that cannot be converted is left as it is.
FreeFallInputs toggleFallMode(const FreeFallInputs& in, NumberFormat format);

}  // namespace sublumo::tools
