#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "main_window.h"
#include "scripted_platform.h"
#include "widgets/lazy_page.h"

namespace {

// One keystroke in Qms with a complete driver: the key event, the solver, every field write
// and the next turn of the event loop (where the repaint requests are handled).
void typeIntoQms(benchmark::State& state, bool everyPageBuilt) {
    sublumo::ScriptedPlatform platform;
    QTemporaryDir dir;  // no database, no settings
    sublumo::MainWindow window(platform, dir.path());
    // As after a visit to every page: what is built but hidden must not work at a keystroke.
    if (everyPageBuilt)
        sublumo::LazyPart::buildAll(&window);
    window.show();
    const std::pair<const char*, const char*> driver[] = {
        {"Qms", "2.5"}, {"Qes", "0.35"}, {"fs", "30"}, {"Mms", "60"}, {"Dd", "260"},
        {"Re", "5.6"},  {"Hc", "12"},    {"Hg", "6"},  {"Pe", "150"}, {"Le", "1.2"}};
    for (auto [name, text] : driver) window.findChild<QLineEdit*>(name)->setText(text);
    window.findChild<QLineEdit*>("driverNameField")->setText("Maker One 10W");
    QLineEdit* qms = window.findChild<QLineEdit*>("Qms");
    qms->setFocus();
    qms->end(false);
    QApplication::processEvents();

    bool typeDigit = true;
    for (auto _ : state) {
        QTest::keyClick(qms, typeDigit ? Qt::Key_5 : Qt::Key_Backspace);
        QApplication::processEvents();
        typeDigit = !typeDigit;
    }
}

void BM_KeystrokeInQms(benchmark::State& state) {
    typeIntoQms(state, false);
}
BENCHMARK(BM_KeystrokeInQms)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeInQmsWithEveryPageBuilt(benchmark::State& state) {
    typeIntoQms(state, true);
}
BENCHMARK(BM_KeystrokeInQmsWithEveryPageBuilt)->Unit(benchmark::kMicrosecond);

}  // namespace
