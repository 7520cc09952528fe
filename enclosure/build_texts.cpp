#include <cmath>

#include "build_plan.h"

namespace sublumo::enclosure {

namespace {

struct ReadBuild {
    double thickness = 0;
    Proportion proportion;
    double bracing = 0;
    std::optional<double> displacement;  // per driver; empty: estimate
    double line = 0;
    double slotHeight = 0;
};

std::optional<ReadBuild> readBuild(const BuildInputs& in, NumberFormat format) {
    auto number = [&](const std::string& text) {
        return parseDecimal(text, format, SignRule::Unsigned);
    };
    const auto t = number(in.thickness);
    const auto w = number(in.width);
    const auto h = number(in.height);
    const auto d = number(in.depth);
    const auto bracing = number(in.bracing);
    const auto line = number(in.ventLimit);
    const auto slot = number(in.slotHeight);
    if (!t || !w || !h || !d || !bracing || !line || !slot)
        return std::nullopt;
    ReadBuild r{*t, {*w, *h, *d}, *bracing, std::nullopt, *line, *slot};
    if (!in.displacement.empty()) {
        r.displacement = number(in.displacement);
        if (!r.displacement)
            return std::nullopt;
    }
    return r;
}

std::string size3(const BoxSize& s, NumberFormat f) {
    return formatRounded(s.width, 1, f) + " × " + formatRounded(s.height, 1, f) + " × " +
           formatRounded(s.depth, 1, f) + " mm";
}

std::string ventText(const VentGeometry& v, NumberFormat f) {
    const std::string count = std::to_string(v.Nv) + " × ";
    if (v.shape == VentShape::Round)
        return count + "round, Dv " + formatRounded(v.Dv, 0, f) + " mm";
    return count + "slot, Av " + formatRounded(v.Av, 0, f) + " mm × Bv " +
           formatRounded(v.Bv, 1, f) + " mm";
}

void writePlan(BuildTexts& out, const BoxPlan& plan, NumberFormat f) {
    out.divider = formatRounded(plan.dividerVolume, 2, f);
    out.gross = formatRounded(plan.gross, 2, f);
    out.inner = size3(plan.inner, f);
    out.outer = size3(plan.outer, f);
    for (const Panel& p : plan.panels)
        out.cutList.push_back(std::to_string(p.count) + " × " + std::string(p.name) + ": " +
                              formatRounded(p.length, 1, f) + " × " + formatRounded(p.width, 1, f) +
                              " mm");
    out.panelArea = formatRounded(plan.panelArea, 3, f);
}

void writeProposal(BuildTexts& out, const VentProposal& p, NumberFormat f) {
    out.vent = ventText(p.geometry, f);
    out.ventLength = p.values.Lv > 0 ? formatRounded(p.values.Lv, 0, f) : "0";
    out.ventVelocity = formatRounded(p.peakVelocity, 1, f);
    out.maximumSpl = formatRounded(p.maximumSpl, 1, f);
}

}  // namespace

BuildTexts computeBuild(const BuildDesign& design, const BuildInputs& inputs, NumberFormat format) {
    BuildTexts out;
    const double estimate = estimatedDriverDisplacement(design.Dd);
    out.displacement = formatRounded(estimate, 2, format);
    out.displacementEstimated = inputs.displacement.empty();
    const auto in = readBuild(inputs, format);
    if (!in)
        return out;
    const double perDriver = in->displacement.value_or(estimate);
    out.displacement = formatRounded(perDriver, 2, format);

    VolumeBudget& b = out.budget;
    b = design.chambers;
    b.displacement = perDriver * design.drivers;
    // The vent's own room as the design shows it: whole mm of length over whole mm² of area.
    if (inputs.ventsInside && design.vent && design.vent->Lv > 0)
        b.vents = std::nearbyint(design.vent->Lv) * std::nearbyint(design.vent->Sv) * 1e-6;
    b.bracing = in->bracing;
    out.net = formatRounded(b.net, 2, format);
    out.drivers = formatRounded(b.displacement, 2, format);
    out.vents = formatRounded(b.vents, 2, format);
    out.bracing = formatRounded(b.bracing, 2, format);

    out.plan = planBox(b, in->proportion, in->thickness);
    if (out.plan)
        writePlan(out, *out.plan, format);

    if (design.limits && design.vent) {
        VentSizing sizing = design.sizing;
        sizing.slot = inputs.slot;
        sizing.slotHeight = in->slotHeight;
        sizing.line = in->line;
        out.proposal = proposeVent(*design.limits, sizing);
        if (out.proposal)
            writeProposal(out, *out.proposal, format);
    }
    return out;
}

}  // namespace sublumo::enclosure
