#pragma once

// The rules of the charts' vertical window and of the cursor readout, kept free of Qt so that
// tables can check them without a window.
#include <optional>
#include <string>

#include "number_text.h"

namespace sublumo {

enum class ShiftDirection { Up, Down };

// Everything a window shift decides. The relative chart's maximum is the state; the absolute
// chart follows 90 dB higher, both with a 40 dB span.
struct ChartWindow {
    double relativeMinimum = -30;
    double relativeMaximum = 10;
    double absoluteMinimum = 60;
    double absoluteMaximum = 100;
    bool shiftUpShown = true;
    bool shiftDownShown = false;
    // The relative chart's left edge and width on the page: it moves 3 px right once its
    // labels need room for a leading minus no more.
    int relativeLeft = 151;
    int relativeWidth = 587;

    friend bool operator==(const ChartWindow&, const ChartWindow&) = default;
};

// The window for a relative maximum of 10, 20, ... 60 dB.
ChartWindow chartWindowAt(int relativeMaximum);

// One click on a shift picture. A maximum outside the tables' rows changes nothing.
ChartWindow shiftChartWindow(const ChartWindow& current, ShiftDirection direction);

// "cursor: f Hz / level dB" with both numbers rounded to 0.1 (ties to even); empty when the
// pointer is outside the plot area (no reading).
struct CursorPosition {
    double frequency = 0;
    double level = 0;
};
std::string cursorReadoutText(const std::optional<CursorPosition>& reading, NumberFormat format);

}  // namespace sublumo
