#pragma once

#include <string>
#include <vector>

#include "driver_parameters.h"
#include "number_text.h"

namespace sublumo {

// The 47 lines of the Formulas page: each parameter with the relation that links it to the
// others, in spreadsheet syntax, and its full-precision value.
std::vector<std::string> buildFormulasReport(const DriverParameters& params, NumberFormat format);

}  // namespace sublumo
