#include "chart_window.h"

namespace sublumo {

namespace {

constexpr int kLowestMaximum = 10;
constexpr int kHighestMaximum = 60;
constexpr int kStep = 10;
constexpr int kSpan = 40;
constexpr int kAbsoluteOffset = 90;
// From this maximum on, the relative chart's labels have no minus sign left.
constexpr int kMovedFromMaximum = 40;

// Tenths, ties to even; a level a hair below zero reads "0", never "-0".
std::string rounded(double v, NumberFormat format) {
    return formatRounded(v, 1, format);
}

}  // namespace

ChartWindow chartWindowAt(int relativeMaximum) {
    ChartWindow w;
    w.relativeMaximum = relativeMaximum;
    w.relativeMinimum = relativeMaximum - kSpan;
    w.absoluteMaximum = relativeMaximum + kAbsoluteOffset;
    w.absoluteMinimum = w.absoluteMaximum - kSpan;
    w.shiftUpShown = relativeMaximum < kHighestMaximum;
    w.shiftDownShown = relativeMaximum > kLowestMaximum;
    const bool moved = relativeMaximum >= kMovedFromMaximum;
    w.relativeLeft = moved ? 154 : 151;
    w.relativeWidth = moved ? 584 : 587;
    return w;
}

ChartWindow shiftChartWindow(const ChartWindow& current, ShiftDirection direction) {
    const double maximum = current.relativeMaximum;
    const bool up = direction == ShiftDirection::Up;
    const int first = up ? kLowestMaximum : kLowestMaximum + kStep;
    const int last = up ? kHighestMaximum - kStep : kHighestMaximum;
    for (int row = first; row <= last; row += kStep) {
        if (maximum == row)
            return chartWindowAt(up ? row + kStep : row - kStep);
    }
    return current;
}

std::string cursorReadoutText(const std::optional<CursorPosition>& reading, NumberFormat format) {
    if (!reading)
        return {};
    return "cursor: " + rounded(reading->frequency, format) + " Hz / " +
           rounded(reading->level, format) + " dB";
}

}  // namespace sublumo
