#pragma once

#include <optional>
#include <string>

#include "design_common.h"
#include "vent.h"

namespace sublumo::enclosure {

struct VentedBoxInputs {
    std::string Vb = "0";
    std::string fb = "0";
    VentFieldTexts vent{};
    VentShape shape = VentShape::Round;
    std::size_t endCorrection = kDefaultEndCorrection;  // index into kEndCorrections
    std::size_t fillAmount = kDefaultFillAmount;        // index into kFillAmounts
    VentReadout readout = VentReadout::Va;
};

struct VentedBoxResult {
    explicit VentedBoxResult(NumberFormat format) : shared(format) {}

    SharedResult shared;
    std::string Vb;  // the field texts, defaults put in
    std::string fb;
    VentFieldTexts vent{};
    bool valid = false;  // false: the guarded block failed, Vb counts as 0
    double volume = 0;
    double tuning = 0;
    VentValues ventValues;
    VentTexts ventTexts;
};

// The Dv estimate of the vented box: 10·√(N·Sd·iso / 5) mm.
inline constexpr double kVentedVentDivisor = 5.0;

VentedBoxResult recomputeVentedBox(const DriverParameters& driver, const SharedInputs& shared,
                                   const VentedBoxInputs& inputs, NumberFormat format);

// "a-c": a volume and tuning from Qts' and Vas' alone, with one vent of the estimated size.
struct VentedAutoCalculation {
    std::string Vb;  // 2 decimals
    std::string fb;  // 2 decimals
    std::string Dv;  // integer mm
    std::string Nv = "1";
};
std::optional<VentedAutoCalculation> ventedAutoCalculation(const DriverParameters& driver,
                                                           const DriverArrangement& arrangement,
                                                           const EquivalentDriver& equivalent,
                                                           NumberFormat format);

// Click on the fb caption: tune to fs'.
std::string tuneAtResonance(const EquivalentDriver& equivalent, NumberFormat format);

}  // namespace sublumo::enclosure
