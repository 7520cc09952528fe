#include "free_fall.h"

#include <cmath>

namespace sublumo::tools {

namespace {

double heightOfFall(double seconds) {
    return ga * seconds * seconds / 2.0;
}
double timeOfFall(double metres) {
    return std::sqrt(2.0 * metres / ga);
}

TextLines fallLines(FallMode mode, double value, NumberFormat format) {
    const double seconds = mode == FallMode::Time ? value : timeOfFall(value);
    const double velocity = ga * seconds;
    TextLines lines;
    if (mode == FallMode::Time) {
        lines = {"The driver fell down from a height of",
                 showRounded(heightOfFall(seconds), 2, format) + " m"};
    } else {
        lines = {"The driver was falling for", showRounded(seconds, 2, format) + " s"};
    }
    lines.insert(lines.end(), {"", "and hit ground with a velocity of",
                               showRounded(velocity, 2, format) + " m/s",
                               showRounded(3.6 * velocity, 2, format) + " km/h", ""});
    const std::string broken = fallVerdict(velocity);
    if (!broken.empty())
        lines.push_back(broken);
    return lines;
}

}  // namespace

std::string fallModeLabel(FallMode mode) {
    return mode == FallMode::Time ? "time" : "height";
}

std::string fallUnitLabel(FallMode mode) {
    return mode == FallMode::Time ? "s" : "m";
}

std::string fallHint(FallMode mode) {
    return mode == FallMode::Time ? "The time it took the driver to hit ground"
                                  : "The point from which the driver fell";
}

std::string fallVerdict(double velocity) {
    if (velocity > 3.0 && velocity < 5.0)
        return "and is probably broken.";
    if (velocity > 5.0 && velocity < 7.0)
        return "and is most likely broken.";
    if (velocity > 7.0)
        return "and is definitely broken.";
    return {};
}

FreeFallResult computeFreeFall(const FreeFallInputs& in, NumberFormat format) {
    const ReadInput value = readInput(in.value, "1", format);
    FreeFallResult out{
        value.field, fallModeLabel(in.mode), fallUnitLabel(in.mode), fallHint(in.mode), {}};
    // A fall takes no negative time and starts from no negative height.
    if (!value.value || *value.value < 0.0)
        return out;
    out.lines = fallLines(in.mode, *value.value, format);
    return out;
}

FreeFallInputs toggleFallMode(const FreeFallInputs& in, NumberFormat format) {
    const bool toHeight = in.mode == FallMode::Time;
    FreeFallInputs out{in.value, toHeight ? FallMode::Height : FallMode::Time};
    const auto value = parseDecimal(in.value, format);
    if (!value || *value < 0.0)
        return out;
    const double converted = toHeight ? heightOfFall(*value) : timeOfFall(*value);
    if (std::isfinite(converted))
        out.value = showRounded(converted, 2, format);
    return out;
}

}  // namespace sublumo::tools
