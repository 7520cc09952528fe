#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sublumo::database {

// One curve of a chart as it leaves or enters the program: level in dB for a response, Ohm for
// an impedance; phase in degrees, empty when the curve has none.
struct NamedCurve {
    std::string name;
    std::vector<double> frequency;  // Hz
    std::vector<double> value;
    std::vector<double> phase;
};

// The "*" comment lines at the top of an FRD or ZMA file.
struct CurveFileHeader {
    std::string program;     // the program title
    std::string design;      // the design label
    std::string conditions;  // the conditions line of the chart
};

enum class CurveKind { Response, Impedance };

// Printed decimals: a reader gets the curve back to within half a unit of the last place.
inline constexpr int kFrequencyDecimals = 4;
inline constexpr int kValueDecimals = 4;
inline constexpr int kPhaseDecimals = 3;

// FRD (Response: Hz, dB, degrees) or ZMA (Impedance: Hz, Ohm, degrees): the comment lines,
// then "f value phase" per line, "." as decimal point whatever the locale, frequency strictly
// ascending. Points with a frequency that is not positive, or any number that is not finite,
// are left out; of two points printing the same frequency the first stays. A curve without
// phase is written with two numbers per line rather than an invented phase.
std::string writeCurveFile(const NamedCurve& curve, const CurveFileHeader& header, CurveKind kind);

// Every curve in one table: a header row "Frequency [Hz]" and one column per curve name, then
// one row per frequency that any curve has, ascending; a curve without a point at a row's
// frequency leaves that cell empty. Comma separated, names quoted where they need it.
std::string writeCurvesCsv(const std::vector<NamedCurve>& curves);

// Where an export of one file per curve writes: the chosen path for a single curve; for more,
// one file per curve beside it, "<stem> - <curve name><extension>", what no file name may hold
// replaced by "_".
std::vector<std::string> curveFilePaths(std::string_view chosenPath,
                                        std::span<const NamedCurve> curves);

struct CurvePoint {
    double frequency = 0;
    double value = 0;
    std::optional<double> phase;
};

struct CurveReadResult {
    std::vector<CurvePoint> points;  // ascending frequency, no two alike
    bool hasPhase = false;           // every point has a phase
    int skippedLines = 0;            // lines after the data began that held no usable point
    // Empty when points were found; otherwise what stopped the first line that looked like
    // data, e.g. "line 7: 'abc' is not a number".
    std::string error;
};

// A number as other programs write it: "." or "," as decimal mark, an optional sign and
// exponent, surrounding double quotes; nothing else, and finite only.
std::optional<double> parseLooseNumber(std::string_view token);

// The tolerant reader of measured curves: comma, tab, blank or semicolon between the numbers,
// "." or "," as decimal mark, an optional phase column (further columns ignored), exponents,
// comment lines ("*", "#", ";", "!", "/", "'") and lines of text before the data.
CurveReadResult readCurveFile(std::string_view bytes);

}  // namespace sublumo::database
