#include <gtest/gtest.h>
#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <cmath>

#include "charts/response_charts_view.h"
#include "ui_test_helpers.h"

namespace sublumo {
namespace {

// The real chart's own axis mapping, found by probing it the way the pointer does.
class QCustomPlotChartTest : public testing::Test {
protected:
    void SetUp() override {
        view.setNumberFormat({'.'});
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    ResponseChart& relative() { return view.chart(ChartKind::Relative); }
    bool inside(int x, int y) { return relative().readingAt(QPointF(x, y)).has_value(); }

    // The plot area's edges on a horizontal and a vertical line through its middle.
    int leftEdge() {
        return scan(0, 1, [this](int x) { return inside(x, 150); });
    }
    int rightEdge() {
        return scan(600, -1, [this](int x) { return inside(x, 150); });
    }
    int topEdge() {
        return scan(0, 1, [this](int y) { return inside(300, y); });
    }
    int bottomEdge() {
        return scan(320, -1, [this](int y) { return inside(300, y); });
    }

    template <class Inside>
    static int scan(int from, int step, Inside isInside) {
        int at = from;
        while (!isInside(at) && std::abs(at - from) < 700) at += step;
        return at;
    }

    std::string readoutAt(QPoint pixel) {
        QTest::mouseMove(relative().widget(), pixel);
        ui_test::waitUntil([&] { return !view.cursorReadout().isEmpty(); });
        return view.cursorReadout().toStdString();
    }

    ResponseChartsView view;
};

TEST_F(QCustomPlotChartTest, EdgesOfThePlotAreaReadTheAxisEnds) {
    const int left = leftEdge(), right = rightEdge(), top = topEdge(), bottom = bottomEdge();
    ASSERT_LT(left, right);
    ASSERT_LT(top, bottom);
    const auto atLeft = relative().readingAt(QPointF(left, bottom));
    const auto atRight = relative().readingAt(QPointF(right, top));
    ASSERT_TRUE(atLeft && atRight);
    // Within one pixel's worth of the frequency axis.
    const double pixelRatio = std::pow(500.0 / 20.0, 1.0 / (right - left));
    EXPECT_NEAR(std::log(atLeft->frequency / 20), 0, std::log(pixelRatio));
    EXPECT_NEAR(std::log(atRight->frequency / 500), 0, std::log(pixelRatio));
    EXPECT_NEAR(atLeft->level, -30, 40.0 / (bottom - top));
    EXPECT_NEAR(atRight->level, 10, 40.0 / (bottom - top));
    EXPECT_FALSE(inside(left - 1, 150));
    EXPECT_FALSE(inside(right + 1, 150));
}

TEST_F(QCustomPlotChartTest, ReadoutShowsTheRoundedReadingOfThePointer) {
    const int left = leftEdge(), right = rightEdge(), top = topEdge(), bottom = bottomEdge();
    EXPECT_EQ(readoutAt({left, bottom}), "cursor: 20 Hz / -30 dB");
    EXPECT_EQ(readoutAt({right, top}), "cursor: 500 Hz / 10 dB");
    // The 0 dB grid line is a quarter of the way down from the top in the start window.
    const int zeroLine = top + static_cast<int>(std::lround((bottom - top) * 10 / 40.0));
    EXPECT_EQ(readoutAt({left, zeroLine}), "cursor: 20 Hz / 0 dB")
        << top << " " << bottom << " " << left << " " << right;
}

TEST_F(QCustomPlotChartTest, LevelWindowMovesTheMapping) {
    relative().setLevelWindow(20, 60);
    EXPECT_EQ(relative().levelMinimum(), 20);
    EXPECT_EQ(relative().levelMaximum(), 60);
    const auto atTop = relative().readingAt(QPointF(leftEdge(), topEdge()));
    ASSERT_TRUE(atTop.has_value());
    EXPECT_NEAR(atTop->level, 60, 0.2);
}

}  // namespace
}  // namespace sublumo

namespace sublumo {
namespace {

// The real limit chart fits its value axis to what it shows, lines included, after the next
// turn of the event loop.
TEST_F(QCustomPlotChartTest, TheLimitChartFitsItsAxisToCurvesAndLines) {
    view.setLimitKind(enclosure::LimitKind::Excursion);
    LimitPlot& plot = view.limitPlot();
    const std::vector<double> f = {10, 100, 1000}, x = {3.4, 1.0, 0.1};
    plot.setCurvePoints(curve::kCurrentDesign, CurvePart::Own, false, f, x);
    auto topValue = [&] {
        QApplication::processEvents();
        for (int y = 0; y < 300; ++y)
            if (const auto r = plot.readingAt(QPointF(300, y)))
                return r->level;
        return -1.0;
    };
    const double top = topValue();
    EXPECT_GE(top, 3.4);
    EXPECT_LT(top, 5.1);
    plot.setReferenceLines({{QStringLiteral("Xmax"), 6}});
    const double withLine = topValue();
    EXPECT_GE(withLine, 6);
    // Typing holds the axis while the curves fill more than half of it, then it shrinks.
    const std::vector<double> typed = {4.5, 1.0, 0.1};
    plot.setCurvePoints(curve::kCurrentDesign, CurvePart::Own, false, f, typed);
    plot.setReferenceLines({});
    EXPECT_EQ(topValue(), withLine);
    const std::vector<double> smaller = {1.0, 0.5, 0.1};
    plot.setCurvePoints(curve::kCurrentDesign, CurvePart::Own, false, f, smaller);
    EXPECT_LT(topValue(), 3);
}

TEST_F(QCustomPlotChartTest, TheLimitChartsHintShowsOverItsAxisOnly) {
    view.setLimitKind(enclosure::LimitKind::Excursion);
    LimitPlot& plot = view.limitPlot();
    plot.setAxes(QStringLiteral("Excursion (mm)"), QStringLiteral("Peak cone excursion"), {});
    QWidget* w = plot.widget();
    auto hover = [w](QPoint at) {
        QHelpEvent help(QEvent::ToolTip, at, w->mapToGlobal(at));
        QApplication::sendEvent(w, &help);
    };
    hover(QPoint(4, 150));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Peak cone excursion");
    hover(QPoint(300, 150));  // over the curves
    EXPECT_TRUE(ui_test::waitUntil([] { return !QToolTip::isVisible(); }));
}

}  // namespace
}  // namespace sublumo
