#include "stored_number.h"

#include <string>

namespace sublumo {

std::optional<double> readStoredNumber(std::string_view text, NumberFormat format) {
    return parseDecimal(normaliseDecimal(text, format), format, SignRule::AllowMinus);
}

}  // namespace sublumo
