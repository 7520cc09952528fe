#include "driver_modification.h"

#include <cmath>
#include <initializer_list>

#include "derived_quantities.h"

namespace sublumo::tools {

namespace {

namespace f = derived;

// The modified driver's values, at full precision.
struct After {
    double fs = 0.0, mms = 0.0, re = 0.0;
    double cms = 0.0, vas = 0.0;
    double qms = 0.0, qes = 0.0, qts = 0.0;
    double spl = 0.0, uspl = 0.0;
};

bool allFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

std::optional<After> finiteAfter(const After& a) {
    if (!allFinite({a.fs, a.mms, a.re, a.cms, a.vas, a.qms, a.qes, a.qts, a.spl, a.uspl}))
        return {};
    return a;
}

std::optional<After> shiftedResonance(const DriverParameters& d, double newFs) {
    After a;
    a.fs = newFs;
    a.mms = d.value(Param::Mms);
    a.re = d.value(Param::Re);
    a.cms = f::Cms(newFs, a.mms);
    a.qms = f::QmsFromRms(newFs, a.cms, d.value(Param::Rms));
    a.qes = f::QesFromBl(newFs, a.mms, a.re, d.value(Param::Bl));
    a.qts = f::Qts(a.qes, a.qms);
    a.vas = f::Vas(d.value(Param::Sd), a.cms);
    return finiteAfter(a);
}

std::optional<After> addedResistance(const DriverParameters& d, double newRe) {
    if (!(newRe > 0.0))
        return {};
    After a;
    a.fs = d.value(Param::fs);
    a.re = newRe;
    a.qms = d.value(Param::Qms);
    a.qes = f::QesFromBl(a.fs, d.value(Param::Mms), newRe, d.value(Param::Bl));
    a.qts = f::Qts(a.qes, a.qms);
    a.spl = f::SPL(f::eta0(a.fs, a.qes, d.value(Param::Vas)));
    a.uspl = f::USPL(newRe, a.spl);
    return finiteAfter(a);
}

std::optional<After> addedMass(const DriverParameters& d, double newMms) {
    if (!(newMms > 0.0))
        return {};
    After a;
    a.mms = newMms;
    a.re = d.value(Param::Re);
    a.cms = d.value(Param::Cms);
    a.fs = f::fsFromMassAndCompliance(newMms, a.cms);
    a.qms = f::QmsFromRms(a.fs, a.cms, d.value(Param::Rms));
    a.qes = f::QesFromBl(a.fs, newMms, a.re, d.value(Param::Bl));
    a.qts = f::Qts(a.qes, a.qms);
    a.spl = f::SPL(f::eta0(a.fs, a.qes, d.value(Param::Vas)));
    a.uspl = f::USPL(a.re, a.spl);
    return finiteAfter(a);
}

// Writes "before / after" lines: the driver's shown value, then the modified one.
class Comparison {
public:
    Comparison(const DriverParameters& driver, NumberFormat format)
        : m_driver(driver), m_format(format) {}

    std::string line(const char* caption, Param p, const std::string& after,
                     const char* unit = "") const {
        return std::string(caption) + driverFieldText(m_driver, p, m_format) + " / " + after + unit;
    }
    std::string rounded(const char* caption, Param p, double after, int decimals,
                        const char* unit = "") const {
        return line(caption, p, showRounded(after, decimals, m_format), unit);
    }
    std::string plain(const char* caption, Param p, double after, const char* unit) const {
        return line(caption, p, formatNumber(after, m_format), unit);
    }
    void appendQs(TextLines& lines, const After& a, bool withQms) const {
        if (withQms)
            lines.push_back(rounded("Qms: ", Param::Qms, a.qms, 3));
        lines.push_back(rounded("Qes: ", Param::Qes, a.qes, 3));
        lines.push_back(rounded("Qts: ", Param::Qts, a.qts, 3));
    }
    void appendSensitivities(TextLines& lines, const After& a) const {
        lines.push_back(rounded("SPL: ", Param::SPL, a.spl, 2, " dB"));
        lines.push_back(rounded("USPL: ", Param::USPL, a.uspl, 2, " dB"));
    }

private:
    const DriverParameters& m_driver;
    NumberFormat m_format;
};

std::string nameSuffix(double added, const std::string& text, const char* unit) {
    return std::string(added > 0.0 ? " +" : " ") + text + unit;
}

}  // namespace

ModificationResult computeResonanceShift(const std::string& newFs, const DriverParameters& driver,
                                         NumberFormat format) {
    const ReadInput input = readInput(newFs, driverFieldText(driver, Param::fs, format), format);
    ModificationResult out{input.field, {}, false, {}};
    if (!input.value || *input.value <= 0.0)
        return out;
    const auto a = shiftedResonance(driver, *input.value);
    if (!a)
        return out;

    const Comparison c(driver, format);
    out.lines = {"before / after",
                 "",
                 c.plain("fs: ", Param::fs, a->fs, " Hz"),
                 c.rounded("Vas: ", Param::Vas, a->vas, 2, " l"),
                 c.rounded("Cms: ", Param::Cms, a->cms, 3, " mm/N"),
                 ""};
    c.appendQs(out.lines, *a, true);
    out.okEnabled = a->fs != driver.value(Param::fs);
    if (out.okEnabled)
        out.transfer = DriverTransfer{{},
                                      {{Param::Qms, showRounded(a->qms, 3, format)},
                                       {Param::Qes, showRounded(a->qes, 3, format)},
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
    // Nothing added is nothing to compare.
    if (!input.value || re + *input.value == re)
        return out;
    const auto a = addedResistance(driver, re + *input.value);
    if (!a)
        return out;

    const Comparison c(driver, format);
    out.lines = {"before / after", "", c.plain("Re: ", Param::Re, a->re, " Ohm")};
    c.appendQs(out.lines, *a, false);
    c.appendSensitivities(out.lines, *a);
    out.okEnabled = true;
    out.transfer = DriverTransfer{
        {},
        {{Param::Re, formatNumber(a->re, format)}, {Param::Qes, showRounded(a->qes, 3, format)}},
        nameSuffix(*input.value, input.field.text, " Ohm"),
        {}};
    return out;
}

ModificationResult computeAddedMassToCone(const std::string& madd, const DriverParameters& driver,
                                          NumberFormat format) {
    const ReadInput input = readInput(madd, "0", format);
    ModificationResult out{input.field, {}, false, {}};
    const double mms = driver.value(Param::Mms);
    if (!input.value || mms + *input.value == mms)
        return out;
    const auto a = addedMass(driver, mms + *input.value);
    // The shift is taken from the percentage already rounded to 1 decimal.
    const double shift =
        a ? roundToDecimals(a->fs * 100.0 / driver.value(Param::fs), 1) - 100.0 : 0.0;
    if (!a || !std::isfinite(shift))
        return out;

    const Comparison c(driver, format);
    const std::string fsText = showRounded(a->fs, 2, format);
    out.lines = {"before / after", "", c.plain("Mms: ", Param::Mms, a->mms, " g"),
                 c.line("fs: ", Param::fs, fsText) + " Hz (" + plusSign(shift, 1) +
                     showRounded(shift, 1, format) + " %)"};
    c.appendQs(out.lines, *a, true);
    c.appendSensitivities(out.lines, *a);
    out.okEnabled = true;
    out.transfer = DriverTransfer{{},
                                  {{Param::Mms, formatNumber(a->mms, format)},
                                   {Param::fs, fsText},
                                   {Param::Qes, showRounded(a->qes, 3, format)},
                                   {Param::Qms, showRounded(a->qms, 3, format)}},
                                  nameSuffix(*input.value, input.field.text, " g"),
                                  {}};
    return out;
}

}  // namespace sublumo::tools
