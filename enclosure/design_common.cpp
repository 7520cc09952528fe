#include "design_common.h"

#include <cmath>

namespace sublumo::enclosure {

std::string filled(const std::string& text, const std::string& whenEmpty) {
    return text.empty() ? whenEmpty : text;
}

std::string filled(const std::string& text, double whenEmpty, NumberFormat format) {
    return text.empty() ? formatNumber(whenEmpty, format) : text;
}

std::optional<double> readField(const std::string& text, NumberFormat format) {
    return parseDecimal(text, format, SignRule::Unsigned);
}

std::string filledFillPercent(const std::string& text, NumberFormat format) {
    const auto fill = readField(text, format);
    return text.empty() || (fill && *fill > 100) ? std::string("100") : text;
}

void beginDesign(SharedResult& r, const DriverParameters& driver, const SharedInputs& inputs,
                 NumberFormat format) {
    const CountField count = readCount(inputs.arrangement.countText);
    r.countText = count.text;
    r.arrangement = {count.N, inputs.arrangement.connection, inputs.arrangement.isobaric};
    r.Rs = filled(inputs.Rs, 0.1, format);
    r.Mplus = filled(inputs.Mplus, 0.0, format);
    r.Tvc = filled(inputs.Tvc, 20.0, format);
    r.U = filled(inputs.U, 2.83, format);
    r.d = filled(inputs.d, 1.0, format);
    const auto rs = readField(r.Rs, format);
    const auto mplus = readField(r.Mplus, format);
    const auto tvc = readField(r.Tvc, format);
    if (rs && mplus && tvc) {
        const EquivalentDriver e =
            computeEquivalentDriver(driver, r.arrangement, AdditionalOptions{*rs, *mplus, *tvc});
        if (isFinite(e))
            r.equivalent = e;
    }
}

bool canPlot(const DriverParameters& driver, const SharedResult& shared, double volume) {
    const auto& e = shared.equivalent;
    return e && e->fs > 0 && driver.value(Param::Qts) > 0 && e->Vas > 0 && volume > 0;
}

namespace {

void plotResponse(SharedResult& shared, const Curve& r, double U, double d) {
    const double level = shared.source.level;
    Curve lifted{};
    for (int i = 0; i < kGridPoints; ++i) lifted[i] = r[i] + level;
    shared.table.setColumn(TableColumn::Relative, r);
    shared.table.setColumn(TableColumn::Absolute, lifted);
    shared.curves.main = true;
    shared.curves.absolute = U > 0 && d > 0;
    shared.curves.absoluteNote = levelChartNote(U, d);
    if (!shared.lmaxEnabled || !shared.cabinGain || !(shared.cabinGain->fcg > 0))
        return;
    const double fcg = shared.cabinGain->fcg;
    const Curve& grid = frequencyGrid();
    Curve relative{};
    Curve absolute{};
    for (int i = 0; i < kGridPoints; ++i) {
        const double g = cabinGainTerm(grid[i], fcg);
        relative[i] = r[i] - g;
        absolute[i] = lifted[i] - g;
    }
    shared.table.setColumn(TableColumn::RelativeCabinGain, relative);
    shared.table.setColumn(TableColumn::AbsoluteCabinGain, absolute);
    shared.curves.cabinGain = true;
}

}  // namespace

void finishDesign(SharedResult& shared, const DriverParameters& driver, const SharedInputs& inputs,
                  double volume, const BoxDesign& box, NumberFormat format) {
    finishDesign(
        shared, driver, inputs, volume, [&] { return computeResponse(box, *shared.equivalent); },
        format);
}

void finishDesign(SharedResult& shared, const DriverParameters& driver, const SharedInputs& inputs,
                  double volume, const std::function<Curve()>& response, NumberFormat format) {
    const auto u = readField(shared.U, format);
    const auto d = readField(shared.d, format);
    if (shared.equivalent && u && d)
        shared.source =
            computeSourceLevel(driver, *shared.equivalent, shared.arrangement.N, *u, *d, format);
    shared.optionsEnabled = volume > 0;
    shared.lmaxEnabled = shared.optionsEnabled && inputs.cabinGainOn;
    if (inputs.cabinGainOn)
        shared.cabinGain = computeCabinGain(inputs.lmax, format);
    if (canPlot(driver, shared, volume))
        plotResponse(shared, response(), u.value_or(0), d.value_or(0));
}

void addLinkwitzCurves(SharedResult& shared, const LinkwitzCircuit& circuit) {
    const Curve& grid = frequencyGrid();
    const Curve& relative = shared.table.values(TableColumn::Relative);
    const Curve& absolute = shared.table.values(TableColumn::Absolute);
    const double level = shared.source.level;
    Curve columns[4]{};
    for (int i = 0; i < kGridPoints; ++i) {
        const double e = linkwitzResponse(grid[i], circuit);
        columns[0][i] = e;
        columns[1][i] = relative[i] + e;
        columns[2][i] = e + level;
        columns[3][i] = absolute[i] + e;
    }
    shared.table.setColumn(TableColumn::Equaliser, columns[0]);
    shared.table.setColumn(TableColumn::Equalised, columns[1]);
    shared.table.setColumn(TableColumn::EqualiserAbsolute, columns[2]);
    shared.table.setColumn(TableColumn::EqualisedAbsolute, columns[3]);
    shared.curves.linkwitz = true;
}

std::optional<std::string> designedVolumeText(double litres, NumberFormat format) {
    if (!std::isfinite(litres) || !(roundToDecimals(litres, 2) > 0))
        return std::nullopt;
    return formatRounded(litres, 2, format);
}

std::optional<std::string> cubicFeetHint(const std::string& litresText, NumberFormat format) {
    const auto litres = readField(litresText, format);
    if (!litres)
        return std::nullopt;
    return formatRounded(*litres / litresPerCubicFoot, 3, format) + " ft^3";
}

}  // namespace sublumo::enclosure
