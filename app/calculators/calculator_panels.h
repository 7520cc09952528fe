#pragma once

#include "calculators/calculator_panel.h"

namespace sublumo {

// One panel for each item of the three calculator menus, in menu order.
CalculatorPanel* makeDiaphragmAreaPanel(const CalculatorContext& context);
CalculatorPanel* makeQFactorsPanel(const CalculatorContext& context);
CalculatorPanel* makeResonanceShiftPanel(const CalculatorContext& context);
CalculatorPanel* makeAddedResistanceAndMassPanel(const CalculatorContext& context);
CalculatorPanel* makeVoiceCoilTemperaturePanel(const CalculatorContext& context);

CalculatorPanel* makeEnclosureResonancesPanel(const CalculatorContext& context);
CalculatorPanel* makeGoldenRatioPanel(const CalculatorContext& context);
CalculatorPanel* makeCrossoverPanel(const CalculatorContext& context);
CalculatorPanel* makeAirCoilPanel(const CalculatorContext& context);

CalculatorPanel* makeNearFieldPanel(const CalculatorContext& context);
CalculatorPanel* makeDistortionPanel(const CalculatorContext& context);
CalculatorPanel* makeInternalResistancePanel(const CalculatorContext& context);
CalculatorPanel* makeFreeFallPanel(const CalculatorContext& context);

}  // namespace sublumo
