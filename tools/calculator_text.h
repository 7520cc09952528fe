#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver_parameters.h"
#include "number_text.h"

namespace sublumo::tools {

// The lines of a calculator's multi-line text box; empty when its computation failed.
using TextLines = std::vector<std::string>;

// An input field as a compute leaves it. An empty text is refilled with the field's default
// and selected, so that the next key typed replaces it.
struct InputText {
    std::string text;
    bool selected = false;
};

InputText refillInput(std::string_view text, std::string_view defaultText);

// An input after the refill, with its number; no number when the text does not parse.
struct ReadInput {
    InputText field;
    std::optional<double> value;
};

// Refills an empty text, then reads it with the user's separator. A minus is accepted (a
// pasted text can carry one); each calculator's guards decide what a negative value means.
ReadInput readInput(std::string_view text, std::string_view defaultText, NumberFormat format);

// Digits only, with an optional minus: the number of vents is a whole number.
std::optional<long long> readWholeNumber(std::string_view text);

// A result rounded for display in the general number format; a non-finite value shows "0".
std::string showRounded(double v, int decimals, NumberFormat format);

// A guarded result: "0" where the guard failed.
std::string showOrZero(std::optional<double> v, int decimals, NumberFormat format);

// A computed value that is not finite (a zero divisor, the root or logarithm of a negative
// number) is a failed computation.
std::optional<double> finiteOrNothing(double v);

// "+" before a value whose display is greater than 0; a negative value carries its own minus,
// and a value shown as 0 gets no sign.
std::string plusSign(double v, int decimals);

// A driver parameter as its page field shows it.
std::string driverFieldText(const DriverParameters& driver, Param p, NumberFormat format);

// The refill of an input that defaults to a driver parameter: the driver's text when that
// parameter is greater than 0, otherwise the fallback.
std::string driverOrDefault(const DriverParameters& driver, Param p, std::string_view fallback,
                            NumberFormat format);

// The pure part of an "OK" transfer into the driver's parameter fields.
struct FieldWrite {
    Param param;
    std::string text;
};

struct DriverTransfer {
    // Entry mode to switch to before writing, when the target field is not open for entry.
    std::optional<DiaphragmEntryMode> entryMode;
    std::vector<FieldWrite> writes;  // in this order; each write runs the solver
    std::string nameSuffix;          // appended to the driver's name
    std::optional<Param> focus;      // the driver field that takes the focus afterwards
};

}  // namespace sublumo::tools
