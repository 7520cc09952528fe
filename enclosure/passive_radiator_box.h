#pragma once

#include <optional>
#include <string>

#include "design_common.h"
#include "lumped_model.h"

namespace sublumo::enclosure {

// Which of the two linked fields the designer typed; the other follows from it.
enum class RadiatorSize { Diameter, Area };               // Dp in mm or Sp in cm²
enum class RadiatorCompliance { Compliance, AirVolume };  // Cmp in mm/N or Vap in litres

struct PassiveRadiatorInputs {
    std::string Vb = "0";
    std::string fb = "0";
    std::string Np = "1";
    std::string Dp = "0";
    std::string Sp = "0";
    std::string Mmp = "0";
    std::string Cmp = "0";
    std::string Vap = "0";
    std::string Qmp = "0";
    std::string Xmaxp = "0";
    RadiatorSize sizeBy = RadiatorSize::Diameter;
    RadiatorCompliance complianceBy = RadiatorCompliance::Compliance;
};

struct PassiveRadiatorResult {
    explicit PassiveRadiatorResult(NumberFormat format) : shared(format) {}

    SharedResult shared;
    PassiveRadiatorInputs texts;  // the field texts, defaults and the linked field put in
    bool valid = false;           // false: the radiators cannot tune the box to fb, nothing drawn
    PassiveRadiatorBox box;
    std::string Mplus = "0";  // g per radiator, 1 decimal: a kilogram still fits the field
    std::string fp = "0";     // Hz, 2 decimals
    std::string Xp = "0";     // mm, the radiators' worst peak excursion at U, 2 decimals
    // The highest fb the bare radiators give in this box, 2 decimals; empty while no radiator
    // can be computed.
    std::string highestFb;
};

// The added mass on each radiator that tunes the box to fb, in g; negative when fb lies above
// what the bare radiators give.
double radiatorAddedMass(const PassiveRadiatorBox& box, double fb, const AirConstants& air = {});

// The radiators' largest peak excursion in mm at U, over the limit charts' 10 Hz - 1 kHz.
double worstRadiatorExcursion(const LumpedDriver& driver, const PassiveRadiatorBox& box, double U);

// The relative response from the circuit: its pressure over the same driver's passband pressure,
// without Le as the other boxes' response curves.
Curve radiatorResponse(LumpedDriver driver, const PassiveRadiatorBox& box);

PassiveRadiatorResult recomputePassiveRadiatorBox(const DriverParameters& driver,
                                                  const SharedInputs& shared,
                                                  const PassiveRadiatorInputs& inputs,
                                                  NumberFormat format);

}  // namespace sublumo::enclosure
