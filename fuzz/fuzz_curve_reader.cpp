// A measured curve may come from any program, or be any file picked by mistake. Reading it
// must not fault; what it gives must be usable points in order, or an error saying why not,
// and written out again those points read back. The same points fed to the impedance fit give
// a fit of finite, positive values or a refusal that says why.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "curve_files.h"
#include "fuzz_require.h"
#include "impedance_fit.h"
#include "text_encoding.h"

namespace {

void requireFitOrReason(const sublumo::database::NamedCurve& curve) {
    using namespace sublumo::tools;
    const ImpedanceFit fit = fitImpedance({curve.frequency, curve.value, curve.phase});
    if (!fit.fitted) {
        require(!fit.refusal.empty() && sublumo::database::isValidUtf8(fit.refusal));
        return;
    }
    const FittedDriver& d = fit.driver;
    for (const double v : {d.Re, d.fs, d.Qms, d.Qes, fit.residual})
        require(std::isfinite(v) && v >= 0);
    require(std::isfinite(d.Le) && d.Le >= 0 && d.Re > 0 && d.fs > 0);
    (void)impedanceFitTexts(fit, {','});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sublumo::database;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const CurveReadResult read = readCurveFile(bytes);
    require(read.points.empty() != read.error.empty());
    require(sublumo::database::isValidUtf8(read.error));
    NamedCurve curve{"fuzzed", {}, {}, {}};
    for (std::size_t i = 0; i < read.points.size(); ++i) {
        const CurvePoint& p = read.points[i];
        require(std::isfinite(p.frequency) && p.frequency > 0 && std::isfinite(p.value));
        require(i == 0 || read.points[i - 1].frequency < p.frequency);
        require(!read.hasPhase || p.phase.has_value());
        curve.frequency.push_back(p.frequency);
        curve.value.push_back(p.value);
        if (read.hasPhase)
            curve.phase.push_back(*p.phase);
    }
    const std::string written = writeCurveFile(curve, {"a", "b", "c"}, CurveKind::Response);
    const CurveReadResult again = readCurveFile(written);
    require(again.points.size() <= read.points.size());
    require(again.skippedLines == 0);
    (void)writeCurvesCsv({curve, curve});
    requireFitOrReason(curve);
    return 0;
}
