#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sublumo {

// The locale's decimal separator travels as a value, never as a global.
struct NumberFormat {
    char decimalSeparator = '.';
};

// Display rounding: v to `decimals` places, to the nearest, ties to even, decided on the value
// as stored (4.905 stored a hair above shows 4.91). The page fields and exports show this.
double roundToDecimals(double v, int decimals);

// The stepping rule of the numeric fields: Round(v * 10^decimals) / 10^decimals, the product
// rounded to the nearest whole number with ties to even (Round(72.5) = 72).
double roundScaled(double v, int decimals);

// Plain decimal text: at most 15 significant digits, no trailing zeros, no exponent, no
// thousands separator. A non-finite value has no text; formatNumber gives "0" for it so that
// "inf" or "nan" can never reach a field or a file, tryFormatNumber reports it.
std::optional<std::string> tryFormatNumber(double v, NumberFormat format);
std::string formatNumber(double v, NumberFormat format);

// roundToDecimals followed by formatNumber.
std::string formatRounded(double v, int decimals, NumberFormat format);

enum class SignRule { Unsigned, AllowMinus };

// Strict: surrounding blanks, an optional minus where allowed, digits with at most one
// separator (the format's one) and at least one digit. Anything else, or a value that does not
// fit a double, is a failure.
std::optional<double> parseDecimal(std::string_view text, NumberFormat format,
                                   SignRule sign = SignRule::AllowMinus);

// Each "." and "," becomes the format's separator: stored numbers read the same whichever
// locale wrote them.
std::string normaliseDecimal(std::string_view text, NumberFormat format);

}  // namespace sublumo
