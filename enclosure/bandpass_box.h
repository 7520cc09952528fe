#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "design_common.h"
#include "vent.h"

namespace sublumo::enclosure {

// Alignments by the passband ripple parameter S; each needs Qts' below its b.
struct BandpassAlignment {
    std::string_view item;
    double S;
    double b;
};
inline constexpr std::array<BandpassAlignment, 3> kBandpassAlignments = {{
    {"S=0.7 (passband ripple 0 dB)", 0.7, 0.7142857142857},
    {"S=0.6 (passband ripple 0.35 dB)", 0.6, 0.8502932940166},
    {"S=0.5 (passband ripple 1.25 dB)", 0.5, 1.0746078283213},
}};

struct BandpassBoxInputs {
    std::string Vr = "0";
    std::string fill = "100";  // percent, rear chamber
    std::string Vf = "0";
    std::string fb = "0";
    bool autoTuning = true;  // the caption shows "off": fb follows the rear chamber
    VentFieldTexts vent{};
    VentShape shape = VentShape::Round;
    std::size_t endCorrection = kDefaultEndCorrection;  // index into kEndCorrections
    std::size_t frontFill = kDefaultFillAmount;         // index into kFillAmounts
    VentReadout readout = VentReadout::Va;
};

struct BandpassBoxResult {
    explicit BandpassBoxResult(NumberFormat format) : shared(format) {}

    SharedResult shared;
    std::string Vr;  // the field texts, defaults put in; fb as auto-tuning wrote it
    std::string fill;
    std::string Vf;
    std::string fb;
    VentFieldTexts vent{};
    bool valid = false;     // false: the guarded block failed, Vr' counts as 0
    double rearVolume = 0;  // Vr', the rear volume times its fill factor
    double frontVolume = 0;
    double tuning = 0;
    VentValues ventValues;
    VentTexts ventTexts;
    std::array<bool, kBandpassAlignments.size()> alignmentEnabled{};
};

// The Dv estimate of the bandpass: 10·√(N·Sd·iso / 3) mm, a larger vent than the vented box's.
inline constexpr double kBandpassVentDivisor = 3.0;

BandpassBoxResult recomputeBandpassBox(const DriverParameters& driver, const SharedInputs& shared,
                                       const BandpassBoxInputs& inputs, NumberFormat format);

// The resonance of the driver on the filled rear chamber.
double bandpassAutoTuning(const EquivalentDriver& equivalent, double rearVolume);

struct BandpassAlignmentTexts {
    std::string Vr;  // 2 decimals
    std::string Vf;  // 2 decimals
    std::string fb;  // 2 decimals
    std::string Dv;  // integer mm
    std::string Nv = "1";
};
std::optional<BandpassAlignmentTexts> bandpassAlignment(const DriverParameters& driver,
                                                        const DriverArrangement& arrangement,
                                                        const EquivalentDriver& equivalent,
                                                        std::size_t alignment,
                                                        const std::string& fillText,
                                                        NumberFormat format);

}  // namespace sublumo::enclosure
