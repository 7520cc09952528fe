// Every keystroke in a calculator input recomputes it; these are the heaviest ones.
#include <benchmark/benchmark.h>

#include "driver_modification.h"
#include "enclosure_geometry.h"
#include "q_factors.h"

namespace {

using namespace sublumo;
using namespace sublumo::tools;

void enclosureResonances(benchmark::State& state) {
    const EnclosureResonancesInputs in{"240", "420", "180"};
    for (auto _ : state) benchmark::DoNotOptimize(computeEnclosureResonances(in, NumberFormat{}));
}
BENCHMARK(enclosureResonances);

void qFactors(benchmark::State& state) {
    const QFactorsInputs in{"6", "54", "50", "40", "62.5"};
    for (auto _ : state) benchmark::DoNotOptimize(computeQFactors(in, NumberFormat{}));
}
BENCHMARK(qFactors);

void addedMassToCone(benchmark::State& state) {
    DriverParameters driver;
    driver.value(Param::fs) = 30.0;
    driver.value(Param::Mms) = 60.0;
    driver.value(Param::Re) = 5.6;
    driver.value(Param::Cms) = 0.469;
    driver.value(Param::Rms) = 4.52;
    driver.value(Param::Bl) = 13.45;
    driver.value(Param::Vas) = 187.77;
    for (auto _ : state)
        benchmark::DoNotOptimize(computeAddedMassToCone("5", driver, NumberFormat{}));
}
BENCHMARK(addedMassToCone);

}  // namespace
