#include "calculator_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace sublumo::tools {

namespace {}  // namespace

InputText refillInput(std::string_view text, std::string_view defaultText) {
    if (text.empty())
        return {std::string(defaultText), true};
    return {std::string(text), false};
}

ReadInput readInput(std::string_view text, std::string_view defaultText, NumberFormat format) {
    ReadInput input{refillInput(text, defaultText), std::nullopt};
    input.value = parseDecimal(input.field.text, format, SignRule::AllowMinus);
    return input;
}

std::optional<long long> readWholeNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    long long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string showRounded(double v, int decimals, NumberFormat format) {
    return formatRounded(v, decimals, format);
}

std::string showOrZero(std::optional<double> v, int decimals, NumberFormat format) {
    return v ? showRounded(*v, decimals, format) : std::string("0");
}

std::optional<double> finiteOrNothing(double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

std::string plusSign(double v, int decimals) {
    return roundToDecimals(v, decimals) > 0.0 ? "+" : "";
}

std::string driverFieldText(const DriverParameters& driver, Param p, NumberFormat format) {
    // Entered fields show the number as parsed, derived ones their display value.
    const bool derivedDiaphragm = (p == Param::Sd && driver.mode == DiaphragmEntryMode::Diameter) ||
                                  (p == Param::Dd && driver.mode == DiaphragmEntryMode::Area);
    const bool entered = parameterInfo(p).entered && !derivedDiaphragm;
    return formatNumber(entered ? driver.value(p) : driver.displayValue(p), format);
}

std::string driverOrDefault(const DriverParameters& driver, Param p, std::string_view fallback,
                            NumberFormat format) {
    if (driver.value(p) > 0.0)
        return driverFieldText(driver, p, format);
    return std::string(fallback);
}

}  // namespace sublumo::tools
