#pragma once

#include "response_chart.h"

namespace sublumo {

struct QCustomPlotChartOptions {
    // The memory curves sit on a layer of their own that only a store or a delete redraws, so
    // a keystroke repaints just the current design's curves. Off only to measure the gain.
    bool cacheMemoryLayer = true;
};

std::unique_ptr<ResponseChart> makeQCustomPlotChartWithOptions(ChartKind kind, QWidget* parent,
                                                               QCustomPlotChartOptions options);

}  // namespace sublumo
