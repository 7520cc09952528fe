#include "driver_modification.h"

#include <cmath>

namespace sublumo {

namespace {

double twoPi() {
    return 2.0 * pi;
}

// "Qes: 0.35 / 0.475": the driver's shown value, then the modified one.
std::string beforeAfter(const char* caption, const DriverParameters& driver, Param p,
                        const std::string& after, const char* unit, NumberFormat format) {
    return std::string(caption) + driverFieldText(driver, p, format) + " / " + after + unit;
}

double totalQ(double qes, double qms) {
    return qes * qms / (qes + qms);
}

// Reference efficiency (%) and sensitivity at 1 W (dB) of a driver with resonance fs and Qes.
double sensitivity(double fs, double qes, double vas) {
    const double eta0 = twoPi() * twoPi() / (cair * cair * cair) * fs * fs * fs / qes * vas * 0.1;
    return 10.0 * std::log10(eta0 / splReference);
}

std::string nameSuffix(double added, const std::string& text, const char* unit) {
    return std::string(added > 0.0 ? " +" : " ") + text + unit;
}

bool allFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

}  // namespace

ModificationResult computeResonanceShift(const std::string& newFs, const DriverParameters& driver,
                                         NumberFormat format) {
    const ReadInput input = readInput(newFs, driverFieldText(driver, Param::fs, format), format);
    ModificationResult out{input.field, {}, false, {}};
    if (!input.value || *input.value <= 0.0)
        return out;
    const double f = *input.value;
    const double mms = driver.value(Param::Mms);
    const double cms = 1e6 / ((twoPi() * f) * (twoPi() * f) * mms);
    const double qms = 1000.0 / (twoPi() * f * cms * driver.value(Param::Rms));
    const double bl = driver.value(Param::Bl);
    const double qes = twoPi() * f * mms * driver.value(Param::Re) / (bl * bl) * 0.001;
    const double qts = totalQ(qes, qms);
    const double sd = driver.value(Param::Sd);
    const double vas = sd * sd * cms * cair * cair * rho * 1e-8;
    if (!allFinite({cms, qms, qes, qts, vas}))
        return out;

    out.lines = {
        "before / after",
        "",
        beforeAfter("fs: ", driver, Param::fs, formatNumber(f, format), " Hz", format),
        beforeAfter("Vas: ", driver, Param::Vas, showRounded(vas, 2, format), " l", format),
        beforeAfter("Cms: ", driver, Param::Cms, showRounded(cms, 3, format), " mm/N", format),
        "",
        beforeAfter("Qms: ", driver, Param::Qms, showRounded(qms, 3, format), "", format),
        beforeAfter("Qes: ", driver, Param::Qes, showRounded(qes, 3, format), "", format),
        beforeAfter("Qts: ", driver, Param::Qts, showRounded(qts, 3, format), "", format)};
    out.okEnabled = f != driver.value(Param::fs);
    if (out.okEnabled)
        out.transfer = DriverTransfer{{},
                                      {{Param::Qms, showRounded(qms, 3, format)},
                                       {Param::Qes, showRounded(qes, 3, format)},
                                       {Param::fs, input.field.text}},
                                      " (fs=" + input.field.text + " Hz)",
                                      {}};
    return out;
}

ModificationResult computeAddedResistance(const std::string& radd, const DriverParameters& driver,
                                          NumberFormat format) {
    const ReadInput input = readInput(radd, "0", format);
    ModificationResult out{input.field, {}, false, {}};
    const double re = driver.value(Param::Re);
    if (!input.value || re + *input.value == re)
        return out;
    const double newRe = re + *input.value;
    const double bl = driver.value(Param::Bl);
    const double fs = driver.value(Param::fs);
    const double qms = driver.value(Param::Qms);
    const double qes = twoPi() * fs * driver.value(Param::Mms) * newRe / (bl * bl) * 0.001;
    const double qts = totalQ(qes, qms);
    const double spl = sensitivity(fs, qes, driver.value(Param::Vas));
    const double uspl = 10.0 * std::log10(8.0 / newRe) + spl;
    if (newRe <= 0.0 || !allFinite({qes, qts, spl, uspl}))
        return out;

    out.lines = {
        "before / after",
        "",
        beforeAfter("Re: ", driver, Param::Re, formatNumber(newRe, format), " Ohm", format),
        beforeAfter("Qes: ", driver, Param::Qes, showRounded(qes, 3, format), "", format),
        beforeAfter("Qts: ", driver, Param::Qts, showRounded(qts, 3, format), "", format),
        beforeAfter("SPL: ", driver, Param::SPL, showRounded(spl, 2, format), " dB", format),
        beforeAfter("USPL: ", driver, Param::USPL, showRounded(uspl, 2, format), " dB", format)};
    out.okEnabled = true;
    out.transfer = DriverTransfer{
        {},
        {{Param::Re, formatNumber(newRe, format)}, {Param::Qes, showRounded(qes, 3, format)}},
        nameSuffix(*input.value, input.field.text, " Ohm"),
        {}};
    return out;
}

ModificationResult computeAddedMassToCone(const std::string& madd, const DriverParameters& driver,
                                          NumberFormat format) {
    const ReadInput input = readInput(madd, "0", format);
    ModificationResult out{input.field, {}, false, {}};
    const double mms = driver.value(Param::Mms);
    if (!input.value || mms + *input.value == mms || !(mms + *input.value > 0.0))
        return out;
    const double newMms = mms + *input.value;
    const double cms = driver.value(Param::Cms);
    const double re = driver.value(Param::Re);
    const double bl = driver.value(Param::Bl);
    const double fs = 1000.0 / (twoPi() * std::sqrt(newMms * cms));
    const double qms = 1000.0 / (twoPi() * fs * cms * driver.value(Param::Rms));
    const double qes = twoPi() * fs * newMms * re / (bl * bl) * 0.001;
    const double qts = totalQ(qes, qms);
    const double spl = sensitivity(fs, qes, driver.value(Param::Vas));
    const double uspl = 10.0 * std::log10(8.0 / re) + spl;
    // The shift is taken from the percentage already rounded to 1 decimal.
    const double shift = roundForDisplay(fs * 100.0 / driver.value(Param::fs), 1) - 100.0;
    if (!allFinite({fs, qms, qes, qts, spl, uspl, shift}))
        return out;

    const std::string fsText = showRounded(fs, 2, format);
    out.lines = {
        "before / after",
        "",
        beforeAfter("Mms: ", driver, Param::Mms, formatNumber(newMms, format), " g", format),
        beforeAfter("fs: ", driver, Param::fs, fsText, "", format) + " Hz (" + plusSign(shift, 1) +
            showRounded(shift, 1, format) + " %)",
        beforeAfter("Qms: ", driver, Param::Qms, showRounded(qms, 3, format), "", format),
        beforeAfter("Qes: ", driver, Param::Qes, showRounded(qes, 3, format), "", format),
        beforeAfter("Qts: ", driver, Param::Qts, showRounded(qts, 3, format), "", format),
        beforeAfter("SPL: ", driver, Param::SPL, showRounded(spl, 2, format), " dB", format),
        beforeAfter("USPL: ", driver, Param::USPL, showRounded(uspl, 2, format), " dB", format)};
    out.okEnabled = true;
    out.transfer = DriverTransfer{{},
                                  {{Param::Mms, formatNumber(newMms, format)},
                                   {Param::fs, fsText},
                                   {Param::Qes, showRounded(qes, 3, format)},
                                   {Param::Qms, showRounded(qms, 3, format)}},
                                  nameSuffix(*input.value, input.field.text, " g"),
                                  {}};
    return out;
}

}  // namespace sublumo
