#include "source_level.h"

#include <cmath>

namespace sublumo::enclosure {

SourceLevel computeSourceLevel(const DriverParameters& driver, const EquivalentDriver& equivalent,
                               int N, double U, double d, NumberFormat format) {
    SourceLevel s;
    const double uspl = driver.value(Param::USPL);
    double shownPd = 0.0;
    if (driver.value(Param::Qts) > 0 && uspl > 0) {
        const double current = U / equivalent.Rtot;
        const double pd = current * current * (equivalent.Rtot - equivalent.Rs) / N;
        const double pr = current * current * equivalent.Rs;
        if (!std::isfinite(pd))
            return s;
        shownPd = roundToDecimals(pd, 2);
        s.Pd = formatNumber(shownPd, format);
        if (!std::isfinite(pr))
            return s;
        s.Pr = formatRounded(pr, 2, format);
    } else {
        s.Pd = "0";
        s.L = "0";
    }
    if (U == 0 || d == 0)
        s.L = "0";
    if (uspl > 0 && U > 0 && d > 0) {
        const double level =
            10.0 * std::log10(U * U / equivalent.Rtot) + equivalent.SPL - 20.0 * std::log10(d);
        if (!std::isfinite(level))
            return s;
        s.level = level;
        s.L = level <= 0 ? std::string("0") : formatRounded(level, 2, format);
    }
    const double pe = driver.value(Param::Pe);
    s.warning = uspl > 0 && pe > 0 && shownPd > pe;
    return s;
}

std::string_view levelChartNote(double U, double d) {
    if (!(d > 0))
        return "Enter a distance d above 0 to see the sound pressure level.";
    if (!(U > 0))
        return "Enter a voltage U above 0 to see the sound pressure level.";
    return {};
}

std::optional<std::string> oneWattVoltage(const EquivalentDriver& equivalent, NumberFormat format) {
    const double hot = equivalent.Rtot - equivalent.Rs;
    if (!(hot > 0))
        return std::nullopt;
    const double u = std::sqrt(hot) * equivalent.Rtot / hot;
    if (!std::isfinite(u))
        return std::nullopt;
    return formatRounded(u, 2, format);
}

}  // namespace sublumo::enclosure
