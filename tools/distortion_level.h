#pragma once

#include <string>

#include "calculator_text.h"

namespace sublumo::tools {

// Distortion typed in percent, or in decibels below the fundamental (as a positive number).
enum class DistortionMode { Percent, Decibels };

std::string distortionModeLabel(DistortionMode mode);  // "in percent" / "in decibels"
std::string distortionUnitLabel(DistortionMode mode);  // "%" / "dB (negative)"

struct DistortionInputs {
    std::string value = "1";
    DistortionMode mode = DistortionMode::Percent;
};

struct DistortionResult {
    InputText value;
    std::string modeLabel;
    std::string unitLabel;
    TextLines lines;
};

DistortionResult computeDistortion(const DistortionInputs& in, NumberFormat format);

// A click on the mode label: the other mode, with the field's value converted to it. A value
// that cannot be converted is left as it is.
DistortionInputs toggleDistortionMode(const DistortionInputs& in, NumberFormat format);

}  // namespace sublumo::tools
