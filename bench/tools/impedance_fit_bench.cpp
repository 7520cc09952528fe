// A fit runs once per opened measurement; a 1 000-point sweep is a long one.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "derived_quantities.h"
#include "impedance_fit.h"

namespace {

using namespace sublumo;
using namespace sublumo::tools;

// A real coil's semi-inductance, 1 % noise on the magnitude and 1 degree on the phase.
ImpedanceCurve measuredSweep(bool withPhase) {
    const FittedDriver driver{5.6, 30.0, 2.5, 0.35, 0.9, 25.0, InductanceModel::Lossy};
    std::mt19937 random(1);
    std::normal_distribution<double> normal;
    ImpedanceCurve curve;
    for (int i = 0; i < 1000; ++i) {
        const double f = 10.0 * std::pow(2000.0, i / 999.0);
        const auto z = modelImpedance(driver, f);
        curve.frequency.push_back(f);
        curve.magnitude.push_back(std::abs(z) * (1.0 + 0.01 * normal(random)));
        if (withPhase)
            curve.phase.push_back(std::arg(z) * 180.0 / pi + normal(random));
    }
    return curve;
}

void fitThousandPoints(benchmark::State& state) {
    const ImpedanceCurve curve = measuredSweep(state.range(0) != 0);
    for (auto _ : state) benchmark::DoNotOptimize(fitImpedance(curve));
    state.SetLabel(fitImpedance(curve).fitted ? "fitted" : "refused");
}
BENCHMARK(fitThousandPoints)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
