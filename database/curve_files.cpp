#include "curve_files.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <variant>

#include "number_text.h"
#include "text_encoding.h"

namespace sublumo::database {

namespace {

constexpr NumberFormat kDot{'.'};

struct CleanPoint {
    double frequency;
    double value;
    std::optional<double> phase;
};

// The points a file can carry, in frequency order, each frequency printed once.
std::vector<CleanPoint> printablePoints(const NamedCurve& curve) {
    const std::size_t count = std::min(curve.frequency.size(), curve.value.size());
    const bool withPhase = curve.phase.size() >= count && !curve.phase.empty();
    std::vector<CleanPoint> points;
    points.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double f = roundToDecimals(curve.frequency[i], kFrequencyDecimals);
        const double v = curve.value[i];
        const std::optional<double> p = withPhase ? std::optional(curve.phase[i]) : std::nullopt;
        if (!std::isfinite(f) || f <= 0 || !std::isfinite(v) || (p && !std::isfinite(*p)))
            continue;
        points.push_back({f, v, p});
    }
    std::stable_sort(points.begin(), points.end(), [](const CleanPoint& a, const CleanPoint& b) {
        return a.frequency < b.frequency;
    });
    points.erase(std::unique(points.begin(), points.end(),
                             [](const CleanPoint& a, const CleanPoint& b) {
                                 return a.frequency == b.frequency;
                             }),
                 points.end());
    return points;
}

std::string oneLine(std::string_view text) {
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

std::string csvCell(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

std::string writeCurveFile(const NamedCurve& curve, const CurveFileHeader& header, CurveKind kind) {
    std::string out;
    out += "* " + oneLine(header.program) + "\n";
    out += "* " + oneLine(header.design) + "\n";
    out += "* " + oneLine(header.conditions) + "\n";
    out += "* " + oneLine(curve.name) + "\n";
    out += kind == CurveKind::Response ? "* Frequency [Hz]  Level [dB]  Phase [deg]\n"
                                       : "* Frequency [Hz]  Impedance [Ohm]  Phase [deg]\n";
    for (const CleanPoint& p : printablePoints(curve)) {
        out += formatRounded(p.frequency, kFrequencyDecimals, kDot);
        out += ' ';
        out += formatRounded(p.value, kValueDecimals, kDot);
        if (p.phase) {
            out += ' ';
            out += formatRounded(*p.phase, kPhaseDecimals, kDot);
        }
        out += '\n';
    }
    return out;
}

std::string writeCurvesCsv(const std::vector<NamedCurve>& curves) {
    // Each row's cells by curve, keyed by the printed frequency.
    std::map<double, std::vector<std::optional<double>>> rows;
    for (std::size_t c = 0; c < curves.size(); ++c) {
        for (const CleanPoint& p : printablePoints(curves[c])) {
            auto& cells = rows[p.frequency];
            cells.resize(curves.size());
            cells[c] = p.value;
        }
    }
    std::string out = "Frequency [Hz]";
    for (const NamedCurve& curve : curves) out += ',' + csvCell(oneLine(curve.name));
    out += '\n';
    for (auto& [frequency, cells] : rows) {
        cells.resize(curves.size());
        out += formatRounded(frequency, kFrequencyDecimals, kDot);
        for (const std::optional<double>& cell : cells) {
            out += ',';
            if (cell)
                out += formatRounded(*cell, kValueDecimals, kDot);
        }
        out += '\n';
    }
    return out;
}

namespace {

bool isCommentLine(std::string_view line) {
    return std::string_view("*#;!/'").find(line.front()) != std::string_view::npos;
}

}  // namespace

std::optional<double> parseLooseNumber(std::string_view token) {
    if (token.size() >= 2 && token.front() == '"' && token.back() == '"')
        token = token.substr(1, token.size() - 2);
    if (!token.empty() && token.front() == '+')
        token.remove_prefix(1);
    if (token.empty() || token.size() > 512 || token.front() == '+')
        return std::nullopt;
    std::string text(token);
    std::replace(text.begin(), text.end(), ',', '.');
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

void splitOn(std::string_view text, std::string_view delimiters,
             std::vector<std::string_view>& fields) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of(delimiters, start), text.size());
        if (end > start)
            fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// Blanks, tabs and semicolons always separate; a comma separates where it cannot be a decimal
// mark: on a line with no other separator, or in a field that holds a "." or a second comma.
std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    if (line.find_first_of(" \t;") == std::string_view::npos) {
        splitOn(line, ",", fields);
        return fields;
    }
    std::vector<std::string_view> coarse;
    splitOn(line, " \t;", coarse);
    for (std::string_view field : coarse) {
        const auto commas = std::count(field.begin(), field.end(), ',');
        if (commas > 1 || (commas == 1 && field.find('.') != std::string_view::npos))
            splitOn(field, ",", fields);
        else if (commas == 1 && field.back() == ',')
            splitOn(field, ",", fields);
        else if (field != ",")
            fields.push_back(field);
    }
    return fields;
}

std::string quotedToken(std::string_view token) {
    constexpr std::size_t kShown = 40;
    std::string shown = decodeLine(token.substr(0, kShown));
    if (token.size() > kShown)
        shown += "...";
    return "'" + shown + "'";
}

std::string lineMessage(std::size_t number, std::string_view text) {
    return "line " + std::to_string(number) + ": " + std::string(text);
}

// The point of one data line, or what is wrong with it.
std::variant<CurvePoint, std::string> parseDataLine(const std::vector<std::string_view>& fields,
                                                    std::size_t number) {
    const std::optional<double> f = parseLooseNumber(fields[0]);
    if (!f)
        return lineMessage(number, quotedToken(fields[0]) + " is not a number");
    if (fields.size() < 2)
        return lineMessage(number, "a frequency without a value");
    const std::optional<double> v = parseLooseNumber(fields[1]);
    if (!v)
        return lineMessage(number, quotedToken(fields[1]) + " is not a number");
    if (*f <= 0)
        return lineMessage(number, "the frequency " + quotedToken(fields[0]) + " is not above 0");
    CurvePoint point{*f, *v, std::nullopt};
    if (fields.size() >= 3)
        point.phase = parseLooseNumber(fields[2]);
    return point;
}

}  // namespace

CurveReadResult readCurveFile(std::string_view bytes) {
    CurveReadResult result;
    std::string firstTextLine;  // a heading before the data, reported only when nothing follows
    std::string firstProblem;
    std::size_t number = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view raw = bytes.substr(start, end - start);
        start = end +
                ((end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ? 2 : 1);
        ++number;

        const std::string_view line = stripLine(raw);
        if (line.empty() || isCommentLine(line))
            continue;
        const std::vector<std::string_view> fields = splitFields(line);
        if (fields.empty())
            continue;
        auto parsed = parseDataLine(fields, number);
        if (auto* point = std::get_if<CurvePoint>(&parsed)) {
            result.points.push_back(*point);
            continue;
        }
        std::string& message = std::get<std::string>(parsed);
        const bool heading = result.points.empty() && !parseLooseNumber(fields[0]);
        if (!heading)
            ++result.skippedLines;
        std::string& keep = heading ? firstTextLine : firstProblem;
        if (keep.empty())
            keep = std::move(message);
    }

    auto& points = result.points;
    std::stable_sort(points.begin(), points.end(), [](const CurvePoint& a, const CurvePoint& b) {
        return a.frequency < b.frequency;
    });
    points.erase(std::unique(points.begin(), points.end(),
                             [](const CurvePoint& a, const CurvePoint& b) {
                                 return a.frequency == b.frequency;
                             }),
                 points.end());
    result.hasPhase = !points.empty() && std::all_of(points.begin(), points.end(),
                                                     [](const CurvePoint& p) { return p.phase; });
    if (points.empty()) {
        result.skippedLines = 0;
        result.error = !firstProblem.empty()    ? firstProblem
                       : !firstTextLine.empty() ? firstTextLine
                                                : "no line holds a frequency and a value";
    }
    return result;
}

std::vector<std::string> curveFilePaths(std::string_view chosenPath,
                                        std::span<const NamedCurve> curves) {
    const std::string path(chosenPath);
    if (curves.size() <= 1)
        return {path};
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart)
        dot = path.size();
    const std::string stem = path.substr(0, dot);
    const std::string extension = path.substr(dot);
    std::vector<std::string> paths;
    for (const NamedCurve& curve : curves) {
        std::string name = curve.name;
        for (char& c : name)
            if (std::string_view("/\\:*?\"<>|\r\n\t").find(c) != std::string_view::npos)
                c = '_';
        paths.push_back(stem + " - " + name + extension);
    }
    return paths;
}

}  // namespace sublumo::database
