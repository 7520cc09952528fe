#include "response_charts_view.h"

#include <QEvent>
#include <QMouseEvent>

namespace sublumo {

namespace {

int indexOf(ChartKind kind) {
    return kind == ChartKind::Relative ? 0 : 1;
}

}  // namespace

ResponseChartsView::ResponseChartsView(QWidget* parent, const ChartFactory& factory)
    : QWidget(parent) {
    setObjectName(QStringLiteral("responseCharts"));
    for (ChartKind kind : {ChartKind::Relative, ChartKind::Absolute}) {
        auto& chart = m_charts[indexOf(kind)];
        chart = factory(kind, this);
        chart->widget()->installEventFilter(this);
    }
    // Relative chart at 151, 44 (587 x 309) and absolute at 148, 44 (590 x 309) on the page.
    chart(ChartKind::Relative).widget()->setGeometry(3, 0, 587, 309);
    chart(ChartKind::Absolute).widget()->setGeometry(0, 0, 590, 309);
    setFixedSize(590, 309);
    showChart(ChartKind::Relative);
}

ResponseChartsView::~ResponseChartsView() = default;

ResponseChart& ResponseChartsView::chart(ChartKind kind) const {
    return *m_charts[indexOf(kind)];
}

void ResponseChartsView::showChart(ChartKind kind) {
    m_shown = kind;
    chart(ChartKind::Relative).widget()->setVisible(kind == ChartKind::Relative);
    chart(ChartKind::Absolute).widget()->setVisible(kind == ChartKind::Absolute);
}

bool ResponseChartsView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick)
        emit chartDoubleClicked();
    else if (event->type() == QEvent::MouseButtonRelease &&
             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        emit chartClicked();
    return QWidget::eventFilter(watched, event);
}

}  // namespace sublumo
