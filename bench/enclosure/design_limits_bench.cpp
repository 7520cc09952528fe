// One limit chart recomputed for the current design on its 10 Hz to 1 kHz grid, as a keystroke
// with that chart on show runs it: the design's recompute to the limit inputs, then the chart.
// Run with --benchmark_repetitions to read medians and spread.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "design_limits.h"

namespace sublumo::enclosure {
namespace {

DriverParameters limitDriver() {
    DriverParameters d;
    const double fs = 30.0, mms = 60.0, qms = 2.5, qes = 0.35, sd = 530.93, re = 5.6;
    const double w = 2.0 * pi * fs;
    d.value(Param::fs) = fs;
    d.value(Param::Mms) = mms;
    d.value(Param::Qms) = qms;
    d.value(Param::Qes) = qes;
    d.value(Param::Qts) = qes * qms / (qes + qms);
    d.value(Param::Sd) = sd;
    d.value(Param::Re) = re;
    d.value(Param::Pe) = 100.0;
    d.value(Param::Xmax) = 6.0;
    d.value(Param::Le) = 1.2;
    d.value(Param::Cms) = 1.0 / (w * w * mms * 1e-6);
    d.value(Param::Rms) = w * mms * 1e-3 / qms;
    d.value(Param::Bl) = std::sqrt(w * mms * re * 1e-3 / qes);
    d.value(Param::USPL) = 95.04;
    return d;
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
