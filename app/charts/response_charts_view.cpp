#include "response_charts_view.h"

#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace sublumo {

namespace {

// The view's own frame: a caption strip above the charts and the readout line below.
constexpr int kTopStrip = 18;
constexpr int kChartHeight = 309;
constexpr int kWidth = 590;
constexpr int kBottomStrip = 18;
constexpr int kAbsoluteLeft = 148;  // on the page, as the view's own left edge
constexpr int kPictureSize = 16;

int indexOf(ChartKind kind) {
    return kind == ChartKind::Relative ? 0 : 1;
}

// An arrow on a small bar, drawn on a 16 x 16 grid for 1x and 2x alike: up for +10 dB.
QIcon shiftIcon(ShiftDirection direction) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(kPictureSize * scale, kPictureSize * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        if (direction == ShiftDirection::Down)
            p.setTransform(QTransform(1, 0, 0, -1, 0, kPictureSize));
        p.setPen(QPen(QColor(0x30, 0x3a, 0x48), 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 13.5), QPointF(12.5, 13.5));
        QPainterPath arrow;
        arrow.moveTo(8, 2.5);
        arrow.lineTo(13, 8);
        arrow.lineTo(10, 8);
        arrow.lineTo(10, 11.5);
        arrow.lineTo(6, 11.5);
        arrow.lineTo(6, 8);
        arrow.lineTo(3, 8);
        arrow.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x6f, 0xc5));
        p.drawPath(arrow);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QLabel* makeCaption(QWidget* parent, const char* name, const QString& text, QRect geometry,
                    Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    label->setAccessibleName(text);
    return label;
}

}  // namespace

ResponseChartsView::ResponseChartsView(QWidget* parent, const ChartFactory& factory)
    : QWidget(parent) {
    const QString point = QLocale().decimalPoint();
    m_format.decimalSeparator = point.isEmpty() ? '.' : point.front().toLatin1();
    setObjectName(QStringLiteral("responseCharts"));
    setFixedSize(kWidth, kTopStrip + kChartHeight + kBottomStrip);
    for (ChartKind kind : {ChartKind::Relative, ChartKind::Absolute}) {
        auto& chart = m_charts[indexOf(kind)];
        chart = factory(kind, this);
        QWidget* w = chart->widget();
        w->installEventFilter(this);
        w->setMouseTracking(true);
        w->setAccessibleName(kind == ChartKind::Relative ? QStringLiteral("Relative response")
                                                         : QStringLiteral("Sound pressure level"));
        w->setAccessibleDescription(
            QStringLiteral("Click: edit the design; double click: design aids"));
    }
    chart(ChartKind::Absolute).widget()->setGeometry(0, kTopStrip, kWidth, kChartHeight);
    makeCaption(this, "dBCaption", QStringLiteral("dB"), QRect(2, 1, 20, kTopStrip - 2),
                Qt::AlignLeft | Qt::AlignBottom);
    makeCaption(this, "HzCaption", QStringLiteral("Hz"),
                QRect(kWidth - 24, kTopStrip + kChartHeight, 22, kBottomStrip),
                Qt::AlignRight | Qt::AlignVCenter);
    m_readout = makeCaption(this, "cursorReadout", QString(),
                            QRect(24, kTopStrip + kChartHeight, 400, kBottomStrip),
                            Qt::AlignLeft | Qt::AlignVCenter);
    m_readout->setAccessibleName(QStringLiteral("cursor"));
    m_shiftUp = makeShiftPicture(ShiftDirection::Up, 24);
    m_shiftDown = makeShiftPicture(ShiftDirection::Down, 24 + kPictureSize + 2);
    applyWindow();
    showChart(ChartKind::Relative);
}

ResponseChartsView::~ResponseChartsView() = default;

QToolButton* ResponseChartsView::makeShiftPicture(ShiftDirection direction, int left) {
    const bool up = direction == ShiftDirection::Up;
    auto* button = new QToolButton(this);
    button->setObjectName(up ? QStringLiteral("graphShiftUp") : QStringLiteral("graphShiftDown"));
    button->setIcon(shiftIcon(direction));
    button->setIconSize(QSize(kPictureSize - 2, kPictureSize - 2));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setGeometry(left, 1, kPictureSize, kPictureSize);
    const QString hint =
        up ? QStringLiteral("Graph shift (+10 dB)") : QStringLiteral("Graph shift (-10 dB)");
    button->setToolTip(hint);
    button->setAccessibleName(up ? QStringLiteral("Graph shift up")
                                 : QStringLiteral("Graph shift down"));
    button->setAccessibleDescription(hint);
    connect(button, &QToolButton::clicked, this, [this, direction] { shiftWindow(direction); });
    return button;
}

ResponseChart& ResponseChartsView::chart(ChartKind kind) const {
    return *m_charts[indexOf(kind)];
}

void ResponseChartsView::showChart(ChartKind kind) {
    m_shown = kind;
    chart(ChartKind::Relative).widget()->setVisible(kind == ChartKind::Relative);
    chart(ChartKind::Absolute).widget()->setVisible(kind == ChartKind::Absolute);
    m_readout->clear();
}

void ResponseChartsView::shiftWindow(ShiftDirection direction) {
    const ChartWindow next = shiftChartWindow(m_window, direction);
    if (next == m_window)
        return;
    m_window = next;
    applyWindow();
    emit chartWindowChanged();
}

void ResponseChartsView::applyWindow() {
    chart(ChartKind::Relative).setLevelWindow(m_window.relativeMinimum, m_window.relativeMaximum);
    chart(ChartKind::Absolute).setLevelWindow(m_window.absoluteMinimum, m_window.absoluteMaximum);
    chart(ChartKind::Relative)
        .widget()
        ->setGeometry(m_window.relativeLeft - kAbsoluteLeft, kTopStrip, m_window.relativeWidth,
                      kChartHeight);
    // Keyboard users keep their place: focus moves to the other picture before one hides.
    if (!m_window.shiftUpShown && m_shiftUp->hasFocus())
        m_shiftDown->setFocus();
    if (!m_window.shiftDownShown && m_shiftDown->hasFocus())
        m_shiftUp->setFocus();
    m_shiftUp->setVisible(m_window.shiftUpShown);
    m_shiftDown->setVisible(m_window.shiftDownShown);
}

QString ResponseChartsView::cursorReadout() const {
    return m_readout->text();
}

void ResponseChartsView::showReadout(ChartKind kind, const QPointF& pixel) {
    const auto reading = chart(kind).readingAt(pixel);
    std::optional<CursorPosition> position;
    if (reading)
        position = CursorPosition{reading->frequency, reading->level};
    m_readout->setText(QString::fromStdString(cursorReadoutText(position, m_format)));
}

bool ResponseChartsView::eventFilter(QObject* watched, QEvent* event) {
    const ChartKind kind =
        watched == chart(ChartKind::Relative).widget() ? ChartKind::Relative : ChartKind::Absolute;
    switch (event->type()) {
        case QEvent::MouseMove:
            showReadout(kind, static_cast<QMouseEvent*>(event)->position());
            break;
        case QEvent::Leave:
            m_readout->clear();
            break;
        case QEvent::MouseButtonDblClick:
            emit chartDoubleClicked();
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                emit chartClicked();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace sublumo
