#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "main_window.h"
#include "scripted_platform.h"

namespace {

// One keystroke in Qms with a complete driver: the key event, the solver, every field write
// and the next turn of the event loop (where the repaint requests are handled).
void BM_KeystrokeInQms(benchmark::State& state) {
    sublumo::ScriptedPlatform platform;
    QTemporaryDir dir;  // no database, no settings
    sublumo::MainWindow window(platform, dir.path());
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
BENCHMARK(BM_KeystrokeInQms)->Unit(benchmark::kMicrosecond);

}  // namespace
