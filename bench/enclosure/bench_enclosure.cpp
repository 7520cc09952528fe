// One full recompute of each box type, as a keystroke in a design field runs it: equivalent
// driver, box values, source level, the 201-point response with cabin gain (and, for the
// closed box, the Linkwitz columns) and every text of the response table.
#include <benchmark/benchmark.h>

#include "bandpass_box.h"
#include "closed_box.h"
#include "driver_solver.h"
#include "passive_radiator_box.h"
#include "vented_box.h"

namespace sublumo::enclosure {
namespace {

// The reference driver as the solver derives it, with 100 W power handling.
DriverParameters benchDriver() {
    SolverInput in;
    in.enteredTexts = {"2.5", "0.35", "30", "60", "260", "0", "5.6", "0", "0", "100", "0"};
    in.name = "W10";
    return solveDriverParameters({}, in).params;
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

// The circuit gives this box's response, and the radiators' worst excursion sweeps it once more.
void BM_PassiveRadiatorBoxRecompute(benchmark::State& state) {
    const DriverParameters d = benchDriver();
    const SharedInputs shared = benchShared();
    PassiveRadiatorInputs in;
    in.Vb = "60";
    in.fb = "25";
    in.Np = "2";
    in.Dp = "247";
    in.Mmp = "150";
    in.Cmp = "0.15";
    in.Qmp = "5";
    in.Xmaxp = "20";
    for (auto _ : state) benchmark::DoNotOptimize(recomputePassiveRadiatorBox(d, shared, in, {}));
}
BENCHMARK(BM_PassiveRadiatorBoxRecompute);

}  // namespace
}  // namespace sublumo::enclosure
