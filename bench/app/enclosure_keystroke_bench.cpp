#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <vector>

#include "enclosure/enclosure_page.h"
#include "main_window.h"
#include "scripted_platform.h"

namespace {

// One keystroke in the closed box's Vb with the reference driver, two drivers in series, the
// absolute chart, cabin gain and the Linkwitz transform on: the key event, the recompute, every
// field write, the curves handed to the chart and the next turn of the event loop, where the
// visible chart is replotted and repainted. The counter p95_us is the 95th percentile of the
// single keystrokes.
void BM_KeystrokeInClosedVb(benchmark::State& state) {
    sublumo::ScriptedPlatform platform;
    sublumo::MainWindow window(platform, QString());
    window.show();
    const std::pair<const char*, const char*> driver[] = {
        {"Qms", "2.5"}, {"Qes", "0.35"}, {"fs", "30"}, {"Mms", "60"},
        {"Dd", "260"},  {"Re", "5.6"},   {"Pe", "150"}};
    for (auto [name, text] : driver) window.findChild<QLineEdit*>(name)->setText(text);
    window.findChild<QLineEdit*>("driverNameField")->setText("Maker One 10W");
    window.showPage(1);
    sublumo::EnclosurePage& page = window.enclosurePage();
    page.startDesign();
    QWidget* closed = page.findChild<QWidget*>("closedBox");
    auto* vb = closed->findChild<QLineEdit*>("Vb");
    vb->setText("40");
    page.findChild<QLineEdit*>("Nd")->setText("2");
    for (const char* box : {"sourceOn", "cabinGainOn", "linkwitzOn"})
        QTest::mouseClick(page.findChild<QWidget*>(box), Qt::LeftButton, {}, QPoint(6, 8));
    vb->setFocus();
    vb->end(false);
    QApplication::processEvents();

    std::vector<double> times;
    bool typeDigit = true;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(vb, typeDigit ? Qt::Key_5 : Qt::Key_Backspace);
        QApplication::processEvents();
        const std::chrono::duration<double, std::micro> spent =
            std::chrono::steady_clock::now() - start;
        times.push_back(spent.count());
        typeDigit = !typeDigit;
    }
    std::sort(times.begin(), times.end());
    if (!times.empty())
        state.counters["p95_us"] = times[times.size() * 95 / 100];
}
BENCHMARK(BM_KeystrokeInClosedVb)->Unit(benchmark::kMicrosecond);

}  // namespace
