// Opening a database of 100 000 records and refreshing the filtered "All" list over it: the
// start-up and every keystroke in the filter.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "detailed_list.h"
#include "driver_database.h"
#include "driver_lists.h"
#include "number_text.h"
#include "steady_memory.h"

namespace sublumo::database {
namespace {

constexpr int kRecords = 100000;

const bool kMemoryKept = (bench::keepFreedMemory(), true);

std::string number(std::mt19937& random, double low, double high) {
    std::uniform_real_distribution<double> draw(low, high);
    return formatRounded(draw(random), 2, NumberFormat{'.'});
}

// The file a long-time user might have: maker and model names, realistic values.
std::string databaseText() {
    static const char* const makers[] = {"Acme",    "Bold Audio",  "Celeste", "Dynacore",
                                         "Eminent", "Fostex-like", "Gamut",   "Helix",
                                         "Ionic",   "Jubal"};
    std::mt19937 random(5);
    std::string text;
    text.reserve(kRecords * 180);
    for (int r = 0; r < kRecords; ++r) {
        text += "[" + std::string(makers[r % 10]) + " " + std::to_string(r) + " Woofer]\r\n";
        text += "Qms=" + number(random, 1, 10) + "\r\nQes=" + number(random, 0.2, 1.5) +
                "\r\nfs=" + number(random, 15, 120) + "\r\nMms=" + number(random, 2, 300) +
                "\r\nDd=" + number(random, 40, 460) + "\r\nRe=" + number(random, 2, 8) +
                "\r\nHc=" + number(random, 4, 30) + "\r\nHg=" + number(random, 4, 12) +
                "\r\nPe=" + number(random, 10, 1000) + "\r\nLe=" + number(random, 0.1, 3) +
                "\r\nURL=https://www.example.com/drivers/" + std::to_string(r) + "\r\n\r\n";
    }
    return text;
}

// Written once per run, removed when the program ends.
class BenchFile {
public:
    BenchFile()
        : m_path((std::filesystem::temp_directory_path() /
                  ("sublumo-bench-" + std::to_string(getpid()) + ".ini"))
                     .string()) {
        std::ofstream(m_path, std::ios::binary) << databaseText();
    }
    ~BenchFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
        std::filesystem::remove(m_path + ".lock", ignored);
    }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

const std::string& databasePath() {
    static const BenchFile file;
    return file.path();
}

void BM_OpenDatabase(benchmark::State& state) {
    const std::string& path = databasePath();
    for (auto _ : state) {
        DriverDatabase db;
        db.openDatabase(path);
        benchmark::DoNotOptimize(db.recordCount());
    }
}
BENCHMARK(BM_OpenDatabase)->Unit(benchmark::kMillisecond);

// The same open as in a program just started, whose memory has never been touched: each round
// starts with the freed memory handed back to the system.
void BM_OpenDatabaseAsAtStartUp(benchmark::State& state) {
    const std::string& path = databasePath();
    for (auto _ : state) {
        state.PauseTiming();
        bench::returnFreedMemory();
        state.ResumeTiming();
        DriverDatabase db;
        db.openDatabase(path);
        benchmark::DoNotOptimize(db.recordCount());
    }
}
BENCHMARK(BM_OpenDatabaseAsAtStartUp)->Unit(benchmark::kMillisecond);

// Opening followed by the first lookup by name, which builds the name index.
void BM_OpenDatabaseAndLookUp(benchmark::State& state) {
    const std::string& path = databasePath();
    for (auto _ : state) {
        DriverDatabase db;
        db.openDatabase(path);
        benchmark::DoNotOptimize(db.readValue("Jubal 99999 Woofer", "Qms"));
    }
}
BENCHMARK(BM_OpenDatabaseAndLookUp)->Unit(benchmark::kMillisecond);

// Taking the name list with its alphabetical order: once after start-up and every write.
void BM_TakeNameList(benchmark::State& state) {
    DriverDatabase db;
    db.openDatabase(databasePath());
    for (auto _ : state) {
        DriverLists lists;
        lists.takeNameList(db);
        benchmark::DoNotOptimize(lists.nameList().size());
    }
}
BENCHMARK(BM_TakeNameList)->Unit(benchmark::kMillisecond);

DriverFilter benchFilter() {
    DriverFilter filter;
    filter.on = true;
    filter.searchText = "wOOf";
    filter[Criterion::Dd] = {true, "100", "300"};
    filter[Criterion::Qts] = {true, "0.2", "0.6"};
    filter[Criterion::SPL] = {true, "80", "95"};
    return filter;
}

// Search text and three criteria, every record judged: a keystroke in the filter.
void BM_RefreshFilteredList(benchmark::State& state) {
    DriverDatabase db;
    db.openDatabase(databasePath());
    DriverLists lists;
    const DriverFilter filter = benchFilter();
    lists.refreshDriverList(db, filter, 0, NumberFormat{'.'});
    for (auto _ : state) {
        if (!lists.refreshDriverList(db, filter, 0, NumberFormat{'.'}).ok)
            state.SkipWithError("refresh failed");
    }
    state.counters["listed"] = static_cast<double>(lists.allCount());
}
BENCHMARK(BM_RefreshFilteredList)->Unit(benchmark::kMillisecond);

// The first refresh after a value changed (a save over a stored record), which reads that
// record's values again.
void BM_RefreshFilteredListAfterAChange(benchmark::State& state) {
    DriverDatabase db;
    db.openDatabase(databasePath());
    DriverLists lists;
    const DriverFilter filter = benchFilter();
    lists.refreshDriverList(db, filter, 0, NumberFormat{'.'});
    int round = 0;
    for (auto _ : state) {
        db.writeValue("Acme 0 Woofer", "Qms", std::to_string(2 + (++round % 2)));
        if (!lists.refreshDriverList(db, filter, 0, NumberFormat{'.'}).ok)
            state.SkipWithError("refresh failed");
    }
}
BENCHMARK(BM_RefreshFilteredListAfterAChange)->Unit(benchmark::kMillisecond);

// The first refresh after a record was added (a save under a new name), which takes the name
// list and every record's values again.
void BM_RefreshFilteredListAfterANewRecord(benchmark::State& state) {
    DriverDatabase db;
    db.openDatabase(databasePath());
    DriverLists lists;
    const DriverFilter filter = benchFilter();
    lists.refreshDriverList(db, filter, 0, NumberFormat{'.'});
    int round = 0;
    for (auto _ : state) {
        const std::string name = "Added " + std::to_string(++round);
        for (const auto& [key, value] : {std::pair<const char*, const char*>{"Qms", "2"},
                                         {"Qes", "0.4"},
                                         {"fs", "30"},
                                         {"Mms", "40"},
                                         {"Dd", "200"},
                                         {"Re", "6"}})
            db.writeValue(name, key, value);
        if (!lists.refreshDriverList(db, filter, 0, NumberFormat{'.'}).ok)
            state.SkipWithError("refresh failed");
    }
}
BENCHMARK(BM_RefreshFilteredListAfterANewRecord)->Unit(benchmark::kMillisecond);

void BM_FlushDatabase(benchmark::State& state) {
    const std::string path = databasePath() + ".flush";
    std::filesystem::copy_file(databasePath(), path,
                               std::filesystem::copy_options::overwrite_existing);
    DriverDatabase db;
    db.openDatabase(path);
    int round = 0;
    for (auto _ : state) {
        db.writeValue("Acme 0 Woofer", "Qms", std::to_string(++round));
        if (!db.flushDatabase())
            state.SkipWithError("flush failed");
    }
    std::filesystem::remove(path);
    std::filesystem::remove(path + ".lock");
}
BENCHMARK(BM_FlushDatabase)->Unit(benchmark::kMillisecond);

// The detailed list's rows for the first 10 000 names: stored texts and every derived value.
void BM_DetailedRows(benchmark::State& state) {
    DriverDatabase db;
    db.openDatabase(databasePath());
    std::vector<std::string> names = db.recordNames();
    names.resize(10000);
    for (auto _ : state) benchmark::DoNotOptimize(detailedRows(db, names, NumberFormat{'.'}));
}
BENCHMARK(BM_DetailedRows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sublumo::database
