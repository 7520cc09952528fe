#include "design_limits.h"

#include <algorithm>
#include <cmath>

namespace sublumo::enclosure {

namespace {

using Grid = std::array<double, kLimitGridPoints>;

struct Sweep {
    std::array<ModelPoint, kLimitGridPoints> model;
    std::array<EqualiserPoint, kLimitGridPoints> equaliser;
};

Sweep sweep(const LimitInputs& in) {
    const Grid& grid = limitFrequencyGrid();
    Sweep s;
    for (int i = 0; i < kLimitGridPoints; ++i) {
        s.model[i] = evaluateModel(in.driver, in.box, grid[i], in.d);
        s.equaliser[i] = in.equaliser ? evaluateEqualiser(*in.equaliser, grid[i])
                                      : EqualiserPoint{Complex(1.0), 0.0};
    }
    return s;
}

// Adds only finite points: nothing else may reach a chart or a readout.
bool add(LimitCurve& curve, double f, double v) {
    if (!std::isfinite(v))
        return false;
    curve.frequency.push_back(f);
    curve.value.push_back(v);
    return true;
}

LimitCurve emptyCurve(std::string_view name, std::string_view unit) {
    LimitCurve c;
    c.name = name;
    c.unit = unit;
    c.frequency.reserve(kLimitGridPoints);
    c.value.reserve(kLimitGridPoints);
    return c;
}

// The level of an rms pressure on the absolute response's scale, cabin gain added.
double level(double pressure, double f, const LimitInputs& in) {
    const double gain = in.cabinGainFcg > 0 ? cabinGainTerm(f, in.cabinGainFcg) : 0.0;
    return 20.0 * std::log10(pressure / pressureReference()) - gain;
}

void addLine(LimitChart& chart, std::string_view name, double value) {
    if (std::isfinite(value) && value > 0)
        chart.lines.push_back({name, value});
}

void impedance(LimitChart& chart, const LimitInputs&, const Sweep& s) {
    const Grid& grid = limitFrequencyGrid();
    LimitCurve magnitude = emptyCurve("|Z|", "Ohm");
    LimitCurve phase = emptyCurve("Phase", "°");
    phase.secondAxis = true;
    for (int i = 0; i < kLimitGridPoints; ++i) {
        add(magnitude, grid[i], std::abs(s.model[i].Z));
        add(phase, grid[i], std::arg(s.model[i].Z) * 180.0 / pi);
    }
    chart.curves = {std::move(magnitude), std::move(phase)};
}

void excursion(LimitChart& chart, const LimitInputs& in, const Sweep& s) {
    const Grid& grid = limitFrequencyGrid();
    LimitCurve x = emptyCurve("Excursion", "mm");
    for (int i = 0; i < kLimitGridPoints; ++i)
        add(x, grid[i], peakExcursion(s.model[i], grid[i], in.U * std::abs(s.equaliser[i].gain)));
    chart.curves = {std::move(x)};
    addLine(chart, "Xmax", in.driver.Xmax);
    if (const auto* box = std::get_if<PassiveRadiatorBox>(&in.box)) {
        LimitCurve xp = emptyCurve("Radiator excursion", "mm");
        for (int i = 0; i < kLimitGridPoints; ++i) {
            const double u = in.U * std::abs(s.equaliser[i].gain);
            add(xp, grid[i], radiatorExcursion(s.model[i], in.box, grid[i], u));
        }
        chart.curves.push_back(std::move(xp));
        addLine(chart, "Xmaxp", box->Xmaxp);
    }
}

void portVelocity(LimitChart& chart, const LimitInputs& in, const Sweep& s) {
    // The line is the designer's limit, drawn for the stored vented designs too.
    addLine(chart, "Port velocity limit", in.ventVelocityLine);
    const double area = ventArea(in.box);
    if (std::holds_alternative<PassiveRadiatorBox>(in.box)) {
        chart.notApplicable = "A passive-radiator box has no vent.";
        return;
    }
    if (!hasVent(in.box)) {
        chart.notApplicable = "A closed box has no vent.";
        return;
    }
    if (!(area > 0)) {
        chart.notApplicable = "The vent has no area.";
        return;
    }
    const Grid& grid = limitFrequencyGrid();
    LimitCurve v = emptyCurve("Port velocity", "m/s");
    for (int i = 0; i < kLimitGridPoints; ++i) {
        const double u = in.U * std::abs(s.equaliser[i].gain);
        add(v, grid[i], std::sqrt(2.0) * u * std::abs(s.model[i].ventFlow) / area);
    }
    chart.curves = {std::move(v)};
}

void groupDelay(LimitChart& chart, const LimitInputs&, const Sweep& s) {
    const Grid& grid = limitFrequencyGrid();
    LimitCurve t = emptyCurve("Group delay", "ms");
    for (int i = 0; i < kLimitGridPoints; ++i)
        add(t, grid[i], (s.model[i].groupDelay + s.equaliser[i].groupDelay) * 1000.0);
    chart.curves = {std::move(t)};
}

// The lowest of the limit voltages at one frequency; empty when no limit exists.
std::optional<LimitPoint> limitAt(const LimitInputs& in, const ModelPoint& p, double f) {
    const LumpedDriver& driver = in.driver;
    std::optional<LimitPoint> limit;
    if (const auto thermal = thermalLimitVoltage(driver))
        limit = LimitPoint{Limit::Thermal, *thermal};
    const double perVolt = peakExcursion(p, f, 1.0);
    const double atXmax = driver.Xmax / perVolt;
    if (driver.Xmax > 0 && perVolt > 0 && std::isfinite(atXmax) &&
        (!limit || atXmax < limit->voltage))
        limit = LimitPoint{Limit::Excursion, atXmax};
    if (const auto* box = std::get_if<PassiveRadiatorBox>(&in.box)) {
        const double radiatorPerVolt = radiatorExcursion(p, in.box, f, 1.0);
        const double atXmaxp = box->Xmaxp / radiatorPerVolt;
        if (box->Xmaxp > 0 && radiatorPerVolt > 0 && std::isfinite(atXmaxp) &&
            (!limit || atXmaxp < limit->voltage))
            limit = LimitPoint{Limit::RadiatorExcursion, atXmaxp};
    }
    return limit;
}

bool hasLimit(const LimitInputs& in) {
    const auto* box = std::get_if<PassiveRadiatorBox>(&in.box);
    return in.driver.Xmax > 0 || in.driver.Pe > 0 || (box && box->Xmaxp > 0);
}

LimitCurve splAtU(const LimitInputs& in, const Sweep& s) {
    const Grid& grid = limitFrequencyGrid();
    LimitCurve spl = emptyCurve("SPL at U", "dB");
    for (int i = 0; i < kLimitGridPoints; ++i) {
        const double u = in.U * std::abs(s.equaliser[i].gain);
        add(spl, grid[i], level(u * std::abs(s.model[i].pressure), grid[i], in));
    }
    return spl;
}

void maximumSpl(LimitChart& chart, const LimitInputs& in, const Sweep& s) {
    if (!hasLimit(in)) {
        chart.notApplicable = "Without Xmax or Pe the driver has no limit.";
        return;
    }
    // Both levels scale with 1/d; the other limits do not depend on d.
    if (!(in.d > 0)) {
        chart.notApplicable = levelChartNote(in.U, in.d);
        return;
    }
    const Grid& grid = limitFrequencyGrid();
    LimitCurve maximum = emptyCurve("Maximum SPL", "dB");
    for (int i = 0; i < kLimitGridPoints; ++i) {
        const auto limit = limitAt(in, s.model[i], grid[i]);
        const double p = std::abs(s.model[i].pressure);
        if (limit && add(maximum, grid[i], level(limit->voltage * p, grid[i], in)))
            chart.limits.push_back(*limit);
    }
    chart.curves = {std::move(maximum), splAtU(in, s)};
}

void maximumPower(LimitChart& chart, const LimitInputs& in, const Sweep& s) {
    if (!hasLimit(in)) {
        chart.notApplicable = "Without Xmax or Pe the driver has no limit.";
        return;
    }
    const Grid& grid = limitFrequencyGrid();
    LimitCurve power = emptyCurve("Maximum power", "W");
    for (int i = 0; i < kLimitGridPoints; ++i) {
        const auto limit = limitAt(in, s.model[i], grid[i]);
        if (limit && add(power, grid[i], in.driver.N * dissipatedPower(in.driver, limit->voltage)))
            chart.limits.push_back(*limit);
    }
    chart.curves = {std::move(power)};
    addLine(chart, "N·Pe", in.driver.N * in.driver.Pe);
}

struct KindText {
    std::string_view title;
    std::string_view axis;
    std::string_view unit;
    int decimals;  // of the cursor readout
    std::string_view hint;
};

const KindText& kindText(LimitKind kind) {
    static const std::array<KindText, kLimitKinds.size()> texts = {{
        {"Impedance", "Impedance (Ohm)", "Ohm", 2,
         "Electrical input impedance of the wired drivers without Rs; the phase in degrees on the "
         "right axis."},
        {"Excursion", "Excursion (mm)", "mm", 2, "Peak cone excursion of one driver at U (rms)."},
        {"Port velocity", "Air velocity (m/s)", "m/s", 1,
         "Peak air velocity in the vents at U (rms), over the total vent area."},
        {"Group delay", "Group delay (ms)", "ms", 2,
         "Group delay of the acoustic output, the travel time d/c left out."},
        {"Maximum SPL", "SPL (dB)", "dB", 1,
         "Highest level at d before the cone reaches Xmax or Pd reaches Pe, and the level at U; "
         "dB re 1 pW/m², a pressure of √(ρ·c·10⁻¹²) Pa, 0.137 dB above 20 µPa, as the absolute "
         "response."},
        {"Maximum power", "Power (W)", "W", 1,
         "Input power of all drivers that drives the cone to Xmax, at most N·Pe."},
    }};
    return texts[static_cast<std::size_t>(kind)];
}

std::optional<LimitInputs> commonInputs(const DriverParameters& driver, const SharedResult& shared,
                                        NumberFormat format) {
    if (!shared.curves.main || !shared.equivalent)
        return std::nullopt;
    LimitInputs in;
    in.driver = lumpedDriver(driver, shared.arrangement, *shared.equivalent);
    in.U = readField(shared.U, format).value_or(0.0);
    in.d = readField(shared.d, format).value_or(0.0);
    if (shared.curves.cabinGain && shared.cabinGain)
        in.cabinGainFcg = shared.cabinGain->fcg;
    return in;
}

}  // namespace

const std::array<double, kLimitGridPoints>& limitFrequencyGrid() {
    static const Grid grid = [] {
        Grid g{};
        for (int i = 0; i < kLimitGridPoints; ++i) g[i] = std::pow(10.0, 1.0 + i / 100.0);
        return g;
    }();
    return grid;
}

std::optional<LimitInputs> limitInputs(const DriverParameters& driver, const ClosedBoxResult& r,
                                       NumberFormat format) {
    auto in = commonInputs(driver, r.shared, format);
    if (!in)
        return in;
    in->box = SealedBox{r.values.Vb, r.values.ff};
    if (r.shared.curves.linkwitz && r.linkwitz && r.linkwitz->circuit)
        in->equaliser = r.linkwitz->circuit;
    return in;
}

std::optional<LimitInputs> limitInputs(const DriverParameters& driver, const VentedBoxResult& r,
                                       NumberFormat format) {
    auto in = commonInputs(driver, r.shared, format);
    if (in)
        in->box = PortedBox{r.volume, r.tuning, r.ventValues.Sv};
    return in;
}

std::optional<LimitInputs> limitInputs(const DriverParameters& driver, const BandpassBoxResult& r,
                                       NumberFormat format) {
    auto in = commonInputs(driver, r.shared, format);
    if (in)
        in->box = BandpassChambers{r.rearVolume, r.frontVolume, r.tuning, r.ventValues.Sv};
    return in;
}

std::optional<LimitInputs> limitInputs(const DriverParameters& driver,
                                       const PassiveRadiatorResult& r, NumberFormat format) {
    auto in = commonInputs(driver, r.shared, format);
    if (in)
        in->box = r.box;
    return in;
}

std::string_view limitKindTitle(LimitKind kind) {
    return kindText(kind).title;
}

std::optional<LimitKind> limitKindFromTitle(std::string_view title) {
    for (LimitKind kind : kLimitKinds)
        if (kindText(kind).title == title)
            return kind;
    return std::nullopt;
}

LimitChart computeLimitChart(LimitKind kind, const LimitInputs& in) {
    LimitChart chart;
    chart.kind = kind;
    const KindText& text = kindText(kind);
    chart.title = text.title;
    chart.axis = text.axis;
    chart.unit = text.unit;
    chart.axisHint = text.hint;
    const Sweep s = sweep(in);
    switch (kind) {
        case LimitKind::Impedance:
            impedance(chart, in, s);
            break;
        case LimitKind::Excursion:
            excursion(chart, in, s);
            break;
        case LimitKind::PortVelocity:
            portVelocity(chart, in, s);
            break;
        case LimitKind::GroupDelay:
            groupDelay(chart, in, s);
            break;
        case LimitKind::MaximumSpl:
            maximumSpl(chart, in, s);
            break;
        case LimitKind::MaximumPower:
            maximumPower(chart, in, s);
            break;
    }
    return chart;
}

std::string limitCursorText(LimitKind kind, double f, double value, NumberFormat format) {
    if (!std::isfinite(f) || !std::isfinite(value))
        return {};
    const KindText& text = kindText(kind);
    return "cursor: " + formatRounded(f, 1, format) + " Hz / " +
           formatRounded(value, text.decimals, format) + " " + std::string(text.unit);
}

std::string_view bindingLimitText(const LimitChart& chart, double f) {
    if (chart.limits.empty() || chart.curves.empty() || !(f > 0))
        return {};
    const std::vector<double>& grid = chart.curves.front().frequency;
    if (grid.size() != chart.limits.size() || f < grid.front() || f > grid.back())
        return {};
    // Nearest on the logarithmic axis.
    const auto above = std::lower_bound(grid.begin(), grid.end(), f);
    std::size_t i = static_cast<std::size_t>(above - grid.begin());
    if (i > 0 && (i == grid.size() || f * f < grid[i] * grid[i - 1]))
        --i;
    switch (chart.limits[i].binding) {
        case Limit::Excursion:
            return "limited by Xmax";
        case Limit::RadiatorExcursion:
            return "limited by Xmaxp";
        case Limit::Thermal:
            break;
    }
    return "limited by Pe";
}

LimitCurve splCurve(const LimitInputs& in) {
    return splAtU(in, sweep(in));
}

std::vector<double> responsePhase(const LimitInputs& in, std::span<const double> frequencies) {
    LumpedDriver driver = in.driver;
    driver.Le = 0;
    std::vector<double> phase;
    phase.reserve(frequencies.size());
    for (double f : frequencies) {
        const double degrees = std::arg(evaluateModel(driver, in.box, f, in.d).pressure) * 180 / pi;
        phase.push_back(std::isfinite(degrees) ? degrees : 0.0);
    }
    return phase;
}

std::optional<double> thermalLimitVoltage(const LumpedDriver& driver) {
    const double u = driver.Rtot * std::sqrt(driver.N * driver.Pe / driver.Re);
    if (!(driver.Pe > 0) || !std::isfinite(u) || !(u > 0))
        return std::nullopt;
    return u;
}

double dissipatedPower(const LumpedDriver& driver, double U) {
    const double current = U / driver.Rtot;
    return current * current * driver.Re / driver.N;
}

}  // namespace sublumo::enclosure
