#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <span>


namespace sublumo {

// The two charts of the Enclosure page: response relative to the passband, and sound pressure
// level at the source voltage and microphone distance.
enum class ChartKind { Relative, Absolute };

// The twelve curves have the same roles on both charts.
namespace curve {
inline constexpr int kCurrentDesign = 0;
inline constexpr int kFirstMemorySlot = 1;  // slots 1..8 are curves 1..8
inline constexpr int kMemorySlotCount = 8;
inline constexpr int kCabinGain = 9;
inline constexpr int kLinkwitzEqualiser = 10;
inline constexpr int kLinkwitzResult = 11;
// Measurements opened from files, drawn over the designs.
inline constexpr int kFirstOverlay = 12;
inline constexpr int kOverlayCount = 4;
inline constexpr int kCount = 16;

// Each curve's colour on both charts; the memory slots write their texts in it too.
QColor colour(int curve);
}  // namespace curve

struct ChartReading {
    double frequency = 0;  // Hz
    double level = 0;      // dB
};

// One response chart as the pages see it. The only implementation over a chart library lives
// in qcustomplot_chart.cpp; tests record what is drawn through a fake of their own.
class ResponseChart {
public:
    virtual ~ResponseChart() = default;

    virtual void clearCurve(int curve) = 0;
    // Replaces the curve's points; frequencies ascend.
    virtual void setCurvePoints(int curve, std::span<const double> frequencies,
                                std::span<const double> levels) = 0;
    // The left axis's window in dB.
    virtual void setLevelWindow(double minimum, double maximum) = 0;
    virtual double levelMinimum() const = 0;
    virtual double levelMaximum() const = 0;
    // A line on the plot saying why it is empty; an empty text shows none.
    virtual void setNote(const QString& text) = 0;
    // Frequency and level under a pixel of widget(), unrounded; none outside the plot area.
    virtual std::optional<ChartReading> readingAt(QPointF pixel) const = 0;
    virtual QWidget* widget() = 0;
};

// A chart's accessible description: the note it shows, when it shows one, then its hint.
// Written only when it changes, as it is set again at every keystroke.
inline void describeChart(QWidget& chart, const QString& note, const QString& hint) {
    const QString text = note.isEmpty() ? hint : note + QLatin1Char(' ') + hint;
    if (chart.accessibleDescription() != text)
        chart.setAccessibleDescription(text);
}

using ChartFactory = std::function<std::unique_ptr<ResponseChart>(ChartKind, QWidget* parent)>;

// The real charts, drawn by QCustomPlot.
std::unique_ptr<ResponseChart> makeQCustomPlotChart(ChartKind kind, QWidget* parent);

}  // namespace sublumo
