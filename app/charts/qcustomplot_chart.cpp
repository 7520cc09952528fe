// The one file that includes QCustomPlot: a later chart library change touches only this file.
#include <qcustomplot.h>

#include "response_chart.h"

namespace sublumo {

namespace {

constexpr double kMinFrequency = 20.0;
constexpr double kMaxFrequency = 500.0;

const QColor kCurveColours[curve::kCount] = {
    QColor(0, 0, 0),      QColor(178, 0, 0),     QColor(0, 124, 0),     QColor(0, 0, 178),
    QColor(178, 0, 178),  QColor(0, 124, 124),   QColor(178, 140, 0),   QColor(134, 44, 178),
    QColor(44, 134, 178), QColor(120, 120, 120), QColor(255, 128, 128), QColor(128, 128, 192)};

class QCustomPlotChart final : public ResponseChart {
public:
    QCustomPlotChart(ChartKind kind, QWidget* parent) : m_plot(new QCustomPlot(parent)) {
        m_plot->setObjectName(kind == ChartKind::Relative ? QStringLiteral("graf1")
                                                          : QStringLiteral("graf2"));
        m_plot->setInteractions({});
        m_plot->xAxis->setScaleType(QCPAxis::stLogarithmic);
        m_plot->xAxis->setRange(kMinFrequency, kMaxFrequency);
        m_plot->yAxis->setRange(kind == ChartKind::Relative ? -30 : 60,
                                kind == ChartKind::Relative ? 10 : 100);
        for (int i = 0; i < curve::kCount; ++i) {
            QCPGraph* graph = m_plot->addGraph();
            graph->setPen(QPen(kCurveColours[i], 2));
        }
    }

    void clearCurve(int curve) override {
        m_plot->graph(curve)->data()->clear();
        m_plot->replot(QCustomPlot::rpQueuedReplot);
    }

    void setCurvePoints(int curve, std::span<const double> frequencies,
                        std::span<const double> levels) override {
        const QVector<double> keys(frequencies.begin(), frequencies.end());
        const QVector<double> values(levels.begin(), levels.end());
        m_plot->graph(curve)->setData(keys, values, true);
        m_plot->replot(QCustomPlot::rpQueuedReplot);
    }

    void setLevelWindow(double minimum, double maximum) override {
        m_plot->yAxis->setRange(minimum, maximum);
        m_plot->replot(QCustomPlot::rpQueuedReplot);
    }
    double levelMinimum() const override { return m_plot->yAxis->range().lower; }
    double levelMaximum() const override { return m_plot->yAxis->range().upper; }

    std::optional<ChartReading> readingAt(QPointF pixel) const override {
        if (!m_plot->axisRect()->rect().contains(pixel.toPoint()))
            return std::nullopt;
        return ChartReading{m_plot->xAxis->pixelToCoord(pixel.x()),
                            m_plot->yAxis->pixelToCoord(pixel.y())};
    }

    QWidget* widget() override { return m_plot; }

private:
    QCustomPlot* m_plot;  // owned by its parent widget
};

}  // namespace

std::unique_ptr<ResponseChart> makeQCustomPlotChart(ChartKind kind, QWidget* parent) {
    return std::make_unique<QCustomPlotChart>(kind, parent);
}

}  // namespace sublumo
