// The Build view's recompute on a keystroke while it is open: the vented design's plan with the
// vent search, which sweeps the circuit at maximum power a few times.
// Run with --benchmark_repetitions to read medians and spread.
#include <benchmark/benchmark.h>

#include "build_plan.h"
#include "driver_solver.h"

namespace sublumo::enclosure {
namespace {

// The reference driver as the solver derives it, with 100 W, Xmax 6 mm and 1.2 mH.
DriverParameters buildDriver() {
    SolverInput in;
    in.enteredTexts = {"2.5", "0.35", "30", "60", "260", "0", "5.6", "14", "2", "100", "1.2"};
    in.name = "W10";
    return solveDriverParameters({}, in).params;
}

void BM_BuildVented(benchmark::State& state) {
    const DriverParameters d = buildDriver();
    SharedInputs shared;
    shared.arrangement.countText = "1";
    VentedBoxInputs box{.Vb = "60", .fb = "30"};
    const VentedBoxResult r = recomputeVentedBox(d, shared, box, {});
    const BuildDesign design = buildDesign(d, r, box, limitInputs(d, r, {}));
    BuildInputs in;
    in.slot = state.range(0) != 0;
    for (auto _ : state) benchmark::DoNotOptimize(computeBuild(design, in, {}));
}
BENCHMARK(BM_BuildVented)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sublumo::enclosure
