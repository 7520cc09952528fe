#include "level_combination.h"

#include <cmath>

namespace sublumo::tools {

namespace {

std::string driverDd(const DriverParameters& driver, NumberFormat format) {
    return driverOrDefault(driver, Param::Dd, "120", format);
}

std::string signedDecibels(double v, NumberFormat format) {
    return plusSign(v, 1) + showRounded(v, 1, format);
}

// The diameter of one vent, a rectangle counting as the circle of the same area.
std::optional<double> ventDiameter(const ConeVentInputs& in, const ReadInput& size,
                                   const ReadInput& height) {
    if (!size.value)
        return {};
    if (in.shape == VentShape::Round)
        return size.value;
    if (!height.value)
        return {};
    return std::sqrt(4.0 * *size.value * *height.value / pi);
}

}  // namespace

NearFieldResult computeNearField(const NearFieldInputs& in, const DriverParameters& driver,
                                 NumberFormat format) {
    const ReadInput dd = readInput(in.dd, driverDd(driver, format), format);
    const ReadInput distance = readInput(in.microphoneDistance, "1000", format);
    NearFieldResult out{dd.field, distance.field, {}};
    if (!dd.value || !distance.value)
        return out;
    const auto full = finiteOrNothing(-20.0 * std::log10(4.0 * *distance.value / *dd.value));
    const auto half = finiteOrNothing(-20.0 * std::log10(2.0 * *distance.value / *dd.value));
    if (!full || !half)
        return out;
    out.lines = {"Lower the NF response by:", "",
                 signedDecibels(*full, format) + " dB (full space - 4pi)",
                 signedDecibels(*half, format) + " dB (half space - 2pi)", ""};
    return out;
}

VentShape toggleVentShape(VentShape shape) {
    return shape == VentShape::Round ? VentShape::Rectangle : VentShape::Round;
}

std::string ventLabel(VentShape shape) {
    return shape == VentShape::Round ? "Vent diameter" : "Vent width x height";
}

bool ventHeightShown(VentShape shape) {
    return shape == VentShape::Rectangle;
}

ConeVentResult computeConeVent(const ConeVentInputs& in, const DriverParameters& driver,
                               NumberFormat format) {
    const ReadInput dd = readInput(in.dd, driverDd(driver, format), format);
    const ReadInput size = readInput(in.ventSize, "50", format);
    const ReadInput height = readInput(in.ventHeight, "20", format);
    const InputText count = refillInput(in.ventCount, "1");

    ConeVentResult out{dd.field, size.field,          height.field,
                       count,    ventLabel(in.shape), ventHeightShown(in.shape),
                       {}};
    const auto n = readWholeNumber(count.text);
    const auto diameter = ventDiameter(in, size, height);
    if (!dd.value || !n || !diameter)
        return out;
    const auto level =
        finiteOrNothing(20.0 * std::log10(static_cast<double>(*n) * *diameter / *dd.value));
    if (!level)
        return out;
    const bool raise = roundToDecimals(*level, 1) > 0.0;
    out.lines = {std::string(raise ? "Raise" : "Lower") + " the vent response by:", "",
                 signedDecibels(*level, format) + " dB", ""};
    return out;
}

}  // namespace sublumo::tools
