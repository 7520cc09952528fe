#include "voice_coil_temperature.h"

#include <array>

namespace sublumo::tools {

namespace {

struct Conductor {
    const char* caption;
    double coefficient;  // per °C
};

constexpr std::array<Conductor, 3> kConductors = {
    {{"Copper (Cu): ", 0.00386}, {"Aluminium (Al): ", 0.00429}, {"Silver (Ag): ", 0.0038}}};

}  // namespace

VoiceCoilTemperatureResult computeVoiceCoilTemperature(const VoiceCoilTemperatureInputs& in,
                                                       const DriverParameters& driver,
                                                       NumberFormat format) {
    const ReadInput r1 =
        readInput(in.reAtT1, driverOrDefault(driver, Param::Re, "6", format), format);
    const ReadInput t1 = readInput(in.t1, "20", format);
    const ReadInput t2 = readInput(in.t2, "100", format);
    VoiceCoilTemperatureResult out{r1.field, t1.field, t2.field, {}};
    if (!r1.value || !t1.value || !t2.value || *r1.value <= 0.0)
        return out;

    const double rise = *t2.value - *t1.value;
    const std::string sign = *t2.value > *t1.value ? "+" : "";
    out.lines = {"Re at " + formatNumber(*t2.value, format) + " °C for:"};
    for (const Conductor& c : kConductors) {
        const double r = *r1.value * (1.0 + c.coefficient * rise);
        out.lines.push_back("");
        out.lines.push_back(c.caption + showRounded(r, 2, format) + " Ohm");
        out.lines.push_back("(" + sign + showRounded(r - *r1.value, 2, format) + " Ohm, " + sign +
                            showRounded(r * 100.0 / *r1.value - 100.0, 1, format) + " %)");
    }
    return out;
}

}  // namespace sublumo::tools
