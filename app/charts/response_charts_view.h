#pragma once

#include <QPoint>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "chart_window.h"
#include "limit_plot.h"
#include "response_chart.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QMenu;
class QToolButton;

namespace sublumo {

// A measured curve drawn over the designs: a response (dB) on the response charts, an
// impedance (Ohm) on the impedance chart.
struct MeasurementOverlay {
    QString name;
    bool impedance = false;
    std::vector<double> frequency;
    std::vector<double> value;
};

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
    // Why a chart is empty, on the chart and first in its accessible description.
    void setChartNote(ChartKind kind, const QString& note);
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

    // Up to curve::kOverlayCount measurements; a further one replaces the oldest. Each shows a
    // button with its name above the charts that removes it.
    void addOverlay(MeasurementOverlay overlay);
    void removeOverlay(int index);
    const std::vector<MeasurementOverlay>& overlays() const { return m_overlays; }
    // The current design's limit chart, from which the readout tells which limit binds.
    void setCurrentLimitChart(std::optional<enclosure::LimitChart> chart) {
        m_currentLimits = std::move(chart);
    }

    // The menu of the "Curves" button and of a right click on a chart.
    QMenu* curvesMenu() const { return m_curvesMenu; }

    // The +-10 dB window of both charts, as the shift pictures move it.
    void shiftWindow(ShiftDirection direction);
    const ChartWindow& chartWindow() const { return m_window; }
    QString cursorReadout() const;
    // The readout's decimal separator: the page passes on the one the program read at start.
    void setNumberFormat(NumberFormat format) { m_format = format; }

signals:
    void chartClicked();
    void chartDoubleClicked();
    void chartWindowChanged();
    void limitKindChanged();
    void ventVelocityLineChanged();
    // From the curves menu: write the chart's curves as FRD or ZMA files, or as one CSV file.
    void exportRequested(bool csv);
    void measurementRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* makeShiftPicture(ShiftDirection direction, int left);
    void buildChartChoice();
    void buildCurvesMenu();
    void updateCurvesMenu();
    void drawOverlays();
    void applyWindow();
    void applyShown();
    void showShiftPictures();
    void showReadout(QObject* chartWidget, const QPointF& pixel);

    std::array<std::unique_ptr<ResponseChart>, 2> m_charts;
    std::unique_ptr<LimitPlot> m_limitPlot;
    ChartKind m_shown = ChartKind::Relative;
    std::optional<enclosure::LimitKind> m_limitKind;
    std::optional<enclosure::LimitChart> m_currentLimits;
    QComboBox* m_kindChoice = nullptr;
    QDoubleSpinBox* m_ventLine = nullptr;
    QLabel* m_levelCaption = nullptr;
    QToolButton* m_curvesButton = nullptr;
    QMenu* m_curvesMenu = nullptr;
    QAction* m_exportFiles = nullptr;
    QAction* m_removeMeasurements = nullptr;
    std::vector<MeasurementOverlay> m_overlays;
    std::vector<QToolButton*> m_overlayButtons;
    ChartWindow m_window;
    NumberFormat m_format;
    QToolButton* m_shiftUp = nullptr;
    QToolButton* m_shiftDown = nullptr;
    QLabel* m_readout = nullptr;
};

}  // namespace sublumo
