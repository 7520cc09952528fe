#include <charconv>
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

BuildDesign common(const DriverParameters& driver, const SharedResult& shared,
                   const std::optional<LimitInputs>& limits) {
    BuildDesign d;
    d.Dd = driver.value(Param::Dd);
    d.drivers = shared.arrangement.N;
    d.limits = limits;
    return d;
}

VentSizing sizingOf(const VentFieldTexts& fields, std::size_t endCorrection, double volume,
                    double fill) {
    VentSizing s;
    s.Nv = std::max(1, readCount(fields.Nv).N);
    s.k = kEndCorrections.at(endCorrection).k;
    s.chamberVolume = volume;
    s.fillFactor = fill;
    return s;
}

std::string line(std::string_view caption, const std::string& value, std::string_view unit) {
    return std::string(caption) + ": " + value + (unit.empty() ? "" : " ") + std::string(unit);
}

}  // namespace

BuildDesign buildDesign(const DriverParameters& driver, const ClosedBoxResult& r,
                        const std::optional<LimitInputs>& limits) {
    BuildDesign d = common(driver, r.shared, limits);
    d.chambers.net = r.valid ? r.values.Vb : 0.0;
    return d;
}

BuildDesign buildDesign(const DriverParameters& driver, const VentedBoxResult& r,
                        const VentedBoxInputs& in, const std::optional<LimitInputs>& limits) {
    BuildDesign d = common(driver, r.shared, limits);
    d.chambers.net = r.valid ? r.volume : 0.0;
    if (r.valid)
        d.vent = r.ventValues;
    d.sizing = sizingOf(r.vent, in.endCorrection, r.volume, kFillAmounts.at(in.fillAmount).factor);
    return d;
}

BuildDesign buildDesign(const DriverParameters& driver, const BandpassBoxResult& r,
                        const BandpassBoxInputs& in, const std::optional<LimitInputs>& limits) {
    BuildDesign d = common(driver, r.shared, limits);
    // The rear chamber is built at its net size; the fill only makes it act larger.
    int fill = 0;  // digits only, whatever the separator
    std::from_chars(r.fill.data(), r.fill.data() + r.fill.size(), fill);
    const double rear = r.rearVolume / sealedFillFactor(fill);
    d.chambers.net = r.valid ? rear + r.frontVolume : 0.0;
    d.chambers.divider = true;
    if (r.valid)
        d.vent = r.ventValues;
    d.sizing =
        sizingOf(r.vent, in.endCorrection, r.frontVolume, kFillAmounts.at(in.frontFill).factor);
    return d;
}

BuildDesign buildDesign(const DriverParameters& driver, const PassiveRadiatorResult& r,
                        const std::optional<LimitInputs>& limits) {
    BuildDesign d = common(driver, r.shared, limits);
    d.chambers.net = r.valid ? r.box.Vb : 0.0;
    return d;
}

std::vector<std::string> buildReportLines(const BuildTexts& t, const BuildInputs& in) {
    std::vector<std::string> lines = {
        line("Net volume", t.net, "l"),
        line("Drivers", t.drivers, t.displacementEstimated ? "l (estimated from Dd)" : "l"),
        line("Vents", t.vents, "l"),
        line("Bracing", t.bracing, "l"),
    };
    if (t.budget.divider)
        lines.push_back(line("Divider", t.divider, "l"));
    lines.push_back(line("Gross internal volume", t.gross, "l"));
    lines.push_back(line("Inner size (W × H × D)", t.inner, ""));
    lines.push_back(line("Outer size (W × H × D)", t.outer, ""));
    lines.push_back("Cut list, butt joints, " + in.thickness + " mm panels (length × width):");
    for (const std::string& panel : t.cutList) lines.push_back("  " + panel);
    lines.push_back(line("Panel area", t.panelArea, "m²"));
    if (t.proposal) {
        lines.push_back(
            line("Vent for " + in.ventLimit + " m/s", t.vent + ", Lv " + t.ventLength, "mm"));
        lines.push_back(line("Peak air velocity at maximum power", t.ventVelocity, "m/s"));
        lines.push_back(line("Maximum SPL at fb", t.maximumSpl, "dB"));
        // A straight vent from the front must end before the back panel.
        if (t.plan && t.proposal->values.Lv > t.plan->inner.depth)
            lines.push_back(
                "The vent is longer than the box is deep inside: bend it, or try a slot.");
    }
    return lines;
}

std::vector<std::string> driverSheetLines(const DriverParameters& driver, NumberFormat format) {
    static constexpr std::array<Param, 14> kShown = {
        Param::fs,  Param::Qts, Param::Qes, Param::Qms, Param::Vas,  Param::Re, Param::Le,
        Param::Mms, Param::Bl,  Param::Sd,  Param::Dd,  Param::Xmax, Param::Pe, Param::SPL};
    std::vector<std::string> lines;
    for (Param p : kShown) {
        const ParameterInfo& info = parameterInfo(p);
        const int decimals = displayDecimals(p, driver.mode);
        const double v = driver.displayValue(p);
        lines.push_back(line(
            info.name, decimals < 0 ? formatNumber(v, format) : formatRounded(v, decimals, format),
            info.unit));
    }
    return lines;
}

BuildTexts computeBuild(const BuildDesign& design, const BuildInputs& inputs, NumberFormat format) {
    BuildTexts out;
    const double estimate = estimatedDriverDisplacement(design.Dd);
    out.displacement = formatRounded(estimate, 2, format);
    const auto in = readBuild(inputs, format);
    if (!in)
        return out;
    // Like every field here, zero means not given.
    out.displacementEstimated = !(in->displacement.value_or(0) > 0);
    const double perDriver = out.displacementEstimated ? estimate : *in->displacement;
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
