#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "main_window.h"
#include "scripted_platform.h"

namespace {

// A database of `count` plausible drivers, written as the program writes it.
void writeDatabase(const QString& path, int count) {
    QByteArray bytes;
    bytes.reserve(count * 140);
    for (int i = 0; i < count; ++i) {
        const int dd = 60 + i % 400;
        bytes += "[Maker " + QByteArray::number(i % 97) + " Woofer " + QByteArray::number(i) +
                 "]\r\nQms=" + QByteArray::number(2 + i % 7) + ".5\r\nQes=0.3" +
                 QByteArray::number(i % 10) + "\r\nfs=" + QByteArray::number(20 + i % 80) +
                 "\r\nMms=" + QByteArray::number(10 + i % 150) +
                 "\r\nDd=" + QByteArray::number(dd) +
                 "\r\nRe=5.6\r\nHc=\r\nHg=\r\nPe=\r\nLe=\r\nURL=https://"
                 "\r\n\r\n";
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// One keystroke in the filter's search text with 100 000 records: the key event, the
// filtered refresh, the list view taking the new list, and the next turn of the event loop.
void BM_FilterKeystrokeWith100000Records(benchmark::State& state) {
    QTemporaryDir dir;
    writeDatabase(QDir(dir.path()).filePath("sublumo_tsp.ini"), 100000);
    sublumo::ScriptedPlatform platform;
    sublumo::MainWindow window(platform, dir.path());
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
