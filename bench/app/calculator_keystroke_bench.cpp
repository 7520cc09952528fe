#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "bench_window.h"
#include "main_window.h"

namespace {

// One keystroke in a calculator field with a complete driver: the key event, the calculator's
// recompute with every write back, and the next turn of the event loop.
struct Case {
    const char* item;
    const char* field;
};

constexpr Case kCases[] = {
    {"menuQFactors", "qF2"},
    {"menuResonanceShift", "shiftNewFs"},
    {"menuEnclosureResonances", "boxWidth"},
    {"menuCrossovers", "xoFc"},
    {"menuAirCoil", "coilTurns"},
    {"menuNearField", "cvVents"},
};

void BM_CalculatorKeystroke(benchmark::State& state) {
    const Case& c = kCases[state.range(0)];
    state.SetLabel(c.field);
    sublumo::bench::BenchWindow bench;
    sublumo::MainWindow& window = bench.window;
    window.show();
    const std::pair<const char*, const char*> driver[] = {
        {"Qms", "2.5"}, {"Qes", "0.35"}, {"fs", "30"}, {"Mms", "60"}, {"Dd", "260"},
        {"Re", "5.6"},  {"Hc", "12"},    {"Hg", "6"},  {"Pe", "150"}, {"Le", "1.2"}};
    for (auto [name, text] : driver) window.findChild<QLineEdit*>(name)->setText(text);
    window.findChild<QTabWidget*>("lowerArea")->setCurrentIndex(1);
    window.findChild<QRadioButton*>(c.item)->click();
    const std::pair<const char*, const char*> qFactors[] = {
        {"qRe", "6"}, {"qZmax", "54"}, {"qFs", "50"}, {"qF1", "40"}, {"qF2", "62"}};
    for (auto [name, text] : qFactors) window.findChild<QLineEdit*>(name)->setText(text);
    QLineEdit* field = window.findChild<QLineEdit*>(c.field);
    field->setText(QStringLiteral("35"));
    field->setFocus();
    field->end(false);
    QApplication::processEvents();

    bool typeDigit = true;
    for (auto _ : state) {
        QTest::keyClick(field, typeDigit ? Qt::Key_5 : Qt::Key_Backspace);
        QApplication::processEvents();
        typeDigit = !typeDigit;
    }
}
BENCHMARK(BM_CalculatorKeystroke)
    ->DenseRange(0, static_cast<int>(std::size(kCases)) - 1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
