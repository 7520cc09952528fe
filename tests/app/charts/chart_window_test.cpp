#include "charts/chart_window.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sublumo {
namespace {

struct ShiftRow {
    int fromMaximum;
    ShiftDirection direction;
    double relativeMinimum, relativeMaximum, absoluteMinimum, absoluteMaximum;
    bool upShown, downShown;
    int relativeLeft, relativeWidth;
};

constexpr auto Up = ShiftDirection::Up;
constexpr auto Down = ShiftDirection::Down;

// The shift tables row by row: from a maximum, the new windows, pictures and relative chart
// place.
const ShiftRow kShiftRows[] = {
    {10, Up, -20, 20, 70, 110, true, true, 151, 587},
    {20, Up, -10, 30, 80, 120, true, true, 151, 587},
    {30, Up, 0, 40, 90, 130, true, true, 154, 584},
    {40, Up, 10, 50, 100, 140, true, true, 154, 584},
    {50, Up, 20, 60, 110, 150, false, true, 154, 584},
    {60, Down, 10, 50, 100, 140, true, true, 154, 584},
    {50, Down, 0, 40, 90, 130, true, true, 154, 584},
    {40, Down, -10, 30, 80, 120, true, true, 151, 587},
    {30, Down, -20, 20, 70, 110, true, true, 151, 587},
    {20, Down, -30, 10, 60, 100, true, false, 151, 587},
};

TEST(ChartWindow, StartsAtMinus30To10AndAbsolute60To100) {
    const ChartWindow start;
    EXPECT_EQ(start, chartWindowAt(10));
    EXPECT_TRUE(start.shiftUpShown);
    EXPECT_FALSE(start.shiftDownShown);
    EXPECT_EQ(start.absoluteMinimum, 60);
    EXPECT_EQ(start.relativeLeft, 151);
}

TEST(ChartWindow, EachShiftFollowsItsTableRow) {
    for (const ShiftRow& row : kShiftRows) {
        SCOPED_TRACE(testing::Message()
                     << "from " << row.fromMaximum << (row.direction == Up ? " up" : " down"));
        const ChartWindow w = shiftChartWindow(chartWindowAt(row.fromMaximum), row.direction);
        EXPECT_EQ(w.relativeMinimum, row.relativeMinimum);
        EXPECT_EQ(w.relativeMaximum, row.relativeMaximum);
        EXPECT_EQ(w.absoluteMinimum, row.absoluteMinimum);
        EXPECT_EQ(w.absoluteMaximum, row.absoluteMaximum);
        EXPECT_EQ(w.shiftUpShown, row.upShown);
        EXPECT_EQ(w.shiftDownShown, row.downShown);
        EXPECT_EQ(w.relativeLeft, row.relativeLeft);
        EXPECT_EQ(w.relativeWidth, row.relativeWidth);
    }
}

TEST(ChartWindow, AShiftPastEitherEndOrFromAnOddMaximumChangesNothing) {
    const ChartWindow top = chartWindowAt(60);
    EXPECT_EQ(shiftChartWindow(top, Up), top);
    EXPECT_EQ(shiftChartWindow(ChartWindow{}, Down), ChartWindow{});
    ChartWindow odd;
    odd.relativeMaximum = 15;
    EXPECT_EQ(shiftChartWindow(odd, Up), odd);
    EXPECT_EQ(shiftChartWindow(odd, Down), odd);
}

struct ReadoutRow {
    const char* name;
    std::optional<CursorPosition> reading;
    NumberFormat format;
    const char* text;
};

const ReadoutRow kReadoutRows[] = {
    {"LeftEdge", CursorPosition{20, 10}, {'.'}, "cursor: 20 Hz / 10 dB"},
    {"RightEdgeOfTheOldGeometry",
     CursorPosition{20 * std::pow(10.0, 559.0 / 400), -3.04},
     {'.'},
     "cursor: 499.5 Hz / -3 dB"},
    {"ZeroGridLineAHairBelow", CursorPosition{100, -1e-13}, {'.'}, "cursor: 100 Hz / 0 dB"},
    {"Bottom", CursorPosition{31.62, -30}, {'.'}, "cursor: 31.6 Hz / -30 dB"},
    {"TiesGoToEven", CursorPosition{20.25, -0.25}, {'.'}, "cursor: 20.2 Hz / -0.2 dB"},
    {"LocaleSeparator", CursorPosition{123.45678, 87.66}, {','}, "cursor: 123,5 Hz / 87,7 dB"},
    {"OutsideThePlotArea", std::nullopt, {'.'}, ""},
};

TEST(CursorReadout, RoundsToTenthsInTheGeneralFormat) {
    for (const ReadoutRow& row : kReadoutRows)
        EXPECT_EQ(cursorReadoutText(row.reading, row.format), row.text) << row.name;
}

}  // namespace
}  // namespace sublumo
