#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <string>

#include "driver_database.h"
#include "driver_lists/detailed_list_model.h"
#include "driver_lists/detailed_list_window.h"
#include "settings_store.h"

namespace {

using sublumo::database::DriverDatabase;

constexpr sublumo::NumberFormat kPoint{'.'};

// Realistic records with varied values, so that column widths and sorting see real texts;
// written as a file and opened, as the program gets them.
struct Drivers {
    explicit Drivers(int count) {
        QByteArray text;
        for (int i = 0; i < count; ++i) {
            const std::string name = "Maker " + std::to_string(i % 97) + " W" + std::to_string(i);
            const std::pair<const char*, std::string> values[] = {
                {"Qms", std::to_string(2 + i % 7) + ".5"},
                {"Qes", "0." + std::to_string(30 + i % 60)},
                {"fs", std::to_string(20 + i % 80)},
                {"Mms", std::to_string(10 + i % 150)},
                {"Dd", std::to_string(80 + i % 300)},
                {"Re", "5." + std::to_string(i % 9)},
                {"Hc", std::to_string(6 + i % 20)},
                {"Hg", "6"},
                {"Pe", std::to_string(50 + i % 500)},
                {"Le", "1.2"},
                {"URL", "https://example.com/" + std::to_string(i)}};
            text += "[" + QByteArray::fromStdString(name) + "]\r\n";
            for (const auto& [key, value] : values)
                text += QByteArray(key) + "=" + QByteArray::fromStdString(value) + "\r\n";
            text += "\r\n";
        }
        const QString path = directory.filePath(QStringLiteral("sublumo_tsp.ini"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        file.close();
        database.openDatabase(path.toStdString());
        names = database.recordNames();
    }
    QTemporaryDir directory;
    DriverDatabase database;
    std::vector<std::string> names;
};

struct OpenWindow {
    explicit OpenWindow(const Drivers& drivers) : window(kPoint) {
        window.setRowsSource([&drivers] {
            return sublumo::database::detailedRows(drivers.database, drivers.names, kPoint);
        });
        sublumo::database::SettingsStore settings;
        window.showBeside(host, settings);
        QApplication::processEvents();
    }
    QWidget host;
    sublumo::DetailedListWindow window;
};

// Rebuilding from the database to the next painted frame: rows, column widths, window width.
void BM_DetailedListRebuild(benchmark::State& state) {
    const Drivers drivers(static_cast<int>(state.range(0)));
    OpenWindow open(drivers);
    for (auto _ : state) {
        open.window.rebuild();
        open.window.table().viewport()->repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_DetailedListRebuild)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A header click on the column and the repaint of the sorted table; each round starts again
// from list order.
void sortByColumn(benchmark::State& state, int column) {
    const Drivers drivers(static_cast<int>(state.range(0)));
    OpenWindow open(drivers);
    QHeaderView* header = open.window.table().horizontalHeader();
    for (auto _ : state) {
        state.PauseTiming();
        open.window.rebuild();
        QApplication::processEvents();
        state.ResumeTiming();
        const int x = header->sectionViewportPosition(column) + 5;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        open.window.table().viewport()->repaint();
        QApplication::processEvents();
    }
}

// By "Hc [mm]", a stored text.
void BM_DetailedListSort(benchmark::State& state) {
    sortByColumn(state, 20);
}
BENCHMARK(BM_DetailedListSort)->Arg(10000)->Unit(benchmark::kMillisecond);

// By "Vas [l]", computed for every row and compared as the text it shows.
void BM_DetailedListSortByDerivedColumn(benchmark::State& state) {
    sortByColumn(state, 11);
}
BENCHMARK(BM_DetailedListSortByDerivedColumn)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
