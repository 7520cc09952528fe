#include "response.h"

#include <cmath>

namespace sublumo::enclosure {

const Curve& frequencyGrid() {
    static const Curve grid = [] {
        Curve g{};
        for (int i = 0; i < kGridPoints; ++i)
            g[i] = std::pow(10.0, std::log10(20.0) + i * std::log10(5.0) / 100.0);
        return g;
    }();
    return grid;
}

double closedResponse(double f, const ClosedDesign& box) {
    const double x = (f / box.fc) * (f / box.fc);
    return 10.0 * std::log10(x * x / (x / (box.Qtc * box.Qtc) + (x - 1.0) * (x - 1.0)));
}

double ventedResponse(double f, const VentedDesign& box, const EquivalentDriver& driver) {
    const double F = driver.fs;
    const double Q = driver.Qts;
    const double QL = kVentedQL;
    const double u = (f / F) * (f / F);
    const double h2 = (box.fb / F) * (box.fb / F);
    const double a1 = 1.0 / Q + box.fb / (F * QL);
    const double a2 = 1.0 + h2 + driver.Vas / box.Vb + box.fb / (F * Q * QL);
    const double a3 = h2 / Q + box.fb / (F * QL);
    const double a4 = h2;
    const double odd = a1 * u - a3;
    const double even = u * u - a2 * u + a4;
    return 10.0 * std::log10(u * u * u * u / (odd * odd * u + even * even));
}

double bandpassResponse(double f, const BandpassDesign& box, const EquivalentDriver& driver) {
    const double F = driver.fs;
    const double Q = driver.Qts;
    const double A = driver.Vas;
    const double QL = kBandpassQL;
    const double fb = box.fb;
    const double rear = A / box.Vr + 1.0;
    const double f2 = f * f;
    const double p4 = f2 * f2 / (fb * fb);
    const double p3 = f2 * f * (1.0 / QL + F / fb / Q) / fb;
    const double p2 = f2 * (((rear + A / box.Vf) * F / fb + 1.0 / (Q * QL)) * F / fb + 1.0);
    const double p1 = f * (1.0 / Q + F / fb / QL * rear) * F;
    const double p0 = F * F * rear;
    const double re = p4 - p2 + p0;
    const double im = p1 - p3;
    return 20.0 * std::log10(f2 / std::sqrt(re * re + im * im));
}

namespace {

template <class Point>
Curve sample(Point point) {
    const Curve& grid = frequencyGrid();
    Curve r{};
    for (int i = 0; i < kGridPoints; ++i) r[i] = point(grid[i]);
    return r;
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
// Spelt out for clang before 17, which builds the fuzz targets and deduces no aggregates.
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

Curve computeResponse(const BoxDesign& box, const EquivalentDriver& driver) {
    return std::visit(
        Overloaded{[](const ClosedDesign& b) {
                       return sample([&](double f) { return closedResponse(f, b); });
                   },
                   [&](const VentedDesign& b) {
                       return sample([&](double f) { return ventedResponse(f, b, driver); });
                   },
                   [&](const BandpassDesign& b) {
                       return sample([&](double f) { return bandpassResponse(f, b, driver); });
                   }},
        box);
}

}  // namespace sublumo::enclosure
