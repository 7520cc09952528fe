// A measured curve may come from any program, or be any file picked by mistake. Reading it
// must not fault; what it gives must be usable points in order, or an error saying why not,
// and written out again those points read back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "curve_files.h"
#include "fuzz_require.h"
#include "text_encoding.h"

namespace {}  // namespace

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
    return 0;
}
