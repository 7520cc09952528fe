#include "air_coil.h"

#include <cmath>
#include <initializer_list>

namespace sublumo::tools {

namespace {

constexpr double kCopperDensity = 8.92;  // g/cm^3

struct Winding {
    double turnsPerLayer = 0.0;
    double inductance = 0.0;  // mH
    double layers = 0.0;
    double wireLength = 0.0;  // m
    double resistance = 0.0;  // Ohm
    double mass = 0.0;        // g
    double outerDiameter = 0.0;
};

// Nothing is computed for a wire or a coil without thickness or height.
std::optional<Winding> winding(double d, double h, double dw, double turns, double sw) {
    if (!(dw > 0.0 && h > 0.0))
        return {};
    Winding w;
    w.turnsPerLayer = h / (1.08 * dw);
    const double thickness = turns * dw * dw / h;
    const double meanRadius = d / 2.0 + thickness / 2.0;
    w.inductance = 3.2e-8 * meanRadius * meanRadius * turns * turns /
                   (6.0 * meanRadius + 9.0 * h + 10.0 * thickness) * 1000.0;
    w.layers = turns / w.turnsPerLayer;
    w.wireLength = 2.0 * pi * meanRadius * turns / 1000.0;
    w.resistance = 0.0748 * w.wireLength / (pi * dw * dw);
    w.mass = w.wireLength * sw * kCopperDensity;
    w.outerDiameter = d + 2.0 * thickness;
    for (double v : {w.inductance, w.layers, w.resistance, w.mass, w.outerDiameter})
        if (!std::isfinite(v))
            return {};
    return w;
}

}  // namespace

AirCoilResult computeAirCoil(const AirCoilInputs& in, NumberFormat format) {
    const ReadInput d = readInput(in.innerDiameter, "20", format);
    const ReadInput h = readInput(in.height, "23", format);
    const ReadInput dw = readInput(in.wireDiameter, formatNumber(0.8, format), format);
    const ReadInput turns = readInput(in.turns, "374", format);

    AirCoilResult out;
    out.innerDiameter = d.field;
    out.height = h.field;
    out.wireDiameter = dw.field;
    out.turns = turns.field;
    const double sw = dw.value ? pi * (*dw.value / 2.0) * (*dw.value / 2.0) : 0.0;
    std::optional<Winding> w;
    if (d.value && h.value && dw.value && turns.value)
        w = winding(*d.value, *h.value, *dw.value, *turns.value, sw);
    // Without a winding there is no thickness either; "D" then shows 0 like the other outputs.
    const Winding shown = w.value_or(Winding{});
    out.wireSectionLabel = "(Sw=" + showRounded(sw, 2, format) + " mm^2)";
    out.turnsPerLayerLabel = "(" + showRounded(shown.turnsPerLayer, 1, format) + " turns/layer)";
    out.wireMassLabel = "(m=" + showRounded(shown.mass, 1, format) + " g)";
    out.inductance = showRounded(shown.inductance, 2, format);
    out.resistance = showRounded(shown.resistance, 2, format);
    out.layers = showRounded(shown.layers, 1, format);
    out.outerDiameter = showRounded(shown.outerDiameter, 1, format);
    out.wireLength = showRounded(shown.wireLength, 1, format);
    return out;
}

}  // namespace sublumo::tools
