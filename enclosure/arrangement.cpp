#include "arrangement.h"

#include <cmath>

#include "derived_quantities.h"

namespace sublumo::enclosure {

namespace {

constexpr std::size_t indexOf(Connection c) {
    return static_cast<std::size_t>(c);
}

bool serParAllowed(int N) {
    return N == 4 || N == 6 || N == 8;
}
bool serParBAllowed(int N) {
    return N == 6 || N == 8;
}

// How the network scales one driver's Re and Bl.
struct NetworkFactors {
    double re = 1.0;
    double bl = 1.0;
};

// A string of s drivers in series has s·Re and s·Bl; k strings in parallel divide Re by k.
NetworkFactors strings(double inSeries, double inParallel) {
    return {inSeries / inParallel, inSeries};
}

NetworkFactors networkFactors(Connection connection, int N) {
    const double n = N;
    switch (connection) {
        case Connection::Series:
            return strings(n, 1.0);
        case Connection::Parallel:
            return strings(1.0, n);
        case Connection::SerParA:
            return strings(n / 2.0, 2.0);
        case Connection::SerParB:
            return strings(2.0, n / 2.0);
    }
    return {};
}

constexpr std::string_view kMiddle[kConnectionCount] = {"x in S", "x in P", "x in S-P", "x in S-P"};

}  // namespace

ConnectionAvailability connectionAvailability(int N) {
    ConnectionAvailability a;
    a.groupEnabled = N >= 2;
    a.items[indexOf(Connection::Series)] = N >= 2;
    a.items[indexOf(Connection::Parallel)] = N >= 2;
    a.items[indexOf(Connection::SerParA)] = serParAllowed(N);
    a.items[indexOf(Connection::SerParB)] = serParBAllowed(N);
    a.isobaricAllowed = N == 2 || N == 4 || N == 6 || N == 8;
    return a;
}

Connection effectiveConnection(const DriverArrangement& arrangement) {
    const ConnectionAvailability a = connectionAvailability(arrangement.N);
    return a.items[indexOf(arrangement.connection)] ? arrangement.connection : Connection::Series;
}

double isobaricFactor(const DriverArrangement& arrangement) {
    return arrangement.isobaric && connectionAvailability(arrangement.N).isobaricAllowed ? 0.5
                                                                                         : 1.0;
}

EquivalentDriver computeEquivalentDriver(const DriverParameters& driver,
                                         const DriverArrangement& arrangement,
                                         const AdditionalOptions& options,
                                         const AirConstants& air) {
    const double cms = driver.value(Param::Cms);
    const double n = arrangement.N;
    EquivalentDriver e;
    e.Mms = driver.value(Param::Mms) + options.Mplus;
    e.fs = derived::fsFromMassAndCompliance(e.Mms, cms);
    const NetworkFactors f = networkFactors(effectiveConnection(arrangement), arrangement.N);
    e.Re = driver.value(Param::Re) * f.re;
    e.Bl = driver.value(Param::Bl) * f.bl;
    e.kT = (options.Tvc - 20.0) * 0.00392 + 1.0;
    e.Rs = options.Rs;
    e.Rtot = e.Re * e.kT + e.Rs;
    e.iso = isobaricFactor(arrangement);
    const double area = n * driver.value(Param::Sd) * e.iso;
    // N drivers side by side: N times the area on 1/N of the compliance each.
    e.Vas = derived::Vas(area, cms / n, air.c, air.rho);
    e.Qes = derived::QesFromBl(e.fs, e.Mms, n * e.Rtot, e.Bl);
    const double qms = derived::QmsFromRms(e.fs, cms, driver.value(Param::Rms));
    e.Qts = derived::Qts(e.Qes, qms);
    e.eta0 = derived::eta0(e.fs, e.Qes, e.Vas, air.c);
    e.SPL = derived::SPL(e.eta0);
    return e;
}

bool isFinite(const EquivalentDriver& e) {
    for (double v :
         {e.Mms, e.fs, e.Re, e.Bl, e.kT, e.Rs, e.Rtot, e.iso, e.Vas, e.Qes, e.Qts, e.eta0, e.SPL})
        if (!std::isfinite(v))
            return false;
    return true;
}

std::array<std::optional<double>, kConnectionCount> connectionImpedances(double Re, int N) {
    const auto rounded = [](double v) { return roundToDecimals(v, 2); };
    std::array<std::optional<double>, kConnectionCount> z;
    z[indexOf(Connection::Series)] = rounded(N * Re);
    z[indexOf(Connection::Parallel)] = rounded(Re / N);
    if (N == 4)
        z[indexOf(Connection::SerParA)] = Re;  // unrounded, as the caption has always shown
    if (serParBAllowed(N)) {
        z[indexOf(Connection::SerParA)] = rounded(N / 4.0 * Re);
        z[indexOf(Connection::SerParB)] = rounded(Re / (N / 4.0));
    }
    return z;
}

std::array<std::string, kConnectionCount> connectionCaptions(double Re, int N,
                                                             NumberFormat format) {
    constexpr std::string_view kPrefix[kConnectionCount] = {"series", "parallel", "ser-par.",
                                                            "ser-par."};
    const auto z = connectionImpedances(Re, N);
    std::array<std::string, kConnectionCount> captions;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        captions[i] = kPrefix[i];
        if (z[i])
            captions[i] += " (" + formatNumber(*z[i], format) + " Ohm)";
    }
    return captions;
}

std::string designLabel(std::string_view name, std::string_view countText, double Re,
                        const DriverArrangement& arrangement, NumberFormat format) {
    std::string label(name);
    if (arrangement.N < 2)
        return label;
    const Connection used = effectiveConnection(arrangement);
    const auto z = connectionImpedances(Re, arrangement.N)[indexOf(used)];
    label += " (";
    label += countText;
    label += kMiddle[indexOf(used)];
    if (isobaricFactor(arrangement) < 1.0)
        label += " as IB";
    label += ": " + formatNumber(z.value_or(0.0), format) + " Ohm)";
    return label;
}

std::string windowCaption(std::string_view programTitle, std::string_view driverName,
                          std::string_view designLabelText) {
    std::string caption(programTitle);
    caption += " | ";
    caption += driverName.empty() ? std::string_view("unnamed") : designLabelText;
    return caption;
}

bool driverUsable(const DriverParameters& driver) {
    return driver.value(Param::Qts) > 0 && driver.value(Param::USPL) > 0;
}

CountField readCount(std::string_view text) {
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '9')
        return {text[0] - '0', std::string(text)};
    return {};
}

ArrangementView refreshArrangementView(const DriverParameters& driver,
                                       const ArrangementInputs& inputs, NumberFormat format) {
    ArrangementView view;
    view.countText = inputs.countText;
    if (!driverUsable(driver))
        return view;
    view.optionFieldsEnabled = true;
    view.sourceFieldsEnabled = inputs.sourceOn;
    const CountField count = readCount(inputs.countText);
    view.countText = count.text;
    const ConnectionAvailability a = connectionAvailability(count.N);
    view.countEnabled = true;
    view.groupEnabled = a.groupEnabled;
    view.isobaricEnabled = a.isobaricAllowed;
    view.connectionEnabled = a.items;
    const double re = driver.value(Param::Re);
    view.captions = connectionCaptions(re, count.N, format);
    const DriverArrangement arrangement{count.N, inputs.connection, inputs.isobaric};
    view.designLabel = designLabel(driver.name, view.countText, re, arrangement, format);
    return view;
}

}  // namespace sublumo::enclosure
