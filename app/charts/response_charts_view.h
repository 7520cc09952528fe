#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "response_chart.h"

namespace sublumo {

// The relative and the absolute chart of the Enclosure page, one visible at a time. Designs
// draw into chart(kind); a click or double click on either chart is reported to the page.
class ResponseChartsView : public QWidget {
    Q_OBJECT
public:
    explicit ResponseChartsView(QWidget* parent = nullptr,
                                const ChartFactory& factory = makeQCustomPlotChart);
    ~ResponseChartsView() override;

    ResponseChart& chart(ChartKind kind) const;
    void showChart(ChartKind kind);
    ChartKind shownChart() const { return m_shown; }

signals:
    void chartClicked();
    void chartDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<std::unique_ptr<ResponseChart>, 2> m_charts;
    ChartKind m_shown = ChartKind::Relative;
};

}  // namespace sublumo
