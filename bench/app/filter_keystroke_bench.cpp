#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "bench_window.h"
#include "main_window.h"
#include "scripted_platform.h"

namespace {

using sublumo::bench::writeDatabase;

// One keystroke in the filter's search text with 100 000 records: the key event, the
// filtered refresh, the list view taking the new list, and the next turn of the event loop.
void BM_FilterKeystrokeWith100000Records(benchmark::State& state) {
    sublumo::bench::BenchWindow bench(100000);
    sublumo::MainWindow& window = bench.window;
    window.show();
    window.findChild<QCheckBox*>("alfbox")->setChecked(true);
    QLineEdit* search = window.findChild<QLineEdit*>("hledit");
    search->setText("woofer 1");
    search->setFocus();
    search->end(false);
    QApplication::processEvents();

    bool typeDigit = true;
    for (auto _ : state) {
        QTest::keyClick(search, typeDigit ? Qt::Key_2 : Qt::Key_Backspace);
        QApplication::processEvents();
        typeDigit = !typeDigit;
    }
}
BENCHMARK(BM_FilterKeystrokeWith100000Records)->Unit(benchmark::kMillisecond);

// Start-up with a 10 000-record database: reading it, restoring the state, building the
// lists, up to the first painted window.
void BM_StartupWith10000Records(benchmark::State& state) {
    QTemporaryDir dir;
    writeDatabase(QDir(dir.path()).filePath("sublumo_tsp.ini"), 10000);
    sublumo::ScriptedPlatform platform;
    for (auto _ : state) {
        sublumo::MainWindow window(platform, dir.path());
        window.show();
        benchmark::DoNotOptimize(QTest::qWaitForWindowExposed(&window));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_StartupWith10000Records)->Unit(benchmark::kMillisecond);

}  // namespace
