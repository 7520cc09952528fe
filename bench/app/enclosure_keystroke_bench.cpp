#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

#include "bench_window.h"
#include "charts/response_charts_view.h"
#include "enclosure/enclosure_page.h"
#include "enclosure/memory_slot_panel.h"
#include "main_window.h"

namespace {

void typeAndTime(benchmark::State& state, QLineEdit* field);

using Texts = std::vector<std::pair<const char*, const char*>>;

// One keystroke in a box's Vb with the reference driver, two drivers in series, the absolute
// chart, cabin gain and the Linkwitz transform on: the key event, the recompute, every field
// write, the curves handed to the chart and the next turn of the event loop, where the visible
// chart is replotted and repainted. The counter p95_us is the 95th percentile of the single
// keystrokes.
void keystrokeInVb(benchmark::State& state, sublumo::EnclosurePage::BoxType type, const char* group,
                   const Texts& design) {
    sublumo::bench::BenchWindow bench;
    sublumo::MainWindow& window = bench.window;
    window.show();
    const std::pair<const char*, const char*> driver[] = {
        {"Qms", "2.5"}, {"Qes", "0.35"}, {"fs", "30"}, {"Mms", "60"},
        {"Dd", "260"},  {"Re", "5.6"},   {"Pe", "150"}};
    for (auto [name, text] : driver) window.findChild<QLineEdit*>(name)->setText(text);
    window.findChild<QLineEdit*>("driverNameField")->setText("Maker One 10W");
    window.showPage(1);
    sublumo::EnclosurePage& page = window.enclosurePage();
    page.setBoxType(type);
    page.startDesign();
    QWidget* box = page.findChild<QWidget*>(group);
    for (auto [name, text] : design) box->findChild<QLineEdit*>(name)->setText(text);
    auto* vb = box->findChild<QLineEdit*>("Vb");
    page.findChild<QLineEdit*>("Nd")->setText("2");
    for (const char* check : {"sourceOn", "cabinGainOn", "linkwitzOn"})
        QTest::mouseClick(page.findChild<QWidget*>(check), Qt::LeftButton, {}, QPoint(6, 8));
    vb->setFocus();
    vb->end(false);
    QApplication::processEvents();
    typeAndTime(state, vb);
}

void BM_KeystrokeInClosedVb(benchmark::State& state) {
    keystrokeInVb(state, sublumo::EnclosurePage::BoxType::Closed, "closedBox", {{"Vb", "40"}});
}
BENCHMARK(BM_KeystrokeInClosedVb)->Unit(benchmark::kMicrosecond);

// Two 12" radiators tuning 25 l to 25 Hz.
void BM_KeystrokeInPassiveRadiatorVb(benchmark::State& state) {
    keystrokeInVb(state, sublumo::EnclosurePage::BoxType::PassiveRadiator, "passiveRadiatorBox",
                  {{"Vb", "25"},
                   {"fb", "25"},
                   {"Np", "2"},
                   {"Dp", "247"},
                   {"Mmp", "60"},
                   {"Cmp", "0.4"},
                   {"Qmp", "8"},
                   {"Xmaxp", "15"}});
}
BENCHMARK(BM_KeystrokeInPassiveRadiatorVb)->Unit(benchmark::kMicrosecond);

// One keystroke in the vented box's Vb with a limit chart on show (the argument is the kind,
// in the order of the choice), the reference driver with Xmax and Pe, and three stored designs
// on the chart: the current design's curve is recomputed on the limit grid and repainted.
void BM_KeystrokeWithLimitChart(benchmark::State& state) {
    sublumo::bench::BenchWindow bench;
    sublumo::MainWindow& window = bench.window;
    window.show();
    const std::pair<const char*, const char*> driver[] = {
        {"Qms", "2.5"}, {"Qes", "0.35"}, {"fs", "30"}, {"Mms", "60"}, {"Dd", "260"},
        {"Re", "5.6"},  {"Hc", "12"},    {"Hg", "6"},  {"Pe", "200"}, {"Le", "1.5"}};
    for (auto [name, text] : driver) window.findChild<QLineEdit*>(name)->setText(text);
    window.showPage(1);
    sublumo::EnclosurePage& page = window.enclosurePage();
    page.setBoxType(sublumo::EnclosurePage::BoxType::Vented);
    auto* vb = page.findChild<QWidget*>("ventedBox")->findChild<QLineEdit*>("Vb");
    page.findChild<QWidget*>("ventedBox")->findChild<QLineEdit*>("fb")->setText("39");
    const std::array<const char*, 3> volumes = {"50", "120", "80"};
    for (std::size_t slot = 0; slot < volumes.size(); ++slot) {
        vb->setText(volumes[slot]);
        page.memorySlots().store(static_cast<int>(slot) + 1);
    }
    page.charts().setLimitKind(sublumo::enclosure::kLimitKinds[state.range(0)]);
    state.SetLabel(std::string(sublumo::enclosure::limitKindTitle(*page.charts().limitKind())));
    vb->setFocus();
    vb->end(false);
    QApplication::processEvents();
    typeAndTime(state, vb);
}
BENCHMARK(BM_KeystrokeWithLimitChart)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

// Types a digit and takes it back in turns; p95_us is the 95th percentile of the keystrokes.
void typeAndTime(benchmark::State& state, QLineEdit* field) {
    std::vector<double> times;
    bool typeDigit = true;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(field, typeDigit ? Qt::Key_5 : Qt::Key_Backspace);
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

}  // namespace
