#pragma once

#include <optional>
#include <string_view>

#include "number_text.h"

namespace sublumo::database {

// A number text as stored by any locale: "." and "," both read as the decimal separator, then
// the strict parse. Nothing for an empty text or one that is not a number.
std::optional<double> readStoredNumber(std::string_view text, NumberFormat format);

}  // namespace sublumo::database
