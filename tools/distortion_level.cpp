#include "distortion_level.h"

#include <cmath>

namespace sublumo::tools {

namespace {

std::optional<double> percentToDecibels(double percent) {
    return finiteOrNothing(-20.0 * std::log10(percent / 100.0));
}

std::optional<double> decibelsToPercent(double decibels) {
    return finiteOrNothing(std::pow(10.0, -decibels / 20.0) * 100.0);
}

const char* defaultValue(DistortionMode mode) {
    return mode == DistortionMode::Percent ? "1" : "40";
}

}  // namespace

std::string distortionModeLabel(DistortionMode mode) {
    return mode == DistortionMode::Percent ? "in percent" : "in decibels";
}

std::string distortionUnitLabel(DistortionMode mode) {
    return mode == DistortionMode::Percent ? "%" : "dB (negative)";
}

DistortionResult computeDistortion(const DistortionInputs& in, NumberFormat format) {
    const ReadInput value = readInput(in.value, defaultValue(in.mode), format);
    DistortionResult out{
        value.field, distortionModeLabel(in.mode), distortionUnitLabel(in.mode), {}};
    if (!value.value)
        return out;
    if (in.mode == DistortionMode::Percent) {
        // The level below the fundamental, hence the sign turned back.
        const auto decibels = percentToDecibels(*value.value);
        if (decibels)
            out.lines = {value.field.text + " % distortion equals " +
                         showRounded(-*decibels, 1, format) + " dB"};
    } else {
        const auto percent = decibelsToPercent(*value.value);
        if (percent)
            out.lines = {"-" + value.field.text + " dB distortion equals " +
                         showRounded(*percent, 2, format) + " %"};
    }
    return out;
}

DistortionInputs toggleDistortionMode(const DistortionInputs& in, NumberFormat format) {
    const bool toDecibels = in.mode == DistortionMode::Percent;
    DistortionInputs out{in.value, toDecibels ? DistortionMode::Decibels : DistortionMode::Percent};
    const auto value = parseDecimal(in.value, format);
    if (!value)
        return out;
    const auto converted = toDecibels ? percentToDecibels(*value) : decibelsToPercent(*value);
    if (converted)
        out.value = showRounded(*converted, 2, format);
    return out;
}

}  // namespace sublumo::tools
