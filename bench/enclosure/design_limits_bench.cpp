// One limit chart recomputed for the current design on its 10 Hz to 1 kHz grid, as a keystroke
// with that chart on show runs it: the design's recompute to the limit inputs, then the chart.
// Run with --benchmark_repetitions to read medians and spread.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "design_limits.h"
#include "driver_solver.h"

namespace sublumo::enclosure {
namespace {

// The reference driver as the solver derives it, with 100 W, Xmax 6 mm and 1.2 mH.
DriverParameters limitDriver() {
    SolverInput in;
    in.enteredTexts = {"2.5", "0.35", "30", "60", "260", "0", "5.6", "14", "2", "100", "1.2"};
    in.name = "W10";
    return solveDriverParameters({}, in).params;
}

SharedInputs limitShared() {
    SharedInputs s;
    s.arrangement = {"2", Connection::Series, false, true};
    s.cabinGainOn = true;
    return s;
}

template <class Recompute>
void runKind(benchmark::State& state, Recompute recompute) {
    const DriverParameters d = limitDriver();
    const auto kind = static_cast<LimitKind>(state.range(0));
    for (auto _ : state) {
        const auto in = limitInputs(d, recompute(d, limitShared()), {});
        benchmark::DoNotOptimize(computeLimitChart(kind, *in));
    }
}

void BM_LimitChartClosed(benchmark::State& state) {
    runKind(state, [](const DriverParameters& d, const SharedInputs& s) {
        return recomputeClosedBox(d, s, {.Vb = "120", .linkwitzOn = true}, {});
    });
}
void BM_LimitChartVented(benchmark::State& state) {
    runKind(state, [](const DriverParameters& d, const SharedInputs& s) {
        return recomputeVentedBox(d, s, {.Vb = "250", .fb = "28.5"}, {});
    });
}
void BM_LimitChartBandpass(benchmark::State& state) {
    runKind(state, [](const DriverParameters& d, const SharedInputs& s) {
        return recomputeBandpassBox(d, s, {.Vr = "90", .Vf = "60"}, {});
    });
}
// The vented design's chart alone, the box recompute done once outside the loop.
void BM_LimitChartOnly(benchmark::State& state) {
    const DriverParameters d = limitDriver();
    const auto in =
        limitInputs(d, recomputeVentedBox(d, limitShared(), {.Vb = "250", .fb = "28.5"}, {}), {});
    const auto kind = static_cast<LimitKind>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(computeLimitChart(kind, *in));
}

double p95(const std::vector<double>& v) {
    std::vector<double> sorted = v;
    std::sort(sorted.begin(), sorted.end());
    return sorted.empty() ? 0.0 : sorted[(sorted.size() - 1) * 95 / 100];
}

// The argument is the kind: impedance, excursion, port velocity, group delay, maximum SPL,
// maximum power.
BENCHMARK(BM_LimitChartClosed)
    ->DenseRange(0, 5)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("p95", p95);
BENCHMARK(BM_LimitChartVented)
    ->DenseRange(0, 5)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("p95", p95);
BENCHMARK(BM_LimitChartOnly)
    ->DenseRange(0, 5)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("p95", p95);
BENCHMARK(BM_LimitChartBandpass)
    ->DenseRange(0, 5)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("p95", p95);

}  // namespace
}  // namespace sublumo::enclosure
