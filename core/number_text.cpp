#include "number_text.h"

#include "number_text_buffer.h"

#include <array>
#include <charconv>
#include <cmath>

namespace sublumo {

namespace {

constexpr int kSignificantDigits = 15;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

double powerOfTen(int exponent) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    return exponent >= 0 && exponent < 9 ? kPowers[exponent] : std::pow(10.0, exponent);
}

// v * 10^k rounded to a whole number, ties to even, judged on v's exact binary value: the
// product itself can land on a half that v is not on (9.81 / 2 is stored a little above 4.905,
// but times 100 it rounds to exactly 490.5). Only near a half is the exact decision needed.
double roundedUnits(double v, int decimals) {
    const double scaled = v * powerOfTen(decimals);
    const double nearest = std::nearbyint(scaled);
    const double offHalf = std::abs(std::abs(scaled - std::trunc(scaled)) - 0.5);
    if (offHalf > 1e-9 + std::abs(scaled) * 4e-16 || decimals < 0 || decimals > 15)
        return nearest;
    std::array<char, 400> buffer{};
    const auto printed = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v,
                                       std::chars_format::fixed, decimals);
    std::string digits(buffer.data(), printed.ptr);
    std::erase(digits, '.');
    double units = nearest;
    std::from_chars(digits.data(), digits.data() + digits.size(), units);
    return units;
}

}  // namespace

double roundToDecimals(double v, int decimals) {
    const double scale = powerOfTen(decimals);
    if (!std::isfinite(v * scale))
        return v;  // too large to carry decimals: already whole
    return roundedUnits(v, decimals) / scale;
}

double roundScaled(double v, int decimals) {
    const double scale = powerOfTen(decimals);
    const double scaled = v * scale;
    if (!std::isfinite(scaled))
        return v;
    return std::nearbyint(scaled) / scale;
}

std::optional<std::string> tryFormatNumber(double v, NumberFormat format) {
    if (!std::isfinite(v))
        return std::nullopt;
    if (v == 0.0)
        return std::string("0");
    char fast[kMaxShortNumberText];
    if (const std::size_t n = writeShortNumberText(fast, v, format); n != 0)
        return std::string(fast, n);

    // Scientific form with 15 significant digits gives the digits and the exponent; the plain
    // text is then laid out by hand.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    std::string_view sci(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));

    const bool negative = sci.front() == '-';
    if (negative)
        sci.remove_prefix(1);
    const size_t ePos = sci.find('e');
    int exponent = 0;
    std::from_chars(sci.data() + ePos + 1 + (sci[ePos + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                    exponent);

    std::string digits;
    digits.reserve(kSignificantDigits);
    for (char c : sci.substr(0, ePos))
        if (c != '.')
            digits.push_back(c);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string text;
    text.reserve(digits.size() + 8);
    if (negative)
        text.push_back('-');
    const int digitCount = static_cast<int>(digits.size());
    if (exponent < 0) {
        text += '0';
        text += format.decimalSeparator;
        text.append(static_cast<size_t>(-exponent - 1), '0');
        text += digits;
    } else if (exponent + 1 >= digitCount) {
        text += digits;
        text.append(static_cast<size_t>(exponent + 1 - digitCount), '0');
    } else {
        text.append(digits, 0, static_cast<size_t>(exponent + 1));
        text += format.decimalSeparator;
        text.append(digits, static_cast<size_t>(exponent + 1));
    }
    return text;
}

std::string formatNumber(double v, NumberFormat format) {
    return tryFormatNumber(v, format).value_or("0");
}

std::string formatRounded(double v, int decimals, NumberFormat format) {
    const double scaled = roundedUnits(v, decimals);
    // Fast path: a whole number of units of the last decimal with at most 15 digits is exactly
    // what the 15-digit general format would print, so it can be laid out from the integer.
    if (decimals < 0 || decimals > 15 || !(std::abs(scaled) < 1e15))
        return formatNumber(roundToDecimals(v, decimals), format);
    auto units = static_cast<long long>(scaled);
    if (units == 0)
        return "0";
    std::string text;
    const bool negative = units < 0;
    if (negative)
        units = -units;
    std::string digits = std::to_string(units);
    int fraction = decimals;
    while (fraction > 0 && digits.back() == '0') {
        digits.pop_back();
        --fraction;
    }
    if (negative)
        text.push_back('-');
    const int whole = static_cast<int>(digits.size()) - fraction;
    if (whole <= 0) {
        text += '0';
        if (fraction > 0)
            text += format.decimalSeparator;
        text.append(static_cast<size_t>(-whole), '0');
        text += digits;
    } else {
        text.append(digits, 0, static_cast<size_t>(whole));
        if (fraction > 0) {
            text += format.decimalSeparator;
            text.append(digits, static_cast<size_t>(whole));
        }
    }
    return text;
}

std::optional<double> parseDecimal(std::string_view text, NumberFormat format, SignRule sign) {
    text = trimBlanks(text);
    std::string plain;
    plain.reserve(text.size());
    bool seenSeparator = false;
    bool seenDigit = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            seenDigit = true;
            plain.push_back(c);
        } else if (c == format.decimalSeparator && !seenSeparator) {
            seenSeparator = true;
            plain.push_back('.');
        } else if (c == '-' && i == 0 && sign == SignRule::AllowMinus) {
            plain.push_back('-');
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;

    double value = 0.0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size())
        return std::nullopt;
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string normaliseDecimal(std::string_view text, NumberFormat format) {
    std::string out(text);
    for (char& c : out)
        if (c == '.' || c == ',')
            c = format.decimalSeparator;
    return out;
}

}  // namespace sublumo
