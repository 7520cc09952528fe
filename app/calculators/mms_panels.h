#pragma once

#include <functional>

#include "calculators/calculator_panel.h"

namespace sublumo {

// The two Mms methods at the bottom of the Q-factors panel; `showOther` runs when the link to
// the other method is clicked.
CalculatorPanel* makeAddedMassPanel(const CalculatorContext& context,
                                    std::function<void()> showOther);
CalculatorPanel* makeClosedBoxPanel(const CalculatorContext& context,
                                    std::function<void()> showOther);

}  // namespace sublumo
