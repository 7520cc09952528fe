#include "vent.h"

#include <cmath>

namespace sublumo::enclosure {

VentShape nextVentShape(VentShape shape) {
    switch (shape) {
        case VentShape::Round:
            return VentShape::Rectangular;
        case VentShape::Rectangular:
            return VentShape::Triangular;
        case VentShape::Triangular:
            return VentShape::Round;
    }
    return VentShape::Round;
}

namespace {

double ventArea(const VentGeometry& v) {
    switch (v.shape) {
        case VentShape::Round:
            return v.Dv * v.Dv * v.Nv * pi / 4.0;
        case VentShape::Rectangular:
            return v.Nv * v.Av * v.Bv;
        case VentShape::Triangular:
            return v.Nv * v.Av * v.Bv / 2.0;
    }
    return 0.0;
}

bool allFinite(const VentValues& v) {
    for (double x : {v.Sv, v.Deq, v.dL, v.Lv, v.firstResonance, v.Va, v.Ma})
        if (!std::isfinite(x))
            return false;
    return true;
}

}  // namespace

std::optional<VentValues> computeVent(const VentGeometry& vent, double fb, double volume,
                                      double fillFactor, const AirConstants& air) {
    if (fb == 0 || volume == 0 || fillFactor == 0 || vent.Nv == 0)
        return std::nullopt;
    VentValues v;
    v.Sv = ventArea(vent);
    v.Deq = std::sqrt(v.Sv / vent.Nv * 4.0 / pi);
    v.dL = vent.k * v.Deq;
    v.Lv = kVentTuning * v.Sv / (fb * fb * volume * fillFactor) - v.dL;
    v.firstResonance = air.c * 1000.0 / (2.0 * (kPipeEndFactor * v.Deq + v.Lv));
    // The air in the vent is reckoned on the volume without fill.
    v.Va = kVentTuning * v.Sv * v.Sv / (fb * fb * volume) * 1e-6;
    v.Ma = air.rho * v.Va;
    if (v.Lv <= 0)
        v.firstResonance = 0;
    if (!allFinite(v))
        return std::nullopt;
    return v;
}

VentTexts ventTexts(const VentValues& v, VentReadout readout, NumberFormat format) {
    VentTexts t;
    t.Sv = formatNumber(std::nearbyint(v.Sv) / 100.0, format);
    if (v.Lv > 0) {
        t.Lv = formatRounded(v.Lv, 0, format);
        t.firstResonance = formatRounded(v.firstResonance, 0, format);
    }
    t.VaMa = formatRounded(readout == VentReadout::Va ? v.Va : v.Ma, 2, format);
    return t;
}

std::string estimateVentDiameter(const DriverParameters& driver,
                                 const DriverArrangement& arrangement, double divisor,
                                 NumberFormat format) {
    const double area = arrangement.N * driver.value(Param::Sd) * isobaricFactor(arrangement);
    return formatRounded(10.0 * std::sqrt(area / divisor), 0, format);
}

void fillEmptyVentFields(VentFieldTexts& texts, const std::string& diameterEstimate) {
    if (texts.Dv.empty())
        texts.Dv = diameterEstimate;
    if (texts.Av.empty())
        texts.Av = "0";
    if (texts.Bv.empty())
        texts.Bv = "0";
    if (texts.Nv.empty())
        texts.Nv = "1";
}

std::optional<VentGeometry> readVent(const VentFieldTexts& texts, VentShape shape, double k,
                                     NumberFormat format) {
    const auto dv = parseDecimal(texts.Dv, format, SignRule::Unsigned);
    const auto av = parseDecimal(texts.Av, format, SignRule::Unsigned);
    const auto bv = parseDecimal(texts.Bv, format, SignRule::Unsigned);

    const CountField nv = readCount(texts.Nv);
    if (!dv || !av || !bv || nv.text != texts.Nv)
        return std::nullopt;
    return VentGeometry{shape, *dv, *av, *bv, nv.N, k};
}

std::string endCorrectionText(std::size_t endCorrection, NumberFormat format) {
    return formatNumber(kEndCorrections.at(endCorrection).k, format);
}

}  // namespace sublumo::enclosure
