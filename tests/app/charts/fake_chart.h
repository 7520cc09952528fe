#pragma once

// A ResponseChart that records what the pages draw, for wiring tests of anything that draws
// into the charts. Its pixel mapping is a fixed linear one: the plot area starts at
// plotLeft/plotTop, 400 px a decade of frequency from 20 Hz and 7.2 px a dB from the window's
// maximum, valid over 559 x 288 px.
#include <QWidget>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "charts/limit_plot.h"
#include "charts/response_chart.h"

namespace sublumo::test {

class FakeChart final : public ResponseChart {
public:
    struct Point {
        double frequency;
        double level;
        friend bool operator==(const Point&, const Point&) = default;
    };

    FakeChart(ChartKind kind, QWidget* parent) : m_kind(kind), m_widget(new QWidget(parent)) {
        m_widget->setObjectName(kind == ChartKind::Relative ? QStringLiteral("graf1")
                                                            : QStringLiteral("graf2"));
        plotLeft = kind == ChartKind::Relative ? 22 : 25;
        m_window = kind == ChartKind::Relative ? std::pair{-30.0, 10.0} : std::pair{60.0, 100.0};
    }

    void clearCurve(int curve) override {
        ++clearCount[index(curve)];
        points[index(curve)].clear();
    }
    void setCurvePoints(int curve, std::span<const double> frequencies,
                        std::span<const double> levels) override {
        ++setCount[index(curve)];
        auto& p = points[index(curve)];
        p.clear();
        for (std::size_t i = 0; i < frequencies.size() && i < levels.size(); ++i)
            p.push_back({frequencies[i], levels[i]});
    }
    void setLevelWindow(double minimum, double maximum) override {
        m_window = {minimum, maximum};
        windows.push_back(m_window);
    }
    double levelMinimum() const override { return m_window.first; }
    double levelMaximum() const override { return m_window.second; }
    void setNote(const QString& text) override { note = text; }

    std::optional<ChartReading> readingAt(QPointF pixel) const override {
        const double x = pixel.x() - plotLeft;
        const double y = pixel.y() - plotTop;
        if (x < 0 || x > kPlotWidth || y < 0 || y > kPlotHeight)
            return std::nullopt;
        return ChartReading{20 * std::pow(10.0, x / 400), m_window.second - y / 7.2};
    }
    QWidget* widget() override { return m_widget; }

    ChartKind kind() const { return m_kind; }
    bool curveEmpty(int curve) const { return points[index(curve)].empty(); }

    static constexpr double kPlotWidth = 559;
    static constexpr double kPlotHeight = 288;
    double plotLeft = 22;
    double plotTop = 3;

    std::array<std::vector<Point>, curve::kCount> points;
    std::array<int, curve::kCount> clearCount{};
    std::array<int, curve::kCount> setCount{};
    std::vector<std::pair<double, double>> windows;  // every setLevelWindow, in order
    QString note;

private:
    static std::size_t index(int curve) { return static_cast<std::size_t>(curve); }

    ChartKind m_kind;
    QWidget* m_widget;  // owned by its parent
    std::pair<double, double> m_window;
};

// Makes fake charts for a ResponseChartsView and keeps a pointer to each (the view owns them).
struct FakeCharts {
    FakeChart* relative = nullptr;
    FakeChart* absolute = nullptr;

    ChartFactory factory() {
        return [this](ChartKind kind, QWidget* parent) {
            auto chart = std::make_unique<FakeChart>(kind, parent);
            (kind == ChartKind::Relative ? relative : absolute) = chart.get();
            return chart;
        };
    }
};

// A LimitPlot that records the curves, axes, lines and note it was given. Its pixel mapping:
// 10 Hz at x = 0, 200 px a decade; the first axis reads 100 - y.
class FakeLimitPlot final : public LimitPlot {
public:
    struct Part {
        bool secondAxis = false;
        std::vector<double> frequency, value;
    };
    using Curve = std::array<Part, 2>;  // own, companion

    explicit FakeLimitPlot(QWidget* parent) : m_widget(new QWidget(parent)) {
        m_widget->setObjectName(QStringLiteral("limitChart"));
    }

    void setAxes(const QString& label, const QString& hint, const QString& second) override {
        axisLabel = label;
        axisHint = hint;
        secondAxisLabel = second;
    }
    void setCurvePoints(int c, CurvePart part, bool secondAxis, std::span<const double> f,
                        std::span<const double> v) override {
        curves[static_cast<std::size_t>(c)][static_cast<std::size_t>(part)] = {
            secondAxis, {f.begin(), f.end()}, {v.begin(), v.end()}};
        ++drawCount[static_cast<std::size_t>(c)];
    }
    void clearCurve(int c) override { curves[static_cast<std::size_t>(c)] = {}; }
    void setReferenceLines(const std::vector<PlotLine>& l) override { lines = l; }
    void setNote(const QString& text) override { note = text; }
    std::optional<ChartReading> readingAt(QPointF pixel) const override {
        return ChartReading{10 * std::pow(10.0, pixel.x() / 200), 100 - pixel.y()};
    }
    QWidget* widget() override { return m_widget; }

    const Part& own(int c) const { return curves[static_cast<std::size_t>(c)][0]; }

    std::array<Curve, curve::kCount> curves;
    std::array<int, curve::kCount> drawCount{};
    QString axisLabel, axisHint, secondAxisLabel, note;
    std::vector<PlotLine> lines;

private:
    QWidget* m_widget;  // owned by its parent
};

}  // namespace sublumo::test
