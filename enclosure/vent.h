#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "arrangement.h"

namespace sublumo::enclosure {

// The vent of the vented box and of the bandpass front chamber.
enum class VentShape { Round, Rectangular, Triangular };

// The shape picture cycles round → rectangular → triangular → round.
VentShape nextVentShape(VentShape shape);

struct EndCorrection {
    std::string_view item;
    double k;
};
inline constexpr std::array<EndCorrection, 6> kEndCorrections = {{
    {"k=0.61 (both ends free)", 0.61},
    {"k=0.73 (one end flanged, one end free)", 0.73},
    {"k=0.85 (both ends flanged)", 0.85},
    {"k=1.23 (one end flanged, 25 % of one end extended)", 1.23},
    {"k=1.73 (one end flanged, 50 % of one end extended)", 1.73},
    {"k=2.23 (one end flanged, 75 % of one end extended)", 2.23},
}};
inline constexpr std::size_t kDefaultEndCorrection = 2;

// Fill of a vented chamber: it lengthens the vent but does not enter the curve.
struct FillAmount {
    std::string_view item;
    double factor;
    std::string_view caption;
    std::string_view percent;  // kept for the design memories
};
inline constexpr std::array<FillAmount, 3> kFillAmounts = {{
    {"0 % (no fill)", 1.0, "(0 %)", "0"},
    {"25 % (covered walls)", 1.05, "(25 %)", "25"},
    {"50 % (covered walls + additional fill)", 1.1, "(50 %)", "50"},
}};
inline constexpr std::size_t kDefaultFillAmount = 1;

// The Helmholtz tuning constant for mm, litres, Hz and mm²; fixed, not derived from cair.
inline constexpr double kVentTuning = 3030.0;
inline constexpr double kPipeEndFactor = 0.67;

struct VentGeometry {
    VentShape shape = VentShape::Round;
    double Dv = 0;  // mm, round vent
    double Av = 0;  // mm, rectangular and triangular vent
    double Bv = 0;  // mm
    int Nv = 1;
    double k = 0.85;
};

struct VentValues {
    double Sv = 0;              // mm², all vents together
    double Deq = 0;             // mm, one vent
    double dL = 0;              // mm, end correction length
    double Lv = 0;              // mm
    double firstResonance = 0;  // Hz
    double Va = 0;              // litres
    double Ma = 0;              // g
};

// Empty when the tuning or volume is zero or the result is not finite.
std::optional<VentValues> computeVent(const VentGeometry& vent, double fb, double volume,
                                      double fillFactor, const AirConstants& air = {});

enum class VentReadout { Va, Ma };

struct VentTexts {
    std::string Sv = "0";  // cm²
    std::string Lv = "0";
    std::string firstResonance = "0";
    std::string VaMa = "0";
};

VentTexts ventTexts(const VentValues& values, VentReadout readout, NumberFormat format);

// The diameter that suits the diaphragm area: a fifth of it for the vented box, a third for
// the bandpass front chamber.
std::string estimateVentDiameter(const DriverParameters& driver,
                                 const DriverArrangement& arrangement, double divisor,
                                 NumberFormat format);

// The texts of the vent fields with empty ones refilled.
struct VentFieldTexts {
    std::string Dv = "100";
    std::string Av = "150";
    std::string Bv = "20";
    std::string Nv = "1";
};

// Empty Dv receives the diameter estimate, empty Av and Bv "0", empty Nv "1".
void fillEmptyVentFields(VentFieldTexts& texts, const std::string& diameterEstimate);

// Reads the vent fields; empty when one is not a number.
std::optional<VentGeometry> readVent(const VentFieldTexts& texts, VentShape shape, double k,
                                     NumberFormat format);

// The read-only k box beside Nv.
std::string endCorrectionText(std::size_t endCorrection, NumberFormat format);

}  // namespace sublumo::enclosure
