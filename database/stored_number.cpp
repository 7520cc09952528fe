#include "stored_number.h"

#include <array>
#include <cstdint>
#include <string>

namespace sublumo::database {

namespace {

// Exact powers of ten: a mantissa below 2^53 divided by one of them is correctly rounded, the
// same double the general parse gives.
constexpr std::array<double, 23> kPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common case of the list filter, which reads several values of every record at every
// change: a short plain decimal without blanks. Nothing when the text needs the general parse
// (or is no number at all, which the general parse then reports).
std::optional<double> readShortDecimal(std::string_view text) {
    const char* at = text.data();
    const char* const end = at + text.size();
    const bool negative = at != end && *at == '-';
    at += negative ? 1 : 0;
    std::uint64_t mantissa = 0;
    const auto digitsFrom = [&] {
        const char* const first = at;
        for (; at != end && static_cast<unsigned char>(*at - '0') < 10; ++at)
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(*at - '0');
        return static_cast<int>(at - first);
    };
    const int whole = digitsFrom();
    int decimals = 0;
    if (at != end && (*at == '.' || *at == ',')) {
        ++at;
        decimals = digitsFrom();
    }
    if (at != end || whole + decimals == 0 || whole + decimals > 15)
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
