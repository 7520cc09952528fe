#include "vented_box.h"

#include <cmath>

namespace sublumo::enclosure {

namespace {

void runVentedBlock(VentedBoxResult& r, const VentedBoxInputs& inputs, NumberFormat format) {
    const auto vb = readField(r.Vb, format);
    const auto fb = readField(r.fb, format);
    const auto geometry =
        readVent(r.vent, inputs.shape, kEndCorrections.at(inputs.endCorrection).k, format);
    if (!r.shared.equivalent || !vb || !fb || !geometry)
        return;
    const double ffv = kFillAmounts.at(inputs.fillAmount).factor;
    const auto vent = computeVent(*geometry, *fb, *vb, ffv);
    if (!vent)
        return;
    r.valid = true;
    r.volume = *vb;
    r.tuning = *fb;
    r.ventValues = *vent;
    r.ventTexts = ventTexts(*vent, inputs.readout, format);
}

}  // namespace

std::string tuneAtResonance(const EquivalentDriver& equivalent, NumberFormat format) {
    return formatRounded(equivalent.fs, 2, format);
}

VentedBoxResult recomputeVentedBox(const DriverParameters& driver, const SharedInputs& shared,
                                   const VentedBoxInputs& inputs, NumberFormat format) {
    VentedBoxResult r(format);
    beginDesign(r.shared, driver, shared, format);
    const auto& e = r.shared.equivalent;
    r.Vb = filled(inputs.Vb, "0");
    r.fb = inputs.fb.empty() && e ? tuneAtResonance(*e, format) : inputs.fb;
    r.vent = inputs.vent;
    fillEmptyVentFields(
        r.vent, estimateVentDiameter(driver, r.shared.arrangement, kVentedVentDivisor, format));
    runVentedBlock(r, inputs, format);
    finishDesign(r.shared, driver, shared, r.volume, VentedDesign{r.volume, r.tuning}, format);
    return r;
}

std::optional<VentedAutoCalculation> ventedAutoCalculation(const DriverParameters& driver,
                                                           const DriverArrangement& arrangement,
                                                           const EquivalentDriver& e,
                                                           NumberFormat format) {
    const double vb = 20.0 * std::pow(e.Qts, 3.3) * e.Vas;
    const double fb = e.fs * std::pow(e.Vas / vb, 0.31);
    const auto volume = designedVolumeText(vb, format);
    if (!volume || !std::isfinite(fb))
        return std::nullopt;
    VentedAutoCalculation a;
    a.Vb = *volume;
    a.fb = formatRounded(fb, 2, format);
    a.Dv = estimateVentDiameter(driver, arrangement, kVentedVentDivisor, format);
    return a;
}

}  // namespace sublumo::enclosure
