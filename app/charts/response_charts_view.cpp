#include "response_charts_view.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <algorithm>

#include "widgets/icons.h"
#include "widgets/menu_button.h"
#include "widgets/text_label.h"

namespace sublumo {

namespace {

// The view's own frame: a caption strip above the charts and the readout line below.
constexpr int kTopStrip = 18;
constexpr int kChartHeight = 309;
constexpr int kWidth = 590;
constexpr int kBottomStrip = 18;
constexpr int kAbsoluteLeft = 148;  // on the page, as the view's own left edge
constexpr int kPictureSize = 16;
constexpr int kMeasurementLeft = 290;
const QString kChartHint = QStringLiteral("Click: edit the design; double click: design aids");

int indexOf(ChartKind kind) {
    return kind == ChartKind::Relative ? 0 : 1;
}

QLabel* makeCaption(QWidget* parent, const char* name, const QString& text, QRect geometry,
                    Qt::Alignment alignment) {
    auto* label = new TextLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    return label;
}

}  // namespace

ResponseChartsView::ResponseChartsView(QWidget* parent, const ChartFactory& factory,
                                       const LimitPlotFactory& limitFactory)
    : QWidget(parent) {
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
        w->setAccessibleDescription(kChartHint);
    }
    chart(ChartKind::Absolute).widget()->setGeometry(0, kTopStrip, kWidth, kChartHeight);
    m_limitPlot = limitFactory(this);
    QWidget* limits = m_limitPlot->widget();
    limits->setGeometry(0, kTopStrip, kWidth, kChartHeight);
    limits->installEventFilter(this);
    limits->setMouseTracking(true);
    limits->setAccessibleDescription(kChartHint);
    m_levelCaption = makeCaption(this, "dBCaption", QStringLiteral("dB"),
                                 QRect(2, 1, 20, kTopStrip - 2), Qt::AlignLeft | Qt::AlignBottom);
    makeCaption(this, "HzCaption", QStringLiteral("Hz"),
                QRect(kWidth - 24, kTopStrip + kChartHeight, 22, kBottomStrip),
                Qt::AlignRight | Qt::AlignVCenter);
    m_readout =
        makeCaption(this, "cursorReadout", QString(),
                    QRect(24, kTopStrip + kChartHeight, kMeasurementLeft - 26, kBottomStrip),
                    Qt::AlignLeft | Qt::AlignVCenter);
    m_readout->setAccessibleDescription(
        QStringLiteral("Frequency and level under the mouse pointer on the chart"));
    m_shiftUp = makeShiftPicture(ShiftDirection::Up, 24);
    m_shiftDown = makeShiftPicture(ShiftDirection::Down, 24 + kPictureSize + 2);
    buildChartChoice();
    buildCurvesMenu();
    applyWindow();
    applyShown();
}

void ResponseChartsView::buildCurvesMenu() {
    // Titled and named, so that a screen reader announces it as a standard menu is.
    m_curvesMenu = new QMenu(QStringLiteral("Curves"), this);
    m_curvesMenu->setObjectName(QStringLiteral("curvesMenu"));
    m_curvesMenu->setAccessibleName(m_curvesMenu->title());
    m_curvesMenu->setAccessibleDescription(
        QStringLiteral("Export the chart's curves as files, or draw a measurement over them"));
    m_exportFiles = m_curvesMenu->addAction(QStringLiteral("Export FRD..."), this,
                                            [this] { emit exportRequested(false); });
    m_curvesMenu->addAction(QStringLiteral("Export CSV..."), this,
                            [this] { emit exportRequested(true); });
    m_curvesMenu->addSeparator();
    m_curvesMenu->addAction(QStringLiteral("Open measurement..."), this,
                            &ResponseChartsView::measurementRequested);
    m_removeMeasurements =
        m_curvesMenu->addAction(QStringLiteral("Remove measurements"), this, [this] {
            while (!m_overlays.empty()) removeOverlay(0);
        });
    connect(m_curvesMenu, &QMenu::aboutToShow, this, &ResponseChartsView::updateCurvesMenu);

    // The keyboard's way to the menu: Tab to the button, Space opens it.
    m_curvesButton = new MenuButton(m_curvesMenu, this);
    m_curvesButton->setObjectName(QStringLiteral("curves"));
    m_curvesButton->setText(QStringLiteral("Curves"));
    m_curvesButton->setAutoRaise(true);
    m_curvesButton->setGeometry(62, 0, 62, kTopStrip);
    m_curvesButton->setAccessibleName(QStringLiteral("Curves"));
    m_curvesButton->setAccessibleDescription(m_curvesMenu->accessibleDescription());
    m_curvesButton->setToolTip(m_curvesButton->accessibleDescription());

    for (QWidget* w : {chart(ChartKind::Relative).widget(), chart(ChartKind::Absolute).widget(),
                       m_limitPlot->widget()}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint& at) { m_curvesMenu->popup(w->mapToGlobal(at)); });
    }
}

// FRD carries responses and levels, ZMA impedances; the other limits go to CSV only.
void ResponseChartsView::updateCurvesMenu() {
    using enclosure::LimitKind;
    const bool impedance = m_limitKind == LimitKind::Impedance;
    m_exportFiles->setText(impedance ? QStringLiteral("Export ZMA...")
                                     : QStringLiteral("Export FRD..."));
    m_exportFiles->setEnabled(!m_limitKind || impedance || m_limitKind == LimitKind::MaximumSpl);
    m_removeMeasurements->setEnabled(!m_overlays.empty());
}

void ResponseChartsView::addOverlay(MeasurementOverlay overlay) {
    if (m_overlays.size() >= static_cast<std::size_t>(curve::kOverlayCount))
        m_overlays.erase(m_overlays.begin());
    m_overlays.push_back(std::move(overlay));
    drawOverlays();
}

void ResponseChartsView::removeOverlay(int index) {
    if (index < 0 || index >= static_cast<int>(m_overlays.size()))
        return;
    m_overlays.erase(m_overlays.begin() + index);
    drawOverlays();
    if (!m_overlayButtons.empty())
        m_overlayButtons[static_cast<std::size_t>(
                             std::min<int>(index, static_cast<int>(m_overlayButtons.size()) - 1))]
            ->setFocus();
    else
        m_curvesButton->setFocus();
}

// Each measurement on its chart, and a button with its name, in its colour, that removes it.
void ResponseChartsView::drawOverlays() {
    for (QToolButton* button : m_overlayButtons) button->deleteLater();
    m_overlayButtons.clear();
    const bool impedanceShown = m_limitKind == enclosure::LimitKind::Impedance;
    // In the readout line, right of the longest readout and left of the "Hz" caption; each
    // label is cut only to its share of the room the labels before it left free.
    int left = kMeasurementLeft;
    const int right = kWidth - 26;
    const int shownCount = std::min(static_cast<int>(m_overlays.size()), curve::kOverlayCount);
    for (int i = 0; i < curve::kOverlayCount; ++i) {
        const int c = curve::kFirstOverlay + i;
        const MeasurementOverlay* o = i < static_cast<int>(m_overlays.size())
                                          ? &m_overlays[static_cast<std::size_t>(i)]
                                          : nullptr;
        for (ChartKind kind : {ChartKind::Relative, ChartKind::Absolute}) {
            if (o && !o->impedance)
                chart(kind).setCurvePoints(c, o->frequency, o->value);
            else
                chart(kind).clearCurve(c);
        }
        if (o && o->impedance && impedanceShown)
            m_limitPlot->setCurvePoints(c, CurvePart::Own, false, o->frequency, o->value);
        else
            m_limitPlot->clearCurve(c);
        if (!o)
            continue;
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("overlay%1").arg(i + 1));
        const QString caption = QStringLiteral("✕ ") + o->name;
        button->setText(caption);
        const int share = (right - left) / (shownCount - i) - 2;
        const int excess = button->sizeHint().width() - share;
        if (excess > 0) {
            const QFontMetrics metrics = button->fontMetrics();
            button->setText(metrics.elidedText(
                caption, Qt::ElideRight, std::max(0, metrics.horizontalAdvance(caption) - excess)));
        }
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::StrongFocus);
        button->setStyleSheet(QStringLiteral("color: %1").arg(curve::colour(c).name()));
        button->setAccessibleName(o->name);
        button->setAccessibleDescription(QStringLiteral("Click: remove this measurement"));
        button->setToolTip(o->name + QStringLiteral("\nClick: remove this measurement"));
        const int width = std::min(button->sizeHint().width(), std::max(share, 0));
        button->setGeometry(left, kTopStrip + kChartHeight, width, kBottomStrip);
        left += width + 2;
        connect(button, &QToolButton::clicked, this, [this, i] { removeOverlay(i); });
        button->show();
        m_overlayButtons.push_back(button);
    }
}

void ResponseChartsView::buildChartChoice() {
    m_kindChoice = new QComboBox(this);
    m_kindChoice->setObjectName(QStringLiteral("chartKind"));
    m_kindChoice->addItem(QStringLiteral("Response"));
    for (enclosure::LimitKind kind : enclosure::kLimitKinds) {
        const std::string_view title = enclosure::limitKindTitle(kind);
        m_kindChoice->addItem(
            QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    }
    m_kindChoice->setGeometry(kWidth - 132, 0, 130, kTopStrip);
    m_kindChoice->setAccessibleName(QStringLiteral("Chart"));
    m_kindChoice->setAccessibleDescription(
        QStringLiteral("The response, or a limit of the design: impedance, excursion, port "
                       "velocity, group delay, maximum SPL or maximum power"));
    m_kindChoice->setToolTip(m_kindChoice->accessibleDescription());
    connect(m_kindChoice, &QComboBox::currentIndexChanged, this, [this](int index) {
        std::optional<enclosure::LimitKind> kind;
        if (index > 0)
            kind = enclosure::kLimitKinds[static_cast<std::size_t>(index - 1)];
        setLimitKind(kind);
    });

    m_ventLine = new QDoubleSpinBox(this);
    m_ventLine->setObjectName(QStringLiteral("ventLine"));
    m_ventLine->setRange(1, 100);
    m_ventLine->setDecimals(0);
    m_ventLine->setPrefix(QStringLiteral("line "));
    m_ventLine->setSuffix(QStringLiteral(" m/s"));
    m_ventLine->setValue(enclosure::kDefaultVentVelocityLine);
    m_ventLine->setGeometry(kWidth - 132 - 104, 0, 100, kTopStrip);
    m_ventLine->setAccessibleName(QStringLiteral("Port velocity line"));
    m_ventLine->setAccessibleDescription(
        QStringLiteral("Peak air velocity drawn as a line on the port velocity chart"));
    m_ventLine->setToolTip(m_ventLine->accessibleDescription());
    connect(m_ventLine, &QDoubleSpinBox::valueChanged, this,
            &ResponseChartsView::ventVelocityLineChanged);
}

void ResponseChartsView::setLimitKind(std::optional<enclosure::LimitKind> kind) {
    const int index = kind ? static_cast<int>(*kind) + 1 : 0;
    if (m_kindChoice->currentIndex() != index) {
        m_kindChoice->setCurrentIndex(index);  // comes back here through the signal
        return;
    }
    if (kind == m_limitKind)
        return;
    m_limitKind = kind;
    applyShown();
    drawOverlays();
    emit limitKindChanged();
}

double ResponseChartsView::ventVelocityLine() const {
    return m_ventLine->value();
}

void ResponseChartsView::setVentVelocityLine(double value) {
    m_ventLine->setValue(value);
}

ResponseChartsView::~ResponseChartsView() = default;

QToolButton* ResponseChartsView::makeShiftPicture(ShiftDirection direction, int left) {
    const bool up = direction == ShiftDirection::Up;
    auto* button = new QToolButton(this);
    button->setObjectName(up ? QStringLiteral("graphShiftUp") : QStringLiteral("graphShiftDown"));
    button->setIcon(sublumoIcon(up ? IconKind::ShiftUp : IconKind::ShiftDown));
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

void ResponseChartsView::setChartNote(ChartKind kind, const QString& note) {
    chart(kind).setNote(note);
    describeChart(*chart(kind).widget(), note, kChartHint);
}

void ResponseChartsView::showChart(ChartKind kind) {
    m_shown = kind;
    applyShown();
}

void ResponseChartsView::applyShown() {
    const bool response = !m_limitKind;
    chart(ChartKind::Relative).widget()->setVisible(response && m_shown == ChartKind::Relative);
    chart(ChartKind::Absolute).widget()->setVisible(response && m_shown == ChartKind::Absolute);
    m_limitPlot->widget()->setVisible(!response);
    if (!response) {
        const std::string_view title = enclosure::limitKindTitle(*m_limitKind);
        m_limitPlot->widget()->setAccessibleName(
            QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    }
    m_levelCaption->setVisible(response);
    m_ventLine->setVisible(m_limitKind == enclosure::LimitKind::PortVelocity);
    showShiftPictures();
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
    showShiftPictures();
}

// Only the response charts shift; keyboard users keep their place: focus moves to the other
// picture before one hides.
void ResponseChartsView::showShiftPictures() {
    if (!m_window.shiftUpShown && m_shiftUp->hasFocus())
        m_shiftDown->setFocus();
    if (!m_window.shiftDownShown && m_shiftDown->hasFocus())
        m_shiftUp->setFocus();
    const bool response = !m_limitKind;
    m_shiftUp->setVisible(response && m_window.shiftUpShown);
    m_shiftDown->setVisible(response && m_window.shiftDownShown);
}

QString ResponseChartsView::cursorReadout() const {
    return m_readout->text();
}

void ResponseChartsView::showReadout(QObject* chartWidget, const QPointF& pixel) {
    if (chartWidget == m_limitPlot->widget()) {
        const auto reading = m_limitPlot->readingAt(pixel);
        QString text;
        if (reading && m_limitKind) {
            text = QString::fromStdString(enclosure::limitCursorText(
                *m_limitKind, reading->frequency, reading->level, m_format));
            const std::string_view binding =
                m_currentLimits ? enclosure::bindingLimitText(*m_currentLimits, reading->frequency)
                                : std::string_view();
            if (!text.isEmpty() && !binding.empty())
                text += QStringLiteral(", ") +
                        QString::fromUtf8(binding.data(), static_cast<qsizetype>(binding.size()));
        }
        m_readout->setText(text);
        return;
    }
    const ChartKind kind = chartWidget == chart(ChartKind::Relative).widget() ? ChartKind::Relative
                                                                              : ChartKind::Absolute;
    const auto reading = chart(kind).readingAt(pixel);
    std::optional<CursorPosition> position;
    if (reading)
        position = CursorPosition{reading->frequency, reading->level};
    m_readout->setText(QString::fromStdString(cursorReadoutText(position, m_format)));
}

bool ResponseChartsView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove:
            showReadout(watched, static_cast<QMouseEvent*>(event)->position());
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
