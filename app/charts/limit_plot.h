#pragma once

#include <QPointF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "design_limits.h"
#include "response_chart.h"

class QWidget;

namespace sublumo {

// A curve's part on a limit chart: the kind's own curve, drawn solid, and a companion drawn
// dashed in the same colour (the impedance phase on the right axis, the level at U under the
// maximum SPL).
enum class CurvePart { Own = 0, Companion = 1 };

struct PlotLine {
    QString name;
    double value = 0;
};

// The chart of one design limit over 10 Hz to 1 kHz: the kind's vertical axis, fitted to what
// it shows, curves with the same roles and colours as on the response charts, reference lines,
// and a note when the kind does not apply to the design. The only implementation over a chart
// library lives in qcustomplot_chart.cpp.
class LimitPlot {
public:
    virtual ~LimitPlot() = default;

    // An empty `secondLabel` hides the right axis.
    virtual void setAxes(const QString& label, const QString& hint, const QString& secondLabel) = 0;
    virtual void setCurvePoints(int curve, CurvePart part, bool secondAxis,
                                std::span<const double> frequencies,
                                std::span<const double> values) = 0;
    virtual void clearCurve(int curve) = 0;  // both parts
    virtual void setReferenceLines(const std::vector<PlotLine>& lines) = 0;
    virtual void setNote(const QString& text) = 0;  // empty: none
    // Frequency and first-axis value under a pixel of widget(); none outside the plot area.
    virtual std::optional<ChartReading> readingAt(QPointF pixel) const = 0;
    virtual QWidget* widget() = 0;
};

using LimitPlotFactory = std::function<std::unique_ptr<LimitPlot>(QWidget* parent)>;

std::unique_ptr<LimitPlot> makeQCustomPlotLimitPlot(QWidget* parent);

// Draws a design's curves of `chart` as `curve`, clearing the parts it lacks.
void drawLimitCurves(LimitPlot& plot, int curve, const enclosure::LimitChart& chart);
// The chart's axes, reference lines and note, which come from the current design.
void drawLimitFrame(LimitPlot& plot, const enclosure::LimitChart& chart);

}  // namespace sublumo
