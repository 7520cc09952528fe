#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "design_common.h"

namespace sublumo::enclosure {

struct ClosedAlignment {
    std::string_view item;
    double Qtc;
};
inline constexpr std::array<ClosedAlignment, 4> kClosedAlignments = {{
    {"Qtc=0.5 (Critically-damped alignment)", 0.5},
    {"Qtc=0.577 (Bessel maximally-flat-delay alignment)", 0.57735026918962576451},
    {"Qtc=0.707 (Butterworth maximally-flat-amplitude alignment)", 0.70710678118654752440},
    {"Qtc=1 (Chebyshev equal-ripple alignment)", 1.0},
}};

struct ClosedBoxInputs {
    std::string Vb = "0";
    std::string fill = "100";  // percent
    bool infinite = false;
    bool linkwitzOn = false;
    LinkwitzTexts linkwitz{};
};

struct ClosedBoxValues {
    double Vb = 0;  // litres, +inf for the infinite baffle
    double ff = 1;  // fill factor: the fill makes the box act larger
    double alpha = 0;
    double Qtc = 0;
    double fc = 0;
    double f3 = 0;
    double peak = 0;  // dB
    int B = 0;        // Cm share of Ca/Cm in percent
};

// Fill factor of a sealed volume: 100 % fill acts as 20 % more volume.
double sealedFillFactor(double fillPercent);

// Empty when the volume is zero or the result is not finite.
std::optional<ClosedBoxValues> computeClosedBox(double Vb, double fillPercent,
                                                const EquivalentDriver& equivalent);

struct ClosedBoxResult {
    explicit ClosedBoxResult(NumberFormat format) : shared(format) {}

    SharedResult shared;
    std::string Vb;  // the field texts, defaults put in
    std::string fill;
    bool valid = false;  // false: the guarded block failed, every output shows "0"
    ClosedBoxValues values;
    std::string Qtc = "0", fc = "0", f3 = "0", peak = "0", CaCm = "0";
    std::array<bool, kClosedAlignments.size()> alignmentEnabled{};
    bool linkwitzFieldsEnabled = false;      // fp, Qp, C2 and "circuit"
    std::optional<LinkwitzResult> linkwitz;  // while those fields are enabled
};

ClosedBoxResult recomputeClosedBox(const DriverParameters& driver, const SharedInputs& shared,
                                   const ClosedBoxInputs& inputs, NumberFormat format);

// The Vb text (2 decimals) that gives the chosen alignment; empty when it cannot be computed.
std::optional<std::string> closedAlignmentVolume(const EquivalentDriver& equivalent,
                                                 std::size_t alignment, const std::string& fillText,
                                                 NumberFormat format);

}  // namespace sublumo::enclosure
