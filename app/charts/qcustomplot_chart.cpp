// The one file that includes QCustomPlot: a later chart library change touches only this file.
#include <qcustomplot.h>

#include <QHelpEvent>
#include <QPointer>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "fit_plot.h"
#include "limit_plot.h"
#include "qcustomplot_chart.h"
#include "widgets/hint_timing.h"

namespace sublumo {

namespace {

constexpr double kMinFrequency = 20.0;
constexpr double kMaxFrequency = 500.0;
constexpr double kFrequencyLabelStep = 50.0;
constexpr double kLevelLabelStep = 5.0;
constexpr int kLevelSubTicks = 4;
constexpr int kTickLength = 3;
constexpr int kCurveWidth = 2;
constexpr int kTopMargin = 9;
constexpr int kRightMargin = 14;
constexpr int kBottomMargin = 20;
// Frequency labels closer than this (as a ratio, about 24 px at 400 px a decade) to the next
// label on their right stay unwritten, so the crowded top end stays legible.
const double kMinLabelRatio = std::pow(10.0, 24.0 / 400.0);

bool isMemoryCurve(int c) {
    return c >= curve::kFirstMemorySlot && c < curve::kFirstMemorySlot + curve::kMemorySlotCount;
}

// Labels every 5 dB with four minor ticks between them, whatever the window.
class LevelTicker final : public QCPAxisTickerFixed {
public:
    LevelTicker() {
        setTickStep(kLevelLabelStep);
        setScaleStrategy(ssNone);
    }

protected:
    int getSubTickCount(double) override { return kLevelSubTicks; }
};

// A tick every 50 Hz from 50 to 500 and one at 20 Hz; labels from the right end leftwards,
// each far enough from the last one written.
QSharedPointer<QCPAxisTickerText> frequencyTicker() {
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    ticker->setSubTickCount(0);
    double lastLabelled = 0;
    auto add = [&](double tick) {
        const bool labelled = lastLabelled == 0 || lastLabelled / tick >= kMinLabelRatio;
        ticker->addTick(tick, labelled ? QString::number(tick) : QString());
        if (labelled)
            lastLabelled = tick;
    };
    for (double f = kMaxFrequency; f >= kFrequencyLabelStep; f -= kFrequencyLabelStep) add(f);
    add(kMinFrequency);
    return ticker;
}

void styleAxis(QCPAxis* axis) {
    axis->setTickLength(0, kTickLength);
    axis->setSubTickLength(0, kTickLength - 1);
    QFont font = axis->tickLabelFont();
    font.setPointSizeF(8);
    axis->setTickLabelFont(font);
    axis->setTickLabelPadding(2);
}

// Replots a chart once per turn of the event loop, however many curves a recompute touched:
// only the current design's layer when nothing else changed, and nothing while the chart is
// hidden (the other response chart, or every chart but the chosen kind's), all of it when it
// shows again.
class ReplotScheduler final : public QObject {
public:
    // `beforeReplot` may change the axes; it says whether it did, which needs a full replot.
    ReplotScheduler(QCustomPlot* plot, QCPLayer* currentLayer,
                    std::function<bool()> beforeReplot = {})
        : m_plot(plot), m_currentLayer(currentLayer), m_beforeReplot(std::move(beforeReplot)) {
        plot->installEventFilter(this);
    }

    void request(bool full) {
        m_full = m_full || full || !m_currentLayer;
        if (m_queued)
            return;
        m_queued = true;
        QMetaObject::invokeMethod(
            this, [this] { replotNow(); }, Qt::QueuedConnection);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && m_waitingForShow) {
            m_waitingForShow = false;
            request(true);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void replotNow() {
        m_queued = false;
        if (!m_plot)
            return;
        if (!m_plot->isVisible()) {
            m_waitingForShow = true;
            return;
        }
        if (m_beforeReplot && m_beforeReplot())
            m_full = true;
        if (m_full)
            m_plot->replot();
        else
            m_currentLayer->replot();
        m_full = false;
    }

    QPointer<QCustomPlot> m_plot;
    QCPLayer* m_currentLayer;
    std::function<bool()> m_beforeReplot;
    bool m_queued = false;
    bool m_full = false;
    bool m_waitingForShow = false;
};

// The memory curves get a buffered layer under the current design's: a keystroke redraws only
// the layer that changed. Returns the current design's layer; nullptr when not cached.
QCPLayer* addMemoryLayer(QCustomPlot* plot) {
    QCPLayer* main = plot->layer(QStringLiteral("main"));
    plot->addLayer(QStringLiteral("memory"), main, QCustomPlot::limBelow);
    plot->layer(QStringLiteral("memory"))->setMode(QCPLayer::lmBuffered);
    main->setMode(QCPLayer::lmBuffered);
    return main;
}

// The line a chart shows when it has nothing to draw, near the top of the plot area.
QCPItemText* addNote(QCustomPlot* plot) {
    auto* note = new QCPItemText(plot);
    note->position->setType(QCPItemPosition::ptAxisRectRatio);
    // In the middle, where an empty chart has room and the bandpass alignment list, which opens
    // over the chart's top left, cannot cover it.
    note->position->setCoords(0.5, 0.5);
    note->setPositionAlignment(Qt::AlignCenter);
    note->setColor(QColor(0x60, 0x30, 0x00));
    note->setText(QString());
    note->setVisible(false);
    return note;
}

// Says whether the text changed.
bool showNote(QCPItemText* note, const QString& text) {
    if (text == note->text())
        return false;
    note->setText(text);
    note->setVisible(!text.isEmpty());
    return true;
}

class QCustomPlotChart final : public ResponseChart {
public:
    QCustomPlotChart(ChartKind kind, QWidget* parent, QCustomPlotChartOptions options)
        : m_plot(new QCustomPlot(parent)) {
        m_plot->setObjectName(kind == ChartKind::Relative ? QStringLiteral("graf1")
                                                          : QStringLiteral("graf2"));
        m_plot->setInteractions({});
        m_plot->setBackground(Qt::transparent);
        m_plot->setAttribute(Qt::WA_OpaquePaintEvent, false);
        m_plot->axisRect()->setBackground(kind == ChartKind::Relative ? QBrush(Qt::white)
                                                                      : QBrush(Qt::NoBrush));
        // Fixed margins keep the plot area 280 px high, 7 px a dB: every grid line falls on a
        // whole pixel and reads its own value. They also leave room for the end labels, which
        // QCustomPlot drops when they would cross the widget's border.
        m_plot->plotLayout()->setMargins(QMargins());
        m_plot->axisRect()->setAutoMargins(QCP::msNone);
        m_plot->axisRect()->setMargins(QMargins(kind == ChartKind::Relative ? 22 : 25, kTopMargin,
                                                kRightMargin, kBottomMargin));
        m_plot->legend->setVisible(false);
        setUpAxes(kind);
        QCPLayer* current = options.cacheMemoryLayer ? addMemoryLayer(m_plot) : nullptr;
        setUpCurves(kind, current);
        m_note = addNote(m_plot);
        m_replot = std::make_unique<ReplotScheduler>(m_plot, current);
    }

    ~QCustomPlotChart() override = default;

    void clearCurve(int c) override {
        if (!validCurve(c))
            return;
        m_plot->graph(c)->data()->clear();
        requestReplot(c);
    }

    void setCurvePoints(int c, std::span<const double> frequencies,
                        std::span<const double> levels) override {
        if (!validCurve(c))
            return;
        const QVector<double> keys(frequencies.begin(), frequencies.end());
        const QVector<double> values(levels.begin(), levels.end());
        m_plot->graph(c)->setData(keys, values, true);
        requestReplot(c);
    }

    void setLevelWindow(double minimum, double maximum) override {
        m_plot->yAxis->setRange(minimum, maximum);
        requestReplot(-1);
    }
    double levelMinimum() const override { return m_plot->yAxis->range().lower; }
    double levelMaximum() const override { return m_plot->yAxis->range().upper; }

    void setNote(const QString& text) override {
        if (showNote(m_note, text))
            requestReplot(-1);
    }

    // The plot area with its edges, as the axes map them: left() reads 20 Hz and
    // left() + width() 500 Hz; bottom() reads the minimum and bottom() - height() the maximum.
    std::optional<ChartReading> readingAt(QPointF pixel) const override {
        const QCPAxisRect* area = m_plot->axisRect();
        if (pixel.x() < area->left() || pixel.x() > area->left() + area->width() ||
            pixel.y() < area->bottom() - area->height() || pixel.y() > area->bottom())
            return std::nullopt;
        return ChartReading{m_plot->xAxis->pixelToCoord(pixel.x()),
                            m_plot->yAxis->pixelToCoord(pixel.y())};
    }

    QWidget* widget() override { return m_plot; }

private:
    void setUpAxes(ChartKind kind) {
        QCPAxis* x = m_plot->xAxis;
        x->setScaleType(QCPAxis::stLogarithmic);
        x->setTicker(frequencyTicker());
        x->setSubTicks(false);
        x->setRange(kMinFrequency, kMaxFrequency);
        styleAxis(x);
        QCPAxis* y = m_plot->yAxis;
        y->setTicker(QSharedPointer<LevelTicker>::create());
        y->setRange(kind == ChartKind::Relative ? -30 : 60, kind == ChartKind::Relative ? 10 : 100);
        styleAxis(y);
    }

    void setUpCurves(ChartKind kind, QCPLayer* currentLayer) {
        QCPLayer* memory = currentLayer ? m_plot->layer(QStringLiteral("memory")) : nullptr;
        for (int i = 0; i < curve::kCount; ++i) {
            QCPGraph* graph = m_plot->addGraph();
            if (memory && isMemoryCurve(i))
                graph->setLayer(memory);
            QPen pen(curve::colour(i), kCurveWidth);
            if (i == curve::kCabinGain && kind == ChartKind::Relative)
                pen.setStyle(Qt::DashDotLine);
            graph->setPen(pen);
            graph->setAntialiased(true);
        }
    }

    static bool validCurve(int c) { return c >= 0 && c < curve::kCount; }

    // A curve of the current design alone repaints only its layer.
    void requestReplot(int changedCurve) {
        m_replot->request(!validCurve(changedCurve) || isMemoryCurve(changedCurve));
    }

    QPointer<QCustomPlot> m_plot;               // owned by its parent widget
    QCPItemText* m_note = nullptr;              // owned by the plot
    std::unique_ptr<ReplotScheduler> m_replot;  // queued replots die with the chart
};

// Frequency labels of the limit charts: the decades and their 2 and 5 multiples.
QSharedPointer<QCPAxisTickerText> decadeTicker() {
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    ticker->setSubTickCount(0);
    for (double decade : {10.0, 100.0, 1000.0})
        for (double m : {1.0, 2.0, 5.0})
            if (decade * m <= 1000.0)
                ticker->addTick(decade * m, QString::number(decade * m));
    return ticker;
}

// The value range that shows every point and line with a little room above: from zero where
// the values are all positive and reach down towards it, else from just under the lowest.
QCPRange fittedRange(double low, double high) {
    if (!(low <= high))
        return QCPRange(0, 1);
    const double span = std::max(high - low, std::max(std::abs(high) * 0.05, 1e-3));
    const double lower = low >= 0 && low < 0.25 * high ? 0.0 : low - 0.05 * span;
    const double upper = high + 0.05 * span;
    // Steps of 1, 2 or 5 times a power of ten, about five to the axis.
    const double raw = (upper - lower) / 5;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    const double step = raw / decade < 2 ? 2 * decade : raw / decade < 5 ? 5 * decade : 10 * decade;
    return QCPRange(std::floor(lower / step) * step, std::ceil(upper / step) * step);
}

// The kind's hint comes up over the value axis only, not over the curves being read.
class AxisHint final : public QObject {
public:
    explicit AxisHint(QCustomPlot* plot) : m_plot(plot) { plot->installEventFilter(this); }
    void setHint(const QString& hint) { m_hint = hint; }
    const QString& hint() const { return m_hint; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        if (!m_hint.isEmpty() && help->pos().x() < m_plot->axisRect()->left())
            QToolTip::showText(help->globalPos(), m_hint, m_plot, QRect(), kHintDurationMs);
        else
            QToolTip::hideText();
        return true;
    }

private:
    QCustomPlot* m_plot;
    QString m_hint;
};

class QCustomPlotLimitPlot final : public LimitPlot {
public:
    static constexpr int kParts = 2;

    explicit QCustomPlotLimitPlot(QWidget* parent) : m_plot(new QCustomPlot(parent)) {
        m_plot->setObjectName(QStringLiteral("limitChart"));
        m_plot->setInteractions({});
        m_plot->axisRect()->setBackground(QBrush(Qt::white));
        m_plot->legend->setVisible(false);
        // Room for the "1000" at the right end when the phase axis is not there.
        m_plot->axisRect()->setMinimumMargins(QMargins(0, 8, 18, 0));
        QCPAxis* x = m_plot->xAxis;
        x->setScaleType(QCPAxis::stLogarithmic);
        x->setTicker(decadeTicker());
        x->setRange(enclosure::limitFrequencyGrid().front(),
                    enclosure::limitFrequencyGrid().back());
        for (QCPAxis* axis : {m_plot->xAxis, m_plot->yAxis, m_plot->yAxis2}) styleAxis(axis);
        m_plot->yAxis2->setRange(-90, 90);
        auto phaseTicker = QSharedPointer<QCPAxisTickerFixed>::create();
        phaseTicker->setTickStep(30);
        m_plot->yAxis2->setTicker(phaseTicker);
        QCPLayer* current = addMemoryLayer(m_plot);
        QCPLayer* memory = m_plot->layer(QStringLiteral("memory"));
        for (int c = 0; c < curve::kCount; ++c)
            for (int part = 0; part < kParts; ++part) {
                QCPGraph* graph = m_plot->addGraph();
                if (isMemoryCurve(c))
                    graph->setLayer(memory);
                QPen pen(curve::colour(c), kCurveWidth);
                if (part == static_cast<int>(CurvePart::Companion))
                    pen.setStyle(Qt::DashLine);
                graph->setPen(pen);
                graph->setAntialiased(true);
            }
        m_note = addNote(m_plot);
        m_axisHint = std::make_unique<AxisHint>(m_plot);
        m_replot =
            std::make_unique<ReplotScheduler>(m_plot, current, [this] { return fitValueAxis(); });
    }

    // The frame is set again at every keystroke; only a change costs a full repaint.
    void setAxes(const QString& label, const QString& hint, const QString& secondLabel) override {
        if (label == m_plot->yAxis->label() && hint == m_axisHint->hint() &&
            secondLabel == m_plot->yAxis2->label())
            return;
        m_plot->yAxis->setLabel(label);
        m_refit = true;
        m_plot->yAxis2->setLabel(secondLabel);
        m_plot->yAxis2->setVisible(!secondLabel.isEmpty());
        m_axisHint->setHint(hint);
        requestReplot(true);
    }

    void setCurvePoints(int c, CurvePart part, bool secondAxis, std::span<const double> frequencies,
                        std::span<const double> values) override {
        if (!validCurve(c))
            return;
        QCPGraph* g = graph(c, part);
        g->setValueAxis(secondAxis ? m_plot->yAxis2 : m_plot->yAxis);
        g->setData(QVector<double>(frequencies.begin(), frequencies.end()),
                   QVector<double>(values.begin(), values.end()), true);
        requestReplot(isMemoryCurve(c));
    }

    void clearCurve(int c) override {
        if (!validCurve(c))
            return;
        for (int part = 0; part < kParts; ++part)
            graph(c, static_cast<CurvePart>(part))->data()->clear();
        requestReplot(isMemoryCurve(c));
    }

    void setReferenceLines(const std::vector<PlotLine>& lines) override {
        if (std::equal(lines.begin(), lines.end(), m_lines.begin(), m_lines.end(),
                       [](const PlotLine& a, const PlotLine& b) {
                           return a.name == b.name && a.value == b.value;
                       }))
            return;
        m_lines = lines;
        for (QCPAbstractItem* item : m_lineItems) m_plot->removeItem(item);
        m_lineItems.clear();
        m_lineValues.clear();
        for (const PlotLine& line : lines) {
            auto* straight = new QCPItemStraightLine(m_plot);
            straight->point1->setCoords(1, line.value);
            straight->point2->setCoords(10, line.value);
            straight->setPen(QPen(QColor(0x50, 0x50, 0x50), 1, Qt::DashDotLine));
            auto* label = new QCPItemText(m_plot);
            label->position->setTypeX(QCPItemPosition::ptAxisRectRatio);
            label->position->setTypeY(QCPItemPosition::ptPlotCoords);
            label->position->setCoords(0.99, line.value);
            label->setPositionAlignment(Qt::AlignRight | Qt::AlignBottom);
            label->setText(line.name);
            label->setColor(QColor(0x50, 0x50, 0x50));
            m_lineItems << straight << label;
            m_lineValues.push_back(line.value);
        }
        requestReplot(false);
    }

    void setNote(const QString& text) override {
        if (showNote(m_note, text))
            requestReplot(false);
    }

    std::optional<ChartReading> readingAt(QPointF pixel) const override {
        const QCPAxisRect* area = m_plot->axisRect();
        if (!area->rect().contains(pixel.toPoint()))
            return std::nullopt;
        return ChartReading{m_plot->xAxis->pixelToCoord(pixel.x()),
                            m_plot->yAxis->pixelToCoord(pixel.y())};
    }

    QWidget* widget() override { return m_plot; }

private:
    static bool validCurve(int c) { return c >= 0 && c < curve::kCount; }
    QCPGraph* graph(int c, CurvePart part) const {
        return m_plot->graph(c * kParts + static_cast<int>(part));
    }

    void requestReplot(bool full) { m_replot->request(full); }

    // The first axis fits every curve on it and every line, in whole steps of its ticks; a
    // keystroke mostly leaves the axis as it was and repaints only the current design.
    bool fitValueAxis() {
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        for (int i = 0; i < m_plot->graphCount(); ++i) {
            QCPGraph* g = m_plot->graph(i);
            if (g->valueAxis() != m_plot->yAxis || g->data()->isEmpty())
                continue;
            bool found = false;
            const QCPRange range = g->data()->valueRange(found);
            if (found) {
                low = std::min(low, range.lower);
                high = std::max(high, range.upper);
            }
        }
        for (double value : m_lineValues) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
        const QCPRange fitted = fittedRange(low, high);
        const QCPRange shown = m_plot->yAxis->range();
        // While a design is typed the axis holds still: it grows at once to show everything,
        // but shrinks only when the curves use less than half of it, or for a new kind.
        const bool holds = !m_refit && fitted.lower >= shown.lower && fitted.upper <= shown.upper &&
                           fitted.size() > 0.5 * shown.size();
        m_refit = false;
        if (holds || fitted == shown)
            return false;
        m_plot->yAxis->setRange(fitted);
        return true;
    }

    QPointer<QCustomPlot> m_plot;  // owned by its parent widget
    QCPItemText* m_note = nullptr;
    std::unique_ptr<AxisHint> m_axisHint;
    bool m_refit = true;  // the next replot fits the axis exactly
    std::vector<PlotLine> m_lines;
    QList<QCPAbstractItem*> m_lineItems;
    std::vector<double> m_lineValues;
    std::unique_ptr<ReplotScheduler> m_replot;
};

// Frequency labels of a measurement on a small chart: the decades up to 10 kHz, with unlabelled
// ticks at their 2 and 5 multiples.
QSharedPointer<QCPAxisTickerText> measurementTicker() {
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    ticker->setSubTickCount(0);
    for (double decade : {1.0, 10.0, 100.0, 1000.0, 10000.0})
        for (double m : {1.0, 2.0, 5.0}) {
            const double f = decade * m;
            const QString label = m != 1.0      ? QString()
                                  : f >= 1000.0 ? QStringLiteral("%1k").arg(f / 1000.0)
                                                : QString::number(f);
            ticker->addTick(f, label);
        }
    return ticker;
}

class QCustomPlotFitPlot final : public FitPlot {
public:
    explicit QCustomPlotFitPlot(QWidget* parent) : m_plot(new QCustomPlot(parent)) {
        m_plot->setObjectName(QStringLiteral("fitChart"));
        m_plot->setInteractions({});
        m_plot->axisRect()->setBackground(QBrush(Qt::white));
        m_plot->xAxis->setScaleType(QCPAxis::stLogarithmic);
        m_plot->xAxis->setTicker(measurementTicker());
        m_plot->yAxis->setLabel(QStringLiteral("Ohm"));
        for (QCPAxis* axis : {m_plot->xAxis, m_plot->yAxis}) styleAxis(axis);
        m_measured = m_plot->addGraph();
        // The measurement as grey points, the fit as a coloured line through them.
        m_measured->setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
        m_measured->setLineStyle(QCPGraph::lsNone);
        m_measured->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, 3));
        m_fitted = m_plot->addGraph();
        m_fitted->setPen(QPen(curve::colour(curve::kFirstMemorySlot), kCurveWidth));
        m_fitted->setAntialiased(true);
        m_note = addNote(m_plot);
    }

    void setCurves(std::span<const double> frequencies, std::span<const double> measured,
                   std::span<const double> fitted) override {
        const QVector<double> f(frequencies.begin(), frequencies.end());
        m_measured->setData(f, QVector<double>(measured.begin(), measured.end()), true);
        m_fitted->setData(f, QVector<double>(fitted.begin(), fitted.end()), true);
        if (!f.isEmpty()) {
            m_plot->xAxis->setRange(f.front(), f.back());
            double high = 0;
            for (double v : measured) high = std::max(high, v);
            for (double v : fitted) high = std::max(high, v);
            m_plot->yAxis->setRange(fittedRange(0.0, high));
        }
        m_plot->replot(QCustomPlot::rpQueuedReplot);
    }

    void setNote(const QString& text) override {
        if (showNote(m_note, text))
            m_plot->replot(QCustomPlot::rpQueuedReplot);
    }

    QWidget* widget() override { return m_plot; }

private:
    QPointer<QCustomPlot> m_plot;  // owned by its parent widget
    QCPGraph* m_measured = nullptr;
    QCPGraph* m_fitted = nullptr;
    QCPItemText* m_note = nullptr;
};

}  // namespace

std::unique_ptr<FitPlot> makeQCustomPlotFitPlot(QWidget* parent) {
    return std::make_unique<QCustomPlotFitPlot>(parent);
}

std::unique_ptr<LimitPlot> makeQCustomPlotLimitPlot(QWidget* parent) {
    return std::make_unique<QCustomPlotLimitPlot>(parent);
}

std::unique_ptr<ResponseChart> makeQCustomPlotChartWithOptions(ChartKind kind, QWidget* parent,
                                                               QCustomPlotChartOptions options) {
    return std::make_unique<QCustomPlotChart>(kind, parent, options);
}

std::unique_ptr<ResponseChart> makeQCustomPlotChart(ChartKind kind, QWidget* parent) {
    return makeQCustomPlotChartWithOptions(kind, parent, {});
}

}  // namespace sublumo
