#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#include "charts/qcustomplot_chart.h"
#include "charts/response_charts_view.h"
#include "response.h"

namespace {

using namespace sublumo;

std::vector<double> closedCurve(double fc, double qtc, double offset) {
    std::vector<double> levels;
    for (double f : enclosure::frequencyGrid())
        levels.push_back(enclosure::closedResponse(f, {fc, qtc}) + offset);
    return levels;
}

// Time spent by this thread alone: on a shared machine the wall clock also counts the waits
// for a core.
double threadCpuMicros() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

void report(benchmark::State& state, const std::string& name, std::vector<double> micros) {
    if (micros.empty())
        return;
    std::sort(micros.begin(), micros.end());
    state.counters[name + "_p50_us"] = micros[micros.size() / 2];
    state.counters[name + "_p95_us"] = micros[micros.size() * 95 / 100];
}

// One keystroke in a design field with all twelve curves on the visible chart: the key event,
// the recompute of the current design's curves and the repaint on the next turns of the event
// loop. Reports the median and the 95th percentile of the single keystrokes.
void keystrokeToRepaint(benchmark::State& state, bool cacheMemoryLayer) {
    QWidget page;
    page.resize(747, 420);
    ResponseChartsView view(&page, [cacheMemoryLayer](ChartKind kind, QWidget* parent) {
        return makeQCustomPlotChartWithOptions(kind, parent, {cacheMemoryLayer});
    });
    auto* field = new QLineEdit(QStringLiteral("45"), &page);
    ResponseChart& chart = view.chart(ChartKind::Relative);
    const auto& grid = enclosure::frequencyGrid();
    const std::vector<double> frequencies(grid.begin(), grid.end());
    for (int c = 0; c < curve::kCount; ++c)
        chart.setCurvePoints(c, frequencies, closedCurve(30 + 4 * c, 0.5 + 0.05 * c, 0));
    QObject::connect(field, &QLineEdit::textChanged, [&](const QString& text) {
        const double fc = std::max(1.0, text.toDouble());
        chart.setCurvePoints(curve::kCurrentDesign, frequencies, closedCurve(fc, 0.707, 0));
        chart.setCurvePoints(curve::kCabinGain, frequencies, closedCurve(fc, 0.707, 3));
    });
    page.show();
    if (!QTest::qWaitForWindowExposed(&page))
        state.SkipWithError("window not exposed");
    field->setFocus();
    field->end(false);
    QApplication::processEvents();

    std::vector<double> wall;
    std::vector<double> cpu;
    bool typeDigit = true;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = threadCpuMicros();
        QTest::keyClick(field, typeDigit ? Qt::Key_5 : Qt::Key_Backspace);
        QApplication::processEvents();  // the queued replot
        QApplication::processEvents();  // the repaint it asked for
        cpu.push_back(threadCpuMicros() - cpuStart);
        wall.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        typeDigit = !typeDigit;
    }
    report(state, "wall", wall);
    report(state, "cpu", cpu);
}

void BM_KeystrokeToRepaint_MemoryCached(benchmark::State& state) {
    keystrokeToRepaint(state, true);
}
void BM_KeystrokeToRepaint_MemoryNotCached(benchmark::State& state) {
    keystrokeToRepaint(state, false);
}
BENCHMARK(BM_KeystrokeToRepaint_MemoryCached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeToRepaint_MemoryNotCached)->Unit(benchmark::kMicrosecond);

}  // namespace
