#include "passive_radiator_box.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "derived_quantities.h"
#include "design_limits.h"

namespace sublumo::enclosure {

namespace {

// A null of a lossless radiator would give −∞; the floor keeps the table finite, far below any
// chart window.
constexpr double kResponseFloor = -300.0;

void fillEmptyFields(PassiveRadiatorInputs& t, const std::optional<EquivalentDriver>& e,
                     NumberFormat format) {
    t.Vb = filled(t.Vb, "0");
    if (t.fb.empty())
        t.fb = e ? formatRounded(e->fs, 2, format) : "0";
    t.Np = filled(t.Np, "1");
    for (std::string* field : {&t.Dp, &t.Sp, &t.Mmp, &t.Cmp, &t.Vap, &t.Qmp, &t.Xmaxp})
        *field = filled(*field, "0");
}

// The typed one of Dp and Sp gives the other; the area in cm², empty when it cannot be read.
std::optional<double> linkArea(PassiveRadiatorInputs& t, NumberFormat format) {
    if (t.sizeBy == RadiatorSize::Diameter) {
        const auto dp = readField(t.Dp, format);
        const double sp = dp ? derived::Sd(*dp) : 0.0;
        t.Sp = formatRounded(sp, 2, format);
        return dp ? std::optional(sp) : std::nullopt;
    }
    const auto sp = readField(t.Sp, format);
    t.Dp = formatRounded(sp ? derived::Dd(*sp) : 0.0, 1, format);
    return sp;
}

// The typed one of Cmp and Vap gives the other; the compliance in mm/N.
std::optional<double> linkCompliance(PassiveRadiatorInputs& t, double sp, NumberFormat format) {
    const auto finite = [](double v) { return std::isfinite(v) ? v : 0.0; };
    if (t.complianceBy == RadiatorCompliance::Compliance) {
        const auto cmp = readField(t.Cmp, format);
        t.Vap = formatRounded(cmp ? finite(derived::Vas(sp, *cmp)) : 0.0, 2, format);
        return cmp;
    }
    const auto vap = readField(t.Vap, format);
    const double cmp = vap ? finite(derived::CmsFromVas(*vap, sp)) : 0.0;
    t.Cmp = formatRounded(cmp, 3, format);
    return vap ? std::optional(cmp) : std::nullopt;
}

// The radiators as typed, without added mass; empty when a field holds no usable number.
std::optional<PassiveRadiatorBox> bareRadiators(PassiveRadiatorInputs& t, NumberFormat format) {
    const CountField np = readCount(t.Np);
    const auto vb = readField(t.Vb, format);
    const auto sp = linkArea(t, format);
    const auto cmp = linkCompliance(t, sp.value_or(0.0), format);
    const auto mmp = readField(t.Mmp, format);
    const auto qmp = readField(t.Qmp, format);
    const auto xmaxp = readField(t.Xmaxp, format);
    if (np.text != t.Np || !vb || !sp || !cmp || !mmp || !qmp || !xmaxp)
        return std::nullopt;
    PassiveRadiatorBox box{*vb, np.N, *sp, *mmp, 0.0, *cmp, *qmp, *xmaxp};
    const bool positive = box.Vb > 0 && box.Sp > 0 && box.Mmp > 0 && box.Cmp > 0 && box.Qmp > 0;
    if (!positive || !(radiatorBoxTuning(box) > 0))
        return std::nullopt;
    return box;
}

void runRadiatorBlock(PassiveRadiatorResult& r, const DriverParameters& driver,
                      NumberFormat format) {
    auto box = bareRadiators(r.texts, format);
    const auto fb = readField(r.texts.fb, format);
    if (!r.shared.equivalent || !box || !fb || !(*fb > 0))
        return;
    r.highestFb = formatRounded(radiatorBoxTuning(*box), 2, format);
    const double mplus = radiatorAddedMass(*box, *fb);
    if (!(mplus >= 0) || !std::isfinite(mplus))
        return;
    box->Mplus = mplus;
    const LumpedDriver lumped = lumpedDriver(driver, r.shared.arrangement, *r.shared.equivalent);
    const double xp =
        worstRadiatorExcursion(lumped, *box, readField(r.shared.U, format).value_or(0));
    if (!std::isfinite(xp))
        return;
    r.valid = true;
    r.box = *box;
    r.Mplus = formatRounded(mplus, 1, format);
    r.fp = formatRounded(radiatorResonance(*box), 2, format);
    r.Xp = formatRounded(xp, 2, format);
}

}  // namespace

double radiatorAddedMass(const PassiveRadiatorBox& box, double fb, const AirConstants& air) {
    const double sp = box.Sp * 1e-4;
    const double wb = 2.0 * pi * fb;
    const double cab = box.Vb * 1e-3 / (air.rho * air.c * air.c);
    const double stiffness = box.Np * sp * sp / cab + 1.0 / (box.Cmp * 1e-3);
    return stiffness / (wb * wb) * 1e3 - box.Mmp;
}

double worstRadiatorExcursion(const LumpedDriver& driver, const PassiveRadiatorBox& box, double U) {
    const auto& grid = limitFrequencyGrid();
    std::array<RadiatorFlows, kLimitGridPoints> flows;
    radiatorFlows(driver, box, grid, flows);
    double fastest = 0;  // the radiators' flow over f, squared: the excursion's shape
    for (int i = 0; i < kLimitGridPoints; ++i)
        fastest = std::max(fastest, std::norm(flows[i].radiatorFlow) / (grid[i] * grid[i]));
    return std::sqrt(2.0) * U * std::sqrt(fastest) / (box.Np * box.Sp * 1e-4) / (2.0 * pi) * 1000.0;
}

Curve radiatorResponse(LumpedDriver driver, const PassiveRadiatorBox& box) {
    driver.Le = 0;
    // Far above every resonance the cone is mass controlled: its flow accelerates with S·Bl /
    // (Rtot·M) per volt, the passband the other boxes' responses are normalised to.
    const double passband = driver.S * driver.Bl / (driver.Rtot * driver.M);
    const double scale = rho / (2.0 * pi);
    std::array<RadiatorFlows, kGridPoints> flows;
    radiatorFlows(driver, box, frequencyGrid(), flows);
    Curve r{};
    for (int i = 0; i < kGridPoints; ++i) {
        const double p2 = std::norm(flows[i].pressure);
        const double level = 10.0 * std::log10(p2 / (scale * passband * scale * passband));
        r[i] = std::isfinite(level) ? level : kResponseFloor;
    }
    return r;
}

PassiveRadiatorResult recomputePassiveRadiatorBox(const DriverParameters& driver,
                                                  const SharedInputs& shared,
                                                  const PassiveRadiatorInputs& inputs,
                                                  NumberFormat format) {
    PassiveRadiatorResult r(format);
    beginDesign(r.shared, driver, shared, format);
    r.texts = inputs;
    fillEmptyFields(r.texts, r.shared.equivalent, format);
    runRadiatorBlock(r, driver, format);
    const double volume = r.valid ? r.box.Vb : 0.0;
    finishDesign(
        r.shared, driver, shared, volume,
        [&] {
            return radiatorResponse(
                lumpedDriver(driver, r.shared.arrangement, *r.shared.equivalent), r.box);
        },
        format);
    return r;
}

}  // namespace sublumo::enclosure
