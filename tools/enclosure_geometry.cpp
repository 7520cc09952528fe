#include "enclosure_geometry.h"

#include <array>
#include <cmath>

namespace sublumo::tools {

namespace {

// The lowest standing wave along a dimension of x mm.
double standingWave(double x) {
    return x > 0.0 ? cair / (2.0 * x) * 1000.0 : 0.0;
}

std::string threeWay(const std::array<double, 3>& v, int decimals, NumberFormat format) {
    return showRounded(v[0], decimals, format) + " / " + showRounded(v[1], decimals, format) +
           " / " + showRounded(v[2], decimals, format);
}

TextLines resonanceLines(const std::array<double, 3>& size, NumberFormat format) {
    const std::array<double, 3> f = {standingWave(size[0]), standingWave(size[1]),
                                     standingWave(size[2])};
    TextLines lines = {"Width / Height / Depth",
                       "size: " + formatNumber(size[0], format) + " / " +
                           formatNumber(size[1], format) + " / " + formatNumber(size[2], format) +
                           " mm",
                       "f: " + threeWay(f, 0, format) + " Hz", "", "and their multiples:"};
    for (int n = 2; n <= 9; ++n) {
        const std::array<double, 3> multiple = {n * f[0], n * f[1], n * f[2]};
        lines.push_back("f" + std::to_string(n) + ": " + threeWay(multiple, 0, format) + " Hz");
    }
    const double vb = size[0] * size[1] * size[2] * 1e-6;
    lines.push_back("");
    lines.push_back("Vb: " + showRounded(vb, 2, format) + " l");
    return lines;
}

// One series of proportions: m, then b and c rounded to whole mm.
TextLines ratioSeries(double m, double bFactor, double cFactor, const char* small,
                      const char* large, NumberFormat format) {
    const double b = roundToDecimals(m * bFactor, 0);
    const double c = roundToDecimals(m * cFactor, 0);
    const double vb = m * b * c * 1e-6;
    return {std::string("ratio ") + small + ": " + formatNumber(m, format) + " mm",
            "ratio 1: " + formatNumber(b, format) + " mm",
            std::string("ratio ") + large + ": " + formatNumber(c, format) + " mm",
            "Vb: " + showRounded(vb, 2, format) + " l"};
}

}  // namespace

EnclosureResonancesResult computeEnclosureResonances(const EnclosureResonancesInputs& in,
                                                     NumberFormat format) {
    const ReadInput width = readInput(in.width, "240", format);
    const ReadInput height = readInput(in.height, "420", format);
    const ReadInput depth = readInput(in.depth, "180", format);

    EnclosureResonancesResult out{width.field, height.field, depth.field, {}};
    if (!width.value || !height.value || !depth.value)
        return out;
    const std::array<double, 3> size = {*width.value, *height.value, *depth.value};
    // A dimension that is zero or negative is not given; with none given there is nothing to show.
    if (size[0] <= 0.0 && size[1] <= 0.0 && size[2] <= 0.0)
        return out;
    out.lines = resonanceLines(size, format);
    return out;
}

GoldenRatioResult computeGoldenRatio(const GoldenRatioInputs& in, NumberFormat format) {
    const ReadInput m = readInput(in.minimalSize, "150", format);
    GoldenRatioResult out{m.field, {}};
    if (!m.value || *m.value <= 0.0)
        return out;
    out.lines = ratioSeries(*m.value, 5.0 / 3.0, 8.0 / 3.0, "0.6", "1.6", format);
    out.lines.push_back("");
    const TextLines second = ratioSeries(*m.value, 5.0 / 4.0, 25.0 / 16.0, "0.8", "1.25", format);
    out.lines.insert(out.lines.end(), second.begin(), second.end());
    return out;
}

}  // namespace sublumo::tools
