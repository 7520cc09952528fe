#include <benchmark/benchmark.h>

#include "driver_solver.h"
#include "formulas_report.h"

namespace {

sublumo::SolverInput referenceDriver() {
    sublumo::SolverInput in;
    in.enteredTexts = {"2.5", "0.35", "30", "60", "260", "530.93", "5.6", "12", "6", "150", "1.2"};
    in.name = "Maker One 10W";
    return in;
}

// One keystroke's worth of solving: parse, derive and every derived field's text.
void BM_SolveReferenceDriver(benchmark::State& state) {
    const sublumo::SolverInput in = referenceDriver();
    const sublumo::DriverParameters previous;
    for (auto _ : state) {
        sublumo::SolverResult r = sublumo::solveDriverParameters(previous, in);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_SolveReferenceDriver);

void BM_FormulasReport(benchmark::State& state) {
    const auto params = sublumo::solveDriverParameters({}, referenceDriver()).params;
    for (auto _ : state) {
        auto lines = sublumo::buildFormulasReport(params, {'.'});
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_FormulasReport);

}  // namespace
