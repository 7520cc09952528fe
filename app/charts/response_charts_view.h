#pragma once

#include <QPoint>
#include <QWidget>
#include <array>
#include <memory>

#include "chart_window.h"
#include "limit_plot.h"
#include "response_chart.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QToolButton;

namespace sublumo {

// The relative and the absolute chart of the Enclosure page, one visible at a time, with the
// window shift pictures above them, the "dB" and "Hz" captions and the cursor readout line
// below. Designs draw into chart(kind); a click or double click on either chart is reported
// to the page.
class ResponseChartsView : public QWidget {
    Q_OBJECT
public:
    // Where the page puts the view: the charts then sit at 151, 44 (relative) and 148, 44
    // (absolute) on the page, with the captions and pictures in the strip above them.
    static constexpr QPoint kPagePosition{148, 26};

    explicit ResponseChartsView(QWidget* parent = nullptr,
                                const ChartFactory& factory = makeQCustomPlotChart,
                                const LimitPlotFactory& limitFactory = makeQCustomPlotLimitPlot);
    ~ResponseChartsView() override;

    ResponseChart& chart(ChartKind kind) const;
    // Which response chart shows while the response is chosen.
    void showChart(ChartKind kind);
    ChartKind shownChart() const { return m_shown; }

    // The chart choice above the charts: the response (none) or one of the design limits.
    std::optional<enclosure::LimitKind> limitKind() const { return m_limitKind; }
    void setLimitKind(std::optional<enclosure::LimitKind> kind);
    LimitPlot& limitPlot() const { return *m_limitPlot; }
    // The line drawn on the port velocity chart, m/s peak.
    double ventVelocityLine() const;
    void setVentVelocityLine(double value);

    // The +-10 dB window of both charts, as the shift pictures move it.
    void shiftWindow(ShiftDirection direction);
    const ChartWindow& chartWindow() const { return m_window; }
    QString cursorReadout() const;
    // The readout's decimal separator; the locale's until the page says otherwise.
    void setNumberFormat(NumberFormat format) { m_format = format; }

signals:
    void chartClicked();
    void chartDoubleClicked();
    void chartWindowChanged();
    void limitKindChanged();
    void ventVelocityLineChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* makeShiftPicture(ShiftDirection direction, int left);
    void buildChartChoice();
    void applyWindow();
    void applyShown();
    void showShiftPictures();
    void showReadout(QObject* chartWidget, const QPointF& pixel);

    std::array<std::unique_ptr<ResponseChart>, 2> m_charts;
    std::unique_ptr<LimitPlot> m_limitPlot;
    ChartKind m_shown = ChartKind::Relative;
    std::optional<enclosure::LimitKind> m_limitKind;
    QComboBox* m_kindChoice = nullptr;
    QDoubleSpinBox* m_ventLine = nullptr;
    QLabel* m_levelCaption = nullptr;
    ChartWindow m_window;
    NumberFormat m_format;
    QToolButton* m_shiftUp = nullptr;
    QToolButton* m_shiftDown = nullptr;
    QLabel* m_readout = nullptr;
};

}  // namespace sublumo
