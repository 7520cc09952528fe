#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "number_text.h"

namespace sublumo::design_file {

// How single values are spelt in a design file.

// In double quotes, with "\" escapes for a backslash, a quote and the control characters, so
// that blanks at either end and line breaks come back. Text that is not UTF-8 is read as
// Windows-1252 first, as the database reads it.
std::string quoteText(std::string_view text);
// A quoted text, or an unquoted one taken as it stands; nothing when a quote is not closed or
// an escape is not one of quoteText's.
std::optional<std::string> unquoteText(std::string_view value);

// A field's number text with `format`'s separator, the digits as typed; the empty text stays
// empty. Nothing when the text is not a number in either notation.
std::optional<std::string> fieldNumberText(std::string_view text, NumberFormat format);

// The shortest plain decimal that reads back as the same double; "infinite" for +infinity (an
// infinite box, a lossless vent). Nothing for any other value that is not finite.
std::optional<std::string> exactNumberText(double value);
// The reverse, with "," read as a decimal mark too.
std::optional<double> readExactNumber(std::string_view text, bool allowInfinite);

// Numbers separated by one blank.
std::optional<std::string> numberListText(std::span<const double> values);
// Numbers separated by blanks or tabs; on failure `bad` is the first token that is not one.
std::optional<std::vector<double>> readNumberList(std::string_view text, std::string_view& bad);

// The value of one hexadecimal digit, either case; -1 for any other character.
int hexValue(char c);

}  // namespace sublumo::design_file
