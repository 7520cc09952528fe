#include "stored_number.h"

#include <array>
#include <cstdint>
#include <string>

namespace sublumo::database {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Exact powers of ten: a mantissa below 2^53 divided by one of them is correctly rounded, the
// same double the general parse gives.
constexpr std::array<double, 23> kPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common case of the list filter, which reads several values of every record at every
// keystroke: a short plain decimal. Nothing when the text needs the general parse (or is no
// number at all, which the general parse then reports).
std::optional<double> readShortDecimal(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    std::uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool separator = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (++digits > 15)
                return std::nullopt;
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            decimals += separator ? 1 : 0;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    const double value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    return negative ? -value : value;
}

}  // namespace

std::optional<double> readStoredNumber(std::string_view text, NumberFormat format) {
    if (const auto quick = readShortDecimal(text))
        return quick;
    return parseDecimal(normaliseDecimal(text, format), format, SignRule::AllowMinus);
}

}  // namespace sublumo::database
