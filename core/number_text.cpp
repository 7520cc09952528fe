#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace sublumo {

namespace {

constexpr int kSignificantDigits = 15;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

double roundToDecimals(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = v * scale;
    if (!std::isfinite(scaled)) return v;  // too large to carry decimals: already whole
    return std::nearbyint(scaled) / scale;
}

std::optional<std::string> tryFormatNumber(double v, NumberFormat format) {
    if (!std::isfinite(v)) return std::nullopt;
    if (v == 0.0) return std::string("0");

    // Scientific form with 15 significant digits gives the digits and the exponent; the plain
    // text is then laid out by hand.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    std::string_view sci(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));

    const bool negative = sci.front() == '-';
    if (negative) sci.remove_prefix(1);
    const size_t ePos = sci.find('e');
    int exponent = 0;
    std::from_chars(sci.data() + ePos + 1 + (sci[ePos + 1] == '+' ? 1 : 0),
                    sci.data() + sci.size(), exponent);

    std::string digits;
    digits.reserve(kSignificantDigits);
    for (char c : sci.substr(0, ePos))
        if (c != '.') digits.push_back(c);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string text;
    text.reserve(digits.size() + 8);
    if (negative) text.push_back('-');
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
    return formatNumber(roundToDecimals(v, decimals), format);
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
    if (!seenDigit) return std::nullopt;

    double value = 0.0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::string normaliseDecimal(std::string_view text, NumberFormat format) {
    std::string out(text);
    for (char& c : out)
        if (c == '.' || c == ',') c = format.decimalSeparator;
    return out;
}

}  // namespace sublumo
