#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace sublumo {

// Which tab of the driver lists is showing: the solver's Save and Load rules and the lists'
// own count label and buttons both depend on it.
enum class DriverListPage { All, RecentlyOpened, Memory };

// Physical constants shared by the driver solver and the enclosure models.
inline constexpr double cair = 344.0;  // speed of sound at 20 °C, m/s
inline constexpr double rho = 1.2;     // density of air at 20 °C, kg/m^3
inline constexpr double ga = 9.81;     // gravity acceleration, m/s^2
inline constexpr double litresPerCubicFoot = 28.31685;
inline constexpr double splReference = 2.0 * 3.14159265358979323846 * 1e-10;
inline constexpr double pi = 3.14159265358979323846;

// Every driver parameter, entered and derived. The eleven entered ones come first, in the
// order the solver parses them.
enum class Param : int {
    Qms,
    Qes,
    fs,
    Mms,
    Dd,
    Sd,
    Re,
    Hc,
    Hg,
    Pe,
    Le,
    Qts,
    EBP,
    Mmd,
    Mair,
    Rms,
    Rme,
    Res,
    Lces,
    Cmes,
    Cms,
    Kms,
    f4pi,
    f2pi,
    fmax,
    Vas,
    Vascf,
    Xmax,
    Gloss,
    Glossmm,
    Vd,
    Zmax,
    Bl,
    Mpow,
    gamma,
    eta0,
    SPL,
    USPL,
    SPLmax,
    Count
};

inline constexpr std::size_t kParamCount = static_cast<std::size_t>(Param::Count);
inline constexpr std::size_t kEnteredCount = 11;

constexpr std::size_t indexOf(Param p) {
    return static_cast<std::size_t>(p);
}

// The entered parameters in parse order (Qms, Qes, fs, Mms, Dd, Sd, Re, Hc, Hg, Pe, Le).
inline constexpr std::array<Param, kEnteredCount> kEnteredParams = {
    Param::Qms, Param::Qes, Param::fs, Param::Mms, Param::Dd, Param::Sd,
    Param::Re,  Param::Hc,  Param::Hg, Param::Pe,  Param::Le};

struct ParameterInfo {
    Param id;
    std::string_view name;     // data-sheet name: caption, database key, settings key
    std::string_view unit;     // unit label ("" for none)
    std::string_view tooltip;  // the field's hint
    int decimals;              // display decimals when derived; -1 for entered ones
    bool entered;
};

// The one table of names, units, hints and display decimals that the page, the reports and
// the lists read.
const ParameterInfo& parameterInfo(Param p);
const std::array<ParameterInfo, kParamCount>& allParameterInfo();
// Case-sensitive lookup by data-sheet name; Param::Count when there is no such parameter.
Param paramByName(std::string_view name);

enum class DiaphragmEntryMode { Diameter, Area };

// What three page fields show; never what is stored.
struct DisplayToggles {
    bool showMpow = false;        // motor field shows Mpow instead of Bl
    bool vasInCubicFeet = false;  // Vas field in ft^3 instead of litres
    bool glossInMm = false;       // Gloss field in mm instead of percent
};

inline constexpr std::string_view kUrlPlaceholder = "https://";

struct DriverParameters {
    std::array<double, kParamCount> values{};         // full precision: what computations use
    std::array<double, kParamCount> displayValues{};  // rounded to each parameter's decimals
    std::string name;
    std::string url{kUrlPlaceholder};
    DiaphragmEntryMode mode = DiaphragmEntryMode::Diameter;
    DisplayToggles toggles;

    double value(Param p) const { return values[indexOf(p)]; }
    double& value(Param p) { return values[indexOf(p)]; }
    // An entered parameter's display value is exactly the parsed number; a derived one is
    // rounded (the derived diaphragm quantity to 2 decimals).
    double displayValue(Param p) const { return displayValues[indexOf(p)]; }
    bool hasLink() const { return !url.empty() && url != kUrlPlaceholder; }
};

// Display decimals of a parameter as its page field shows it: the derived diaphragm quantity
// (Sd in diameter mode, Dd in area mode) shows 2 decimals.
int displayDecimals(Param p, DiaphragmEntryMode mode);

}  // namespace sublumo
