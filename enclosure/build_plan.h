#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bandpass_box.h"
#include "closed_box.h"
#include "design_limits.h"
#include "passive_radiator_box.h"
#include "vent.h"
#include "vented_box.h"

namespace sublumo::enclosure {

// From the simulated net volume to the box a person cuts: the volume the drivers, the vents,
// the bracing and a bandpass divider take away, the panels for butt joints, and a vent that
// stays under the air-speed line at full power.

// Width : height : depth of the inside of the box.
struct Proportion {
    double width = 1;
    double height = 1;
    double depth = 1;
};

struct ProportionPreset {
    std::string_view item;
    Proportion proportion;
};
// The golden-ratio series of the box-geometry calculator, the largest side as the height.
inline constexpr std::array<ProportionPreset, 3> kProportionPresets = {{
    {"1 : 1 : 1 (cube)", {1, 1, 1}},
    {"0.6 : 1.6 : 1 (golden ratio)", {0.6, 1.6, 1}},
    {"0.8 : 1.25 : 1 (golden ratio)", {0.8, 1.25, 1}},
}};

// The preset whose sides stand in the same ratio as `p` (any scale), or none: a proportion of
// the user's own.
std::optional<std::size_t> matchingPreset(const Proportion& p);

// Litres one driver displaces inside the box, estimated from its diaphragm diameter Dd (mm)
// as a cylinder of Dd about 0.22·Dd deep: cone, basket and magnet together.
double estimatedDriverDisplacement(double Dd);

// Everything that takes room inside the box besides the air the design needs, in litres.
struct VolumeBudget {
    double net = 0;           // the design's chambers together
    double displacement = 0;  // all drivers together
    double vents = 0;         // the vents inside the box: length times area
    double bracing = 0;
    bool divider = false;  // bandpass: a panel between the chambers
};

struct BoxSize {
    double width = 0;  // mm
    double height = 0;
    double depth = 0;
};

struct Panel {
    std::string_view name;
    int count = 0;
    double length = 0;  // mm
    double width = 0;   // mm
};

struct BoxPlan {
    double gross = 0;          // litres inside the walls, divider included
    double dividerVolume = 0;  // litres
    BoxSize inner;
    BoxSize outer;
    std::vector<Panel> panels;  // top and bottom, sides, front and back, the divider
    double panelArea = 0;       // m², all panels
};

// Inner size in the proportion holding the gross volume, outer adding two walls of `thickness`
// mm. Empty when the volume, the proportion or the thickness is not positive.
std::optional<BoxPlan> planBox(const VolumeBudget& budget, const Proportion& proportion,
                               double thickness);

// The vent for an air-speed limit: round (diameter) or a slot of a given height (width).
struct VentSizing {
    bool slot = false;
    double slotHeight = 50;  // mm
    int Nv = 1;
    double k = 0.85;
    double chamberVolume = 0;  // litres the vent tunes: Vb, or Vf of the bandpass
    double fillFactor = 1;
    double line = kDefaultVentVelocityLine;  // m/s peak
};

struct VentProposal {
    VentGeometry geometry;    // Dv, or Av at Bv, in whole mm
    VentValues values;        // Sv, Lv ... for the design's fb
    double peakVelocity = 0;  // m/s at maximum power, 10 Hz to 1 kHz
    double maximumSpl = 0;    // dB at fb
};

// Highest peak air velocity in the vents of `inputs.box` with the design driven at its maximum
// power at each frequency of the limit grid; empty without a vent or without a limit.
std::optional<double> peakVentVelocityAtMaximumPower(const LimitInputs& inputs);

// The smallest vent in whole mm whose velocity stays under the line; empty when the design has
// no vent or no power limit, or the vent cannot be tuned.
std::optional<VentProposal> proposeVent(const LimitInputs& inputs, const VentSizing& sizing);

// The Build view's inputs as typed.
struct BuildInputs {
    std::string thickness = "18";  // mm
    std::string width = "1";       // proportion
    std::string height = "1";
    std::string depth = "1";
    std::string bracing = "0";      // litres
    std::string displacement = "";  // litres per driver; empty: estimated from Dd
    std::string ventLimit = "17";   // m/s
    std::string slotHeight = "50";  // mm, for a slot vent
    bool slot = false;
    bool ventsInside = true;

    bool operator==(const BuildInputs&) const = default;
};

// The design as the Build view reads it.
struct BuildDesign {
    VolumeBudget chambers;  // net and divider; the rest is filled from the inputs
    double Dd = 0;          // mm, one driver
    int drivers = 1;
    std::optional<VentValues> vent;  // the design's vent as shown
    std::optional<LimitInputs> limits;
    VentSizing sizing;  // Nv, k, chamber volume and fill of the design's vent
};

// The texts the Build view shows; "0" where nothing can be computed.
struct BuildTexts {
    std::string displacement;  // per driver, litres, as used
    bool displacementEstimated = false;
    std::string net = "0";
    std::string drivers = "0";
    std::string vents = "0";
    std::string bracing = "0";
    std::string divider = "0";
    std::string gross = "0";
    std::string inner = "0";
    std::string outer = "0";
    std::vector<std::string> cutList;  // "2 × Top and bottom: 140 × 140 mm"
    std::string panelArea = "0";
    std::string vent = "0";          // "Dv 102 mm" or "Av 180 mm × Bv 50 mm", with Nv
    std::string ventLength = "0";    // mm
    std::string ventVelocity = "0";  // m/s
    std::string maximumSpl = "0";    // dB
    std::optional<VentProposal> proposal;
    std::optional<BoxPlan> plan;
    VolumeBudget budget;
};

// The design of each box as the Build view reads it; `limits` is the design's circuit.
BuildDesign buildDesign(const DriverParameters& driver, const ClosedBoxResult& r,
                        const std::optional<LimitInputs>& limits);
BuildDesign buildDesign(const DriverParameters& driver, const VentedBoxResult& r,
                        const VentedBoxInputs& in, const std::optional<LimitInputs>& limits);
BuildDesign buildDesign(const DriverParameters& driver, const BandpassBoxResult& r,
                        const BandpassBoxInputs& in, const std::optional<LimitInputs>& limits);

// The radiators sit in the walls and tune the box without a vent: only the net volume counts.
BuildDesign buildDesign(const DriverParameters& driver, const PassiveRadiatorResult& r,
                        const std::optional<LimitInputs>& limits);

BuildTexts computeBuild(const BuildDesign& design, const BuildInputs& inputs, NumberFormat format);

// The lines the Build view and the design sheet show: volumes, sizes, cut list, vent.
std::vector<std::string> buildReportLines(const BuildTexts& texts, const BuildInputs& inputs);

// The driver's parameters for the design sheet, "fs = 25 Hz", as the driver page shows them.
std::vector<std::string> driverSheetLines(const DriverParameters& driver, NumberFormat format);

}  // namespace sublumo::enclosure
