// One full recompute of each box type, as a keystroke in a design field runs it: equivalent
// driver, box values, source level, the 201-point response with cabin gain (and, for the
// closed box, the Linkwitz columns) and every text of the response table.
#include <benchmark/benchmark.h>

#include <cmath>

#include "bandpass_box.h"
#include "closed_box.h"
#include "vented_box.h"

namespace sublumo::enclosure {
namespace {

DriverParameters benchDriver() {
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
    d.value(Param::Cms) = 1.0 / (w * w * mms * 1e-6);
    d.value(Param::Rms) = w * mms * 1e-3 / qms;
    d.value(Param::Bl) = std::sqrt(w * mms * re * 1e-3 / qes);
    d.value(Param::USPL) = 95.04;
    d.name = "W10";
    return d;
}

SharedInputs benchShared() {
    SharedInputs s;
    s.arrangement = {"2", Connection::Series, false, true};
    s.cabinGainOn = true;
    return s;
}

void BM_ClosedBoxRecompute(benchmark::State& state) {
    const DriverParameters d = benchDriver();
    const SharedInputs shared = benchShared();
    const ClosedBoxInputs in{.Vb = "120", .linkwitzOn = true};
    for (auto _ : state) benchmark::DoNotOptimize(recomputeClosedBox(d, shared, in, {}));
}
BENCHMARK(BM_ClosedBoxRecompute);

void BM_VentedBoxRecompute(benchmark::State& state) {
    const DriverParameters d = benchDriver();
    const SharedInputs shared = benchShared();
    const VentedBoxInputs in{.Vb = "250", .fb = "28.5"};
    for (auto _ : state) benchmark::DoNotOptimize(recomputeVentedBox(d, shared, in, {}));
}
BENCHMARK(BM_VentedBoxRecompute);

void BM_BandpassBoxRecompute(benchmark::State& state) {
    const DriverParameters d = benchDriver();
    const SharedInputs shared = benchShared();
    const BandpassBoxInputs in{.Vr = "90", .Vf = "60"};
    for (auto _ : state) benchmark::DoNotOptimize(recomputeBandpassBox(d, shared, in, {}));
}
BENCHMARK(BM_BandpassBoxRecompute);

}  // namespace
}  // namespace sublumo::enclosure
