#include "bandpass_box.h"

#include <cmath>

#include "closed_box.h"

namespace sublumo::enclosure {

namespace {

// The auto-tuned fb, as its field shows it and the next recompute reads it.
std::string autoTunedText(const EquivalentDriver& e, double rearVolume, NumberFormat format) {
    if (!(rearVolume > 0))
        return "0";
    return formatRounded(bandpassAutoTuning(e, rearVolume), 2, format);
}

void runBandpassBlock(BandpassBoxResult& r, const BandpassBoxInputs& inputs, NumberFormat format) {
    const auto& e = r.shared.equivalent;
    const auto vr = readField(r.Vr, format);
    const auto fill = readField(r.fill, format);
    const auto vf = readField(r.Vf, format);
    const auto geometry =
        readVent(r.vent, inputs.shape, kEndCorrections.at(inputs.endCorrection).k, format);
    if (!e || !vr || !fill || !vf || !geometry)
        return;
    const double rear = *vr * sealedFillFactor(*fill);
    if (inputs.autoTuning)
        r.fb = autoTunedText(*e, rear, format);
    const auto fb = readField(r.fb, format);
    if (!fb)
        return;
    const double fff = kFillAmounts.at(inputs.frontFill).factor;
    const auto vent = computeVent(*geometry, *fb, *vf, fff);
    if (!vent)
        return;
    r.valid = true;
    r.rearVolume = rear;
    r.frontVolume = *vf;
    r.tuning = *fb;
    r.ventValues = *vent;
    r.ventTexts = ventTexts(*vent, inputs.readout, format);
}

}  // namespace

double bandpassAutoTuning(const EquivalentDriver& e, double rearVolume) {
    return e.fs * std::sqrt(e.Vas / rearVolume + 1.0);
}

BandpassBoxResult recomputeBandpassBox(const DriverParameters& driver, const SharedInputs& shared,
                                       const BandpassBoxInputs& inputs, NumberFormat format) {
    BandpassBoxResult r(format);
    beginDesign(r.shared, driver, shared, format);
    const auto& e = r.shared.equivalent;
    r.Vr = filled(inputs.Vr, "0");
    r.fill = filledFillPercent(inputs.fill, format);
    r.Vf = filled(inputs.Vf, "0");
    r.fb = inputs.fb.empty() && e ? formatRounded(e->fs, 2, format) : inputs.fb;
    r.vent = inputs.vent;
    fillEmptyVentFields(
        r.vent, estimateVentDiameter(driver, r.shared.arrangement, kBandpassVentDivisor, format));
    runBandpassBlock(r, inputs, format);
    for (std::size_t i = 0; i < kBandpassAlignments.size(); ++i)
        r.alignmentEnabled[i] = e && e->Qts < kBandpassAlignments[i].b;
    finishDesign(r.shared, driver, shared, r.rearVolume,
                 BandpassDesign{r.rearVolume, r.frontVolume, r.tuning}, format);
    return r;
}

std::optional<BandpassAlignmentTexts> bandpassAlignment(
    const DriverParameters& driver, const DriverArrangement& arrangement, const EquivalentDriver& e,
    std::size_t alignment, const std::string& fillText, NumberFormat format) {
    const auto fill = readField(fillText, format);
    if (!fill || alignment >= kBandpassAlignments.size())
        return std::nullopt;
    const BandpassAlignment& a = kBandpassAlignments[alignment];
    const double ratio = a.b / e.Qts;
    const double vr = e.Vas / (ratio * ratio - 1.0) / sealedFillFactor(*fill);
    const double vf = std::pow(2.0 * a.S * e.Qts, 2) * e.Vas;
    const double fb = a.b * e.fs / e.Qts;
    // A driver whose Qts' is not below b would need a negative rear chamber.
    const auto rear = designedVolumeText(vr, format);
    const auto front = designedVolumeText(vf, format);
    if (!rear || !front || !std::isfinite(fb))
        return std::nullopt;
    BandpassAlignmentTexts t;
    t.Vr = *rear;
    t.Vf = *front;
    t.fb = formatRounded(fb, 2, format);
    t.Dv = estimateVentDiameter(driver, arrangement, kBandpassVentDivisor, format);
    return t;
}

}  // namespace sublumo::enclosure
