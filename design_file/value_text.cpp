#include "value_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "text_encoding.h"

namespace sublumo::design_file {

namespace {

constexpr std::string_view kInfinite = "infinite";
constexpr char kHexDigits[] = "0123456789ABCDEF";


void escapeInto(std::string& out, unsigned char c) {
    switch (c) {
        case '\\':
            out += "\\\\";
            return;
        case '"':
            out += "\\\"";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        default:
            break;
    }
    if (c < 0x20 || c == 0x7F) {
        ((out += "\\x") += kHexDigits[c >> 4]) += kHexDigits[c & 0xF];
        return;
    }
    out += static_cast<char>(c);
}

// The escape at text[i] (after its backslash); the index of its last character, or nothing.
std::optional<std::size_t> unescapeInto(std::string& out, std::string_view text, std::size_t i) {
    if (i >= text.size())
        return std::nullopt;
    switch (text[i]) {
        case '\\':
            out += '\\';
            return i;
        case '"':
            out += '"';
            return i;
        case 'n':
            out += '\n';
            return i;
        case 'r':
            out += '\r';
            return i;
        case 't':
            out += '\t';
            return i;
        case 'x': {
            if (i + 2 >= text.size())
                return std::nullopt;
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            const int byte = high * 16 + low;
            // Only the control characters are written so; any other byte would break UTF-8.
            if (high < 0 || low < 0 || (byte >= 0x20 && byte != 0x7F))
                return std::nullopt;
            out += static_cast<char>(byte);
            return i + 2;
        }
        default:
            return std::nullopt;
    }
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::string quoteText(std::string_view text) {
    const std::string utf8 = database::decodeLine(text);
    std::string out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (char c : utf8) escapeInto(out, static_cast<unsigned char>(c));
    out += '"';
    return out;
}

std::optional<std::string> unquoteText(std::string_view value) {
    if (!value.starts_with('"'))
        return std::string(value);
    std::string out;
    for (std::size_t i = 1; i < value.size(); ++i) {
        if (value[i] == '"')
            return i + 1 == value.size() ? std::optional(out) : std::nullopt;
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        const auto last = unescapeInto(out, value, i + 1);
        if (!last)
            return std::nullopt;
        i = *last;
    }
    return std::nullopt;  // the closing quote is missing
}

std::optional<std::string> fieldNumberText(std::string_view text, NumberFormat format) {
    std::string normal = normaliseDecimal(database::stripLine(text), format);
    if (!normal.empty() && !parseDecimal(normal, format, SignRule::AllowMinus))
        return std::nullopt;
    return normal;
}

std::optional<std::string> exactNumberText(double value) {
    if (value == std::numeric_limits<double>::infinity())
        return std::string(kInfinite);
    if (!std::isfinite(value))
        return std::nullopt;
    // The widest double in plain decimal (5e-324) takes some 330 characters.
    std::array<char, 400> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed);
    return std::string(buffer.data(), written.ptr);
}

std::optional<double> readExactNumber(std::string_view text, bool allowInfinite) {
    if (allowInfinite && database::equalsFolded(text, kInfinite))
        return std::numeric_limits<double>::infinity();
    constexpr NumberFormat kPoint{'.'};
    return parseDecimal(normaliseDecimal(text, kPoint), kPoint, SignRule::AllowMinus);
}

std::optional<std::string> numberListText(std::span<const double> values) {
    std::string out;
    out.reserve(values.size() * 20);
    for (double value : values) {
        const auto text = exactNumberText(value);
        if (!text || *text == kInfinite)
            return std::nullopt;
        if (!out.empty())
            out += ' ';
        out += *text;
    }
    return out;
}

std::optional<std::vector<double>> readNumberList(std::string_view text, std::string_view& bad) {
    std::vector<double> values;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && !isBlank(text[i])) ++i;
        if (start == i)
            break;
        const std::string_view token = text.substr(start, i - start);
        const auto value = readExactNumber(token, false);
        if (!value) {
            bad = token;
            return std::nullopt;
        }
        values.push_back(*value);
    }
    return values;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace sublumo::design_file
