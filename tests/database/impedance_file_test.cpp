// The impedance a closed box exports as ZMA, read back as a measurement program would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "../enclosure/test_driver.h"
#include "closed_box.h"
#include "curve_files.h"
#include "design_limits.h"

namespace sublumo::database {
namespace {

TEST(ImpedanceFile, ClosedBoxZmaPeaksAtFc) {
    constexpr NumberFormat kDot{'.'};
    const DriverParameters driver = enclosure::test::makeDriver();  // no Le: a clean peak
    const enclosure::ClosedBoxResult box = enclosure::recomputeClosedBox(
        driver, enclosure::test::plainShared(), {.Vb = "40", .fill = "50"}, kDot);
    const auto inputs = enclosure::limitInputs(driver, box, kDot);
    ASSERT_TRUE(inputs);
    const enclosure::LimitChart chart =
        enclosure::computeLimitChart(enclosure::LimitKind::Impedance, *inputs);
    ASSERT_EQ(chart.curves.size(), 2u);  // magnitude, then phase

    const NamedCurve curve{"Closed box", chart.curves[0].frequency, chart.curves[0].value,
                           chart.curves[1].value};
    const CurveReadResult read =
        readCurveFile(writeCurveFile(curve, {"Sublumo", "Closed box", ""}, CurveKind::Impedance));
    ASSERT_TRUE(read.error.empty()) << read.error;
    ASSERT_EQ(read.points.size(), curve.frequency.size());
    const auto peak =
        std::max_element(read.points.begin(), read.points.end(),
                         [](const auto& a, const auto& b) { return a.value < b.value; });
    // The grid has 100 points a decade: the nearest point lies within half a step of fc.
    const double halfStep = 0.005;
    EXPECT_LE(std::abs(std::log10(peak->frequency / box.values.fc)), halfStep)
        << peak->frequency << " Hz against fc " << box.values.fc << " Hz";
}

}  // namespace
}  // namespace sublumo::database
