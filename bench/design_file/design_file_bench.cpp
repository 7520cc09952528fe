// A design with all eight memory slots stored, turned into text and read back, and saved to a
// file: the library's share of opening and saving a design.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "design_file.h"

namespace sublumo::design_file {
namespace {

constexpr NumberFormat kDot{'.'};

// Curves as the memory copies them from the response table: the frequency grid and levels
// with two decimals, so the numbers are as long as a real file's.
memory::Slot storedSlot(int number) {
    memory::Slot slot;
    slot.filled = true;
    slot.conditions =
        " Woofer 12 (2x in P: 2.8 Ohm), +0.1 Ohm, +0 g, 20 °C, 90.5 dB/1 m/2.83 V "
        "(1.43/0.01 W) ";
    slot.design = "V: Vb=80 l (25 %), fb=32 Hz, 1xCv 100x250 mm, k=0.85, 1Rv=680 Hz";
    for (int i = 0; i < 201; ++i) {
        const double f = 20 * std::pow(5.0, i / 100.0);
        const double level = -12 * std::log(1 + 3000 / (f * f)) + number;
        slot.curves.frequencies.push_back(std::round(f * 100) / 100);
        slot.curves.relative.push_back(std::round(level * 100) / 100);
        slot.curves.absolute.push_back(std::round((level + 90.5) * 100) / 100);
    }
    enclosure::LimitInputs limits;
    limits.driver = {0.1206, 0.000469, 4.52, 26.9, 0.0530929, 2.8, 0.0006, 0.1, 2.9, 2, 3, 150};
    limits.box = enclosure::PortedBox{80, 32, 7853.98, 7};
    slot.limits = limits;
    return slot;
}

DesignDocument fullDesign() {
    DesignDocument document;
    document.programVersion = "3.04";
    document.driver = {
        "Woofer 12",
        {"2.5", "0.35", "30", "60", "260", "5.6", "12", "6", "150", "1.2", "https://example.com"}};
    for (const PageGroup& group : pageGroups())
        for (const PageKey& key : group.keys)
            document.setPageValue(group.name, key.name,
                                  key.kind == ValueKind::Choice ? std::string(key.choices[0])
                                  : key.kind == ValueKind::Flag ? "1"
                                                                : "2");
    for (int i = 0; i < memory::kSlotCount; ++i) document.memorySlots[i] = storedSlot(i);
    return document;
}

void BM_DesignFileText(benchmark::State& state) {
    const DesignDocument document = fullDesign();
    for (auto _ : state) benchmark::DoNotOptimize(designFileText(document));
}
BENCHMARK(BM_DesignFileText)->Unit(benchmark::kMillisecond);

void BM_ParseDesignFile(benchmark::State& state) {
    const std::string text = *designFileText(fullDesign());
    state.counters["bytes"] = static_cast<double>(text.size());
    for (auto _ : state) benchmark::DoNotOptimize(parseDesignFile(text, "bench.sublumo", kDot));
}
BENCHMARK(BM_ParseDesignFile)->Unit(benchmark::kMillisecond);

// Through the disk: the atomic replace, with its flush, and the read.
void BM_WriteAndReadDesignFile(benchmark::State& state) {
    const DesignDocument document = fullDesign();
    const std::string path =
        (std::filesystem::temp_directory_path() / "sublumo-bench.sublumo").string();
    for (auto _ : state) {
        benchmark::DoNotOptimize(writeDesignFile(path, document));
        benchmark::DoNotOptimize(readDesignFile(path, kDot));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteAndReadDesignFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sublumo::design_file
