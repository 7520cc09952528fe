#include "build_plan.h"

#include <algorithm>
#include <cmath>

namespace sublumo::enclosure {

namespace {

constexpr double kMm3PerLitre = 1e6;
// Depth of the displaced frustum and magnet as a share of Dd.
constexpr double kDisplacementDepth = 0.22;

double product(const Proportion& p) {
    return p.width * p.height * p.depth;
}

// Inner volume in litres at scale s (the inner size is s times the proportion), less the
// divider, a horizontal panel of inner width by inner depth.
double chamberRoom(const Proportion& p, double s, double thickness, bool divider) {
    const double box = product(p) * s * s * s;
    const double panel = divider ? p.width * p.depth * s * s * thickness : 0.0;
    return (box - panel) / kMm3PerLitre;
}

// The room rises with s once the box is taller than the divider is thick, so halving finds it.
std::optional<double> scaleFor(double room, const Proportion& p, double thickness, bool divider) {
    double low = divider ? thickness / p.height : 0.0;
    double high = std::max(low, 1.0);
    while (chamberRoom(p, high, thickness, divider) < room) {
        high *= 2.0;
        if (!std::isfinite(high))
            return std::nullopt;
    }
    for (int i = 0; i < 200 && high - low > high * 1e-15; ++i) {
        const double mid = 0.5 * (low + high);
        (chamberRoom(p, mid, thickness, divider) < room ? low : high) = mid;
    }
    return high;
}

std::vector<Panel> buttJointPanels(const BoxSize& in, double t, bool divider) {
    std::vector<Panel> panels = {
        {"Top and bottom", 2, in.width + 2 * t, in.depth + 2 * t},
        {"Sides", 2, in.depth + 2 * t, in.height},
        {"Front and back", 2, in.width, in.height},
    };
    if (divider)
        panels.push_back({"Divider", 1, in.width, in.depth});
    return panels;
}

LumpedBox withVentArea(LumpedBox box, double Sv) {
    if (auto* ported = std::get_if<PortedBox>(&box))
        ported->Sv = Sv;
    if (auto* bandpass = std::get_if<BandpassChambers>(&box))
        bandpass->Sv = Sv;
    return box;
}

double tuningOf(const LumpedBox& box) {
    if (const auto* ported = std::get_if<PortedBox>(&box))
        return ported->fb;
    if (const auto* bandpass = std::get_if<BandpassChambers>(&box))
        return bandpass->fb;
    return 0;
}

double areaOf(const VentGeometry& v) {
    const double one = v.shape == VentShape::Round ? v.Dv * v.Dv * pi / 4.0 : v.Av * v.Bv;
    return one * v.Nv;
}

// The one free size of the vent in whole mm for a total area `Sv` in mm².
double wholeSizeFor(double Sv, const VentSizing& s) {
    const double one = Sv / s.Nv;
    const double size = s.slot ? one / s.slotHeight : std::sqrt(one * 4.0 / pi);
    // A hair of rounding noise must not add a whole millimetre.
    return std::ceil(size * (1.0 - 1e-12));
}

VentGeometry ventOfSize(double size, const VentSizing& s) {
    VentGeometry v;
    v.shape = s.slot ? VentShape::Rectangular : VentShape::Round;
    (s.slot ? v.Av : v.Dv) = size;
    v.Bv = s.slot ? s.slotHeight : 0.0;
    v.Nv = s.Nv;
    v.k = s.k;
    return v;
}

std::optional<double> velocityWith(const LimitInputs& inputs, const VentGeometry& v) {
    LimitInputs in = inputs;
    in.box = withVentArea(inputs.box, areaOf(v));
    return peakVentVelocityAtMaximumPower(in);
}

double valueNear(const LimitCurve& curve, double f) {
    double best = 0;
    double distance = INFINITY;
    for (std::size_t i = 0; i < curve.frequency.size(); ++i) {
        const double d = std::abs(std::log(curve.frequency[i] / f));
        if (d < distance) {
            distance = d;
            best = curve.value[i];
        }
    }
    return best;
}

}  // namespace

std::optional<std::size_t> matchingPreset(const Proportion& p) {
    if (!(p.width > 0 && p.height > 0 && p.depth > 0))
        return std::nullopt;
    const auto same = [](double a, double b) { return std::abs(a - b) <= 1e-9 * std::abs(b); };
    for (std::size_t i = 0; i < kProportionPresets.size(); ++i) {
        const Proportion& q = kProportionPresets[i].proportion;
        if (same(p.width * q.depth, q.width * p.depth) &&
            same(p.height * q.depth, q.height * p.depth))
            return i;
    }
    return std::nullopt;
}

double estimatedDriverDisplacement(double Dd) {
    const double dm = Dd / 100.0;
    return pi / 4.0 * dm * dm * kDisplacementDepth * dm;
}

std::optional<BoxPlan> planBox(const VolumeBudget& b, const Proportion& p, double thickness) {
    const double room = b.net + b.displacement + b.vents + b.bracing;
    if (!(room > 0) || !(product(p) > 0) || !(p.width > 0) || !(p.height > 0) || !(thickness > 0) ||
        !std::isfinite(room) || !std::isfinite(product(p)))
        return std::nullopt;
    const auto s = scaleFor(room, p, thickness, b.divider);
    if (!s)
        return std::nullopt;
    BoxPlan plan;
    plan.inner = {p.width * *s, p.height * *s, p.depth * *s};
    plan.outer = {plan.inner.width + 2 * thickness, plan.inner.height + 2 * thickness,
                  plan.inner.depth + 2 * thickness};
    plan.dividerVolume =
        b.divider ? plan.inner.width * plan.inner.depth * thickness / kMm3PerLitre : 0.0;
    plan.gross = room + plan.dividerVolume;
    plan.panels = buttJointPanels(plan.inner, thickness, b.divider);
    for (const Panel& panel : plan.panels)
        plan.panelArea += panel.count * panel.length * panel.width * 1e-6;
    return plan;
}

std::optional<double> peakVentVelocityAtMaximumPower(const LimitInputs& in) {
    const double area = ventArea(in.box);
    if (!hasVent(in.box) || !(area > 0))
        return std::nullopt;
    const LimitChart power = computeLimitChart(LimitKind::MaximumPower, in);
    if (power.curves.empty() || power.limits.empty())
        return std::nullopt;
    const std::vector<double>& grid = power.curves.front().frequency;
    double peak = 0;
    for (std::size_t i = 0; i < grid.size() && i < power.limits.size(); ++i) {
        const ModelPoint p = evaluateModel(in.driver, in.box, grid[i], in.d);
        const double v = std::sqrt(2.0) * power.limits[i].voltage * std::abs(p.ventFlow) / area;
        if (std::isfinite(v))
            peak = std::max(peak, v);
    }
    return peak;
}

std::optional<VentProposal> proposeVent(const LimitInputs& inputs, const VentSizing& s) {
    if (!(s.line > 0) || s.Nv < 1 || (s.slot && !(s.slotHeight > 0)))
        return std::nullopt;
    // The velocity falls as the area grows: one square metre gives the area the line needs.
    constexpr double kProbeArea = 1e6;  // mm²
    const auto probe = peakVentVelocityAtMaximumPower(
        LimitInputs{inputs.driver, withVentArea(inputs.box, kProbeArea), inputs.U, inputs.d,
                    inputs.equaliser, inputs.cabinGainFcg, inputs.ventVelocityLine});
    if (!probe || !(*probe > 0))
        return std::nullopt;
    double size = std::max(1.0, wholeSizeFor(*probe * kProbeArea / s.line, s));
    // Settle the whole millimetre on the velocity itself, not on the area's rounding.
    while (velocityWith(inputs, ventOfSize(size, s)).value_or(0) > s.line) size += 1;
    while (size > 1 && velocityWith(inputs, ventOfSize(size - 1, s)).value_or(INFINITY) <= s.line)
        size -= 1;
    VentProposal out;
    out.geometry = ventOfSize(size, s);
    const double fb = tuningOf(inputs.box);
    const auto values = computeVent(out.geometry, fb, s.chamberVolume, s.fillFactor);
    if (!values)
        return std::nullopt;
    out.values = *values;
    out.peakVelocity = velocityWith(inputs, out.geometry).value_or(0);
    const LimitChart spl = computeLimitChart(LimitKind::MaximumSpl, inputs);
    if (!spl.curves.empty())
        out.maximumSpl = valueNear(spl.curves.front(), fb);
    return out;
}

}  // namespace sublumo::enclosure
