#include "driver_solver.h"

#include <cmath>
#include <functional>
#include <initializer_list>

#include "derived_quantities.h"

namespace sublumo {

namespace {

namespace f = derived;

// The derivation runs line by line; each line either applies all of its results or, on a
// non-finite result, ends the derivation and leaves the rest as the previous pass left it.
class Derivation {
public:
    Derivation(SolverResult& result, const SolverInput& input)
        : m_result(result), m_params(result.params), m_input(input) {}

    double v(Param p) const { return m_params.value(p); }

    static bool positive(std::initializer_list<double> operands) {
        for (double x : operands)
            if (!(x > 0.0))
                return false;
        return true;
    }

    // Sets every listed parameter (0 when the guard failed), then writes the fields named.
    bool line(std::initializer_list<std::pair<Param, double>> values,
              std::initializer_list<Param> fieldsToWrite) {
        if (m_result.arithmeticFault)
            return false;
        for (const auto& [param, value] : values) {
            if (!std::isfinite(value)) {
                m_result.arithmeticFault = true;
                return false;
            }
        }
        for (const auto& [param, value] : values) setDerived(param, value);
        for (Param field : fieldsToWrite) writeField(field);
        return true;
    }

private:
    void setDerived(Param p, double value) {
        m_params.value(p) = value;
        m_params.displayValues[indexOf(p)] =
            roundToDecimals(value, displayDecimals(p, m_input.mode));
    }

    // Three fields show one of two parameters depending on a display toggle.
    Param shownIn(Param field) const {
        const DisplayToggles& t = m_input.toggles;
        if (field == Param::Bl && t.showMpow)
            return Param::Mpow;
        if (field == Param::Vas && t.vasInCubicFeet)
            return Param::Vascf;
        if (field == Param::Gloss && t.glossInMm)
            return Param::Glossmm;
        return field;
    }

    void writeField(Param field) {
        const Param shown = shownIn(field);
        m_result.writes.push_back(
            {field, formatRounded(m_params.value(shown), displayDecimals(shown, m_input.mode),
                                  m_input.format)});
    }

    SolverResult& m_result;
    DriverParameters& m_params;
    const SolverInput& m_input;
};

void deriveDiaphragm(Derivation& d, DiaphragmEntryMode mode) {
    const bool diameterMode = mode == DiaphragmEntryMode::Diameter;
    const Param derived = diameterMode ? Param::Sd : Param::Dd;
    const double given = d.v(diameterMode ? Param::Dd : Param::Sd);
    if (!Derivation::positive({given})) {
        d.line(
            {{derived, 0}, {Param::Mair, 0}, {Param::f4pi, 0}, {Param::f2pi, 0}, {Param::fmax, 0}},
            {derived, Param::Mair, Param::f4pi, Param::f2pi, Param::fmax});
        return;
    }
    const double dd = diameterMode ? given : f::Dd(given);
    const double sd = diameterMode ? f::Sd(given) : given;
    d.line({{derived, diameterMode ? sd : dd},
            {Param::Mair, f::Mair(dd)},
            {Param::f4pi, f::f4pi(dd)},
            {Param::f2pi, f::f2pi(dd)},
            {Param::fmax, f::fmax(dd)}},
           {derived, Param::Mair, Param::f4pi, Param::f2pi, Param::fmax});
}

void deriveMassesAndTravel(Derivation& d) {
    using P = Param;
    const bool mmd = d.positive({d.v(P::Dd), d.v(P::Mms)}) && d.v(P::Mms) > d.v(P::Mair);
    d.line({{P::Mmd, mmd ? f::Mmd(d.v(P::Mms), d.v(P::Mair)) : 0}}, {P::Mmd});

    const bool coil = d.positive({d.v(P::Hc), d.v(P::Hg)});
    d.line({{P::Xmax, coil ? f::Xmax(d.v(P::Hc), d.v(P::Hg)) : 0}}, {P::Xmax});

    const bool vd = d.positive({d.v(P::Hc), d.v(P::Hg), d.v(P::Dd), d.v(P::Xmax)});
    d.line({{P::Vd, vd ? f::Vd(d.v(P::Sd), d.v(P::Xmax)) : 0}}, {P::Vd});
}

void deriveSuspension(Derivation& d) {
    using P = Param;
    const double fs = d.v(P::fs), mms = d.v(P::Mms);
    d.line({{P::EBP, d.positive({fs, d.v(P::Qes)}) ? f::EBP(fs, d.v(P::Qes)) : 0}}, {P::EBP});

    const bool cms = d.positive({fs, mms});
    const double compliance = cms ? f::Cms(fs, mms) : 0;
    d.line({{P::Cms, compliance}, {P::Kms, cms ? f::Kms(compliance) : 0}}, {P::Cms, P::Kms});

    const bool rms = d.positive({fs, mms, d.v(P::Qms)});
    d.line({{P::Rms, rms ? f::Rms(fs, mms, d.v(P::Qms)) : 0}}, {P::Rms});

    const bool vas = d.positive({fs, mms, d.v(P::Dd)});
    const double litres = vas ? f::Vas(d.v(P::Sd), d.v(P::Cms)) : 0;
    d.line({{P::Vas, litres}, {P::Vascf, f::Vascf(litres)}}, {P::Vas});
}

void deriveMotor(Derivation& d) {
    using P = Param;
    const double fs = d.v(P::fs), mms = d.v(P::Mms), qes = d.v(P::Qes), re = d.v(P::Re);
    const bool rme = d.positive({fs, mms, qes});
    const double damping = rme ? f::Rme(fs, mms, qes) : 0;
    d.line({{P::Rme, damping}, {P::Mpow, rme ? f::Mpow(damping) : 0}}, {P::Rme});

    const bool bl = d.positive({fs, mms, re, qes});
    const double force = bl ? f::Bl(fs, mms, re, qes) : 0;
    d.line({{P::Bl, force}, {P::gamma, bl ? f::gamma(force, mms) : 0}}, {P::Bl, P::gamma});

    const bool gloss = d.positive({fs, d.v(P::Hc), d.v(P::Hg), d.v(P::Xmax)});
    d.line({{P::Gloss, gloss ? f::Gloss(fs, d.v(P::Xmax)) : 0},
            {P::Glossmm, f::Glossmm(mms, d.v(P::Cms))}},
           {P::Gloss});
}

void deriveSensitivity(Derivation& d) {
    using P = Param;
    const double fs = d.v(P::fs), qes = d.v(P::Qes), re = d.v(P::Re);
    const bool base = d.positive({fs, d.v(P::Mms), d.v(P::Dd), qes});
    const double eta0 = base ? f::eta0(fs, qes, d.v(P::Vas)) : 0;
    d.line({{P::eta0, eta0}, {P::SPL, base ? f::SPL(eta0) : 0}}, {P::eta0, P::SPL});

    const bool splMax = base && d.positive({d.v(P::Pe)});
    d.line({{P::SPLmax, splMax ? f::SPLmax(d.v(P::Pe), d.v(P::SPL)) : 0}}, {P::SPLmax});

    const bool uspl = base && d.positive({re});
    d.line({{P::USPL, uspl ? f::USPL(re, d.v(P::SPL)) : 0}}, {P::USPL});
}

void deriveElectrical(Derivation& d) {
    using P = Param;
    const double fs = d.v(P::fs), qes = d.v(P::Qes), qms = d.v(P::Qms), re = d.v(P::Re);
    const bool z = d.positive({re, qms, qes});
    d.line({{P::Zmax, z ? f::Zmax(re, qms, qes) : 0}, {P::Res, z ? f::Res(re, qms, qes) : 0}},
           {P::Zmax, P::Res});

    const bool lc = d.positive({re, fs, qes});
    d.line({{P::Lces, lc ? f::Lces(re, fs, qes) : 0}, {P::Cmes, lc ? f::Cmes(re, fs, qes) : 0}},
           {P::Lces, P::Cmes});
}

void derive(SolverResult& result, const SolverInput& input) {
    Derivation d(result, input);
    using P = Param;
    const double qes = d.v(P::Qes), qms = d.v(P::Qms);
    d.line({{P::Qts, d.positive({qes, qms}) ? f::Qts(qes, qms) : 0}}, {P::Qts});
    deriveDiaphragm(d, input.mode);
    deriveMassesAndTravel(d);
    deriveSuspension(d);
    deriveMotor(d);
    deriveSensitivity(d);
    deriveElectrical(d);
}

bool allPositive(const DriverParameters& p, std::initializer_list<Param> params) {
    for (Param q : params)
        if (!(p.value(q) > 0.0))
            return false;
    return true;
}

bool isFreeMemoryRow(int row, const std::string& text) {
    if (row < 0)
        return false;
    std::string freeText = std::to_string(row + 1);
    freeText.append(": empty");
    return text == freeText;
}

ActionAvailability decideActions(const DriverParameters& p, const SolverInput& input) {
    using P = Param;
    ActionAvailability a;
    bool anythingEntered = !input.name.empty();
    for (Param q : kEnteredParams) anythingEntered = anythingEntered || p.value(q) > 0.0;
    a.clearAllEnabled = anythingEntered;
    a.addedResistanceInputEnabled = allPositive(p, {P::Qes, P::fs, P::Mms, P::Dd, P::Re});
    a.addedMassAndShiftInputsEnabled =
        allPositive(p, {P::Qes, P::Qms, P::fs, P::Mms, P::Dd, P::Re});
    a.driverComplete = a.addedMassAndShiftInputsEnabled && !input.name.empty();
    if (!a.driverComplete)
        return a;  // Save and Load stay disabled

    a.save = input.listPage == DriverListPage::RecentlyOpened ? ControlState::Unchanged
                                                              : ControlState::Enabled;
    const bool freeSlot = input.listPage == DriverListPage::Memory &&
                          isFreeMemoryRow(input.selectedMemoryRow, input.selectedMemoryRowText);
    a.load = freeSlot ? ControlState::Disabled : ControlState::Enabled;
    return a;
}

// Parses the entered texts in order; false when one does not parse (the rest keep their
// previous values).
bool parseEntered(SolverResult& result, std::array<std::string, kEnteredCount>& texts,
                  NumberFormat format) {
    for (std::size_t i = 0; i < kEnteredCount; ++i) {
        const auto parsed = parseDecimal(texts[i], format);
        if (!parsed)
            return false;
        const Param p = kEnteredParams[i];
        result.params.value(p) = *parsed;
        result.params.displayValues[indexOf(p)] = *parsed;
    }
    return true;
}

std::size_t enteredIndex(Param p) {
    for (std::size_t i = 0; i < kEnteredCount; ++i)
        if (kEnteredParams[i] == p)
            return i;
    return kEnteredCount;
}

}  // namespace

bool isDriverComplete(const DriverParameters& params) {
    using P = Param;
    return allPositive(params, {P::Qes, P::Qms, P::fs, P::Mms, P::Dd, P::Re}) &&
           !params.name.empty();
}

SolverResult solveDriverParameters(const DriverParameters& previous, const SolverInput& input) {
    SolverResult result;
    result.writes.reserve(26);
    result.params = previous;
    result.params.name = input.name;
    result.params.mode = input.mode;
    result.params.toggles = input.toggles;

    std::array<std::string, kEnteredCount> texts = input.enteredTexts;
    for (Param p : kRefillOrder) {
        std::string& text = texts[enteredIndex(p)];
        if (text.empty()) {
            text.assign(1, '0');  // (not = "0": GCC 12 warns falsely there)
            result.refilledFields.push_back(p);
        }
    }

    if (parseEntered(result, texts, input.format)) {
        derive(result, input);
    } else {
        result.abandoned = true;
    }
    result.actions = decideActions(result.params, input);
    return result;
}

}  // namespace sublumo
