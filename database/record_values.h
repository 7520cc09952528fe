#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <variant>

#include "driver_filter.h"

namespace sublumo {

class DriverDatabase;

using CriterionValues = std::array<double, kCriterionCount>;
using CriterionMask = std::array<bool, kCriterionCount>;

// The criterion values of record `index`, reading only the stored values that the criteria in
// `needed` use; or the text of what stopped it (a value that is empty or not a number, a Qts
// or SPL that cannot be evaluated).
std::variant<CriterionValues, std::string> criterionValuesOf(const DriverDatabase& database,
                                                             std::size_t index,
                                                             const CriterionMask& needed,
                                                             NumberFormat format);

}  // namespace sublumo
