#pragma once

#include <QPoint>
#include <QWidget>
#include <array>
#include <memory>

#include "chart_window.h"
#include "response_chart.h"

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
                                const ChartFactory& factory = makeQCustomPlotChart);
    ~ResponseChartsView() override;

    ResponseChart& chart(ChartKind kind) const;
    void showChart(ChartKind kind);
    ChartKind shownChart() const { return m_shown; }

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* makeShiftPicture(ShiftDirection direction, int left);
    void applyWindow();
    void showReadout(ChartKind kind, const QPointF& pixel);

    std::array<std::unique_ptr<ResponseChart>, 2> m_charts;
    ChartKind m_shown = ChartKind::Relative;
    ChartWindow m_window;
    NumberFormat m_format;
    QToolButton* m_shiftUp = nullptr;
    QToolButton* m_shiftDown = nullptr;
    QLabel* m_readout = nullptr;
};

}  // namespace sublumo
