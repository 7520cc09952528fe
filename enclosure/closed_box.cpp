#include "closed_box.h"

#include <cmath>
#include <limits>

namespace sublumo::enclosure {

namespace {

double halfPowerFrequency(double fc, double Qtc) {
    const double t = 1.0 / (Qtc * Qtc) - 2.0;
    return fc * std::sqrt((t + std::sqrt(t * t + 4.0)) / 2.0);
}

double responsePeak(double Qtc) {
    if (!(Qtc > std::sqrt(0.5)))
        return 0.0;
    return 20.0 * std::log10(Qtc * Qtc / std::sqrt(Qtc * Qtc - 0.25));
}

std::string complianceRatioText(const ClosedBoxValues& v) {
    return std::to_string(100 - v.B) + "/" + std::to_string(v.B);
}

void writeClosedTexts(ClosedBoxResult& r, NumberFormat format) {
    const ClosedBoxValues& v = r.values;
    r.Qtc = formatRounded(v.Qtc, 3, format);
    r.fc = formatRounded(v.fc, 2, format);
    r.f3 = formatRounded(v.f3, 2, format);
    r.peak = formatRounded(v.peak, 2, format);
    r.CaCm = complianceRatioText(v);
}

std::optional<double> readVolume(const ClosedBoxInputs& inputs, const std::string& text,
                                 NumberFormat format) {
    if (inputs.infinite)
        return std::numeric_limits<double>::infinity();
    return readField(text, format);
}

void runLinkwitz(ClosedBoxResult& r, const ClosedBoxInputs& inputs, NumberFormat format) {
    r.linkwitzFieldsEnabled = inputs.linkwitzOn && r.shared.optionsEnabled;
    if (!r.linkwitzFieldsEnabled)
        return;
    r.linkwitz = computeLinkwitzCircuit(inputs.linkwitz, r.values.fc, r.values.Qtc, format);
    if (r.linkwitz->circuit && r.values.Vb > 0 && r.shared.curves.main)
        addLinkwitzCurves(r.shared, *r.linkwitz->circuit);
}

}  // namespace

double sealedFillFactor(double fillPercent) {
    return fillPercent / 500.0 + 1.0;
}

std::optional<ClosedBoxValues> computeClosedBox(double Vb, double fillPercent,
                                                const EquivalentDriver& e) {
    ClosedBoxValues v;
    v.Vb = Vb;
    v.ff = sealedFillFactor(fillPercent);
    const double effective = Vb * v.ff;
    if (!(effective > 0))
        return std::nullopt;
    const bool infinite = std::isinf(effective);
    v.alpha = infinite ? 0.0 : e.Vas / effective;
    v.B =
        infinite ? 100 : static_cast<int>(std::nearbyint(100.0 * effective / (effective + e.Vas)));
    v.Qtc = std::sqrt(v.alpha + 1.0) * e.Qts;
    v.fc = v.Qtc * e.fs / e.Qts;
    v.f3 = halfPowerFrequency(v.fc, v.Qtc);
    v.peak = responsePeak(v.Qtc);
    for (double x : {v.alpha, v.Qtc, v.fc, v.f3, v.peak})
        if (!std::isfinite(x))
            return std::nullopt;
    return v;
}

ClosedBoxResult recomputeClosedBox(const DriverParameters& driver, const SharedInputs& shared,
                                   const ClosedBoxInputs& inputs, NumberFormat format) {
    ClosedBoxResult r(format);
    r.Vb = filled(inputs.Vb, "0");
    r.fill = filledFillPercent(inputs.fill, format);
    beginDesign(r.shared, driver, shared, format);
    const auto& e = r.shared.equivalent;
    const auto vb = readVolume(inputs, r.Vb, format);
    const auto fill = readField(r.fill, format);
    std::optional<ClosedBoxValues> box;
    if (e && vb && fill)
        box = computeClosedBox(*vb, *fill, *e);
    if (box) {
        r.valid = true;
        r.values = *box;
        writeClosedTexts(r, format);
    }
    for (std::size_t i = 0; i < kClosedAlignments.size(); ++i)
        r.alignmentEnabled[i] = e && e->Qts < kClosedAlignments[i].Qtc;
    finishDesign(r.shared, driver, shared, r.values.Vb, ClosedDesign{r.values.fc, r.values.Qtc},
                 format);
    runLinkwitz(r, inputs, format);
    return r;
}

std::optional<std::string> closedAlignmentVolume(const EquivalentDriver& e, std::size_t alignment,
                                                 const std::string& fillText, NumberFormat format) {
    const auto fill = readField(fillText, format);
    if (!fill || alignment >= kClosedAlignments.size())
        return std::nullopt;
    const double ratio = kClosedAlignments[alignment].Qtc / e.Qts;
    const double alpha = ratio * ratio - 1.0;
    return designedVolumeText(e.Vas / alpha / sealedFillFactor(*fill), format);
}

}  // namespace sublumo::enclosure
