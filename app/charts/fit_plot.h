#pragma once

#include <QString>
#include <memory>
#include <span>

class QWidget;

namespace sublumo {

// The small chart beside a fitted impedance: the measured magnitude over the file's range and
// the fitted model drawn over it. The only implementation over a chart library lives in
// qcustomplot_chart.cpp.
class FitPlot {
public:
    virtual ~FitPlot() = default;

    // Frequencies ascend; both curves share them. Empty spans clear the chart.
    virtual void setCurves(std::span<const double> frequencies, std::span<const double> measured,
                           std::span<const double> fitted) = 0;
    virtual void setNote(const QString& text) = 0;  // empty: none
    virtual QWidget* widget() = 0;
};

std::unique_ptr<FitPlot> makeQCustomPlotFitPlot(QWidget* parent);

}  // namespace sublumo
