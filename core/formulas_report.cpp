#include "formulas_report.h"

#include <string_view>

namespace sublumo {

namespace {

// A report line: text, value, then either the unit or a second text and value before the unit.
struct ReportLine {
    std::string_view before;
    Param value;
    std::string_view unit;
    std::string_view between = {};
    Param second = Param::Count;
};

constexpr Param kEmpty = Param::Count;

constexpr ReportLine kLines[] = {
    {"Qms = 1/(1/Qts-1/Qes) = ", Param::Qms, ""},
    {"Qes = 1/(1/Qts-1/Qms) = ", Param::Qes, ""},
    {"Qts = Qes*Qms/(Qes+Qms) = ", Param::Qts, ""},
    {"EBP = fs/Qes = ", Param::EBP, " Hz"},
    {"", kEmpty, ""},
    {"fs = 1/(2*PI()*SQRT(Mms*1e-6*Cms)) = ", Param::fs, " Hz"},
    {"Mms = 1/(POWER(2*PI()*fs;2)*Cms*1e-6) = ", Param::Mms, " g"},
    {"Mmd = Mms-Mair = ", Param::Mmd, " g"},
    {"Mair = rho/3*POWER(Dd;3)*1e-6 = ", Param::Mair, " g"},
    {"", kEmpty, ""},
    {"Dd = SQRT(Sd*4/PI())*10 = ", Param::Dd, " mm"},
    {"Sd = POWER(Dd;2)*PI()/400 = ", Param::Sd, " cm^2"},
    {"Vas = POWER(Sd;2)*Cms*POWER(cair;2)*rho*1e-8 = ", Param::Vas, " ft^3",
     " l / Vascf = Vas/2831685e-5 = ", Param::Vascf},
    {"", kEmpty, ""},
    {"Re = POWER(Bl;2)/Rme = ", Param::Re, " Ohm"},
    {"Bl = SQRT(2*PI()*fs*Mms*Re*1e-3/Qes) = ", Param::Bl, " N/sqrt(W)",
     " N/A / Mpow = SQRT(Rme) = ", Param::Mpow},
    {"gamma = Bl/Mms*1e3 = ", Param::gamma, " N/Akg"},
    {"", kEmpty, ""},
    {"Rms = 2*PI()*fs*Mms*1e-3/Qms = ", Param::Rms, " kg/s"},
    {"Rme = 2*PI()*fs*Mms*1e-3/Qes = ", Param::Rme, " kg/s"},
    {"", kEmpty, ""},
    {"Cms = 1/(POWER(2*PI()*fs;2)*Mms*1e-6) = ", Param::Cms, " mm/N"},
    {"Kms = 1/Cms = ", Param::Kms, " N/mm"},
    {"", kEmpty, ""},
    {"Hc = Hg+/-Xmax*2 = ", Param::Hc, " mm"},
    {"Hg = Hc-/+Xmax*2 = ", Param::Hg, " mm"},
    {"Xmax = ABS(Hc-Hg)/2 = ", Param::Xmax, " mm"},
    {"Gloss = ga/POWER(2*PI()*fs;2)/Xmax*1e5 = ", Param::Gloss, " mm",
     " % / Glossmm = Mms*Cms*ga*1e-3 = ", Param::Glossmm},
    {"Vd = Sd*Xmax*1e-1 = ", Param::Vd, " cm^3"},
    {"", kEmpty, ""},
    {"eta0 = POWER(2*PI();2)/POWER(cair;3)*POWER(fs;3)/Qes*Vas*1e-1 = ", Param::eta0, " %"},
    {"SPL = 10*LOG10(eta0/(2*PI()*1e-10)) = ", Param::SPL, " dB"},
    {"USPL = SPL+10*LOG10(8/Re) = ", Param::USPL, " dB"},
    {"SPLmax = SPL+10*LOG10(Pe)-3 = ", Param::SPLmax, " dB"},
    {"", kEmpty, ""},
    {"Res = Re*Qms/Qes = ", Param::Res, " Ohm"},
    {"Lces = Re/(2*PI()*fs*Qes)*1e3 = ", Param::Lces, " mH"},
    {"Cmes = Qes/(2*PI()*fs*Re)*1e6 = ", Param::Cmes, " uF"},
    {"", kEmpty, ""},
    {"f4pi = cair/(PI()*Dd*1e-3) = ", Param::f4pi, " Hz"},
    {"f2pi = cair*2/(PI()*Dd*1e-3) = ", Param::f2pi, " Hz"},
    {"fmax = cair/(Dd*1e-3) = ", Param::fmax, " Hz"},
    {"", kEmpty, ""},
    {"Zmax = Re*(1+Qms/Qes) = ", Param::Zmax, " Ohm"},
    {"", kEmpty, ""},
    {"Pe = ", Param::Pe, " W"},
    {"Le = ", Param::Le, " mH"},
};

static_assert(std::size(kLines) == 47);

}  // namespace

std::vector<std::string> buildFormulasReport(const DriverParameters& params, NumberFormat format) {
    std::vector<std::string> lines;
    lines.reserve(std::size(kLines));
    for (const ReportLine& line : kLines) {
        std::string text;
        if (line.value != kEmpty) {
            text.append(line.before);
            text += formatNumber(params.value(line.value), format);
            if (line.second != Param::Count) {
                text.append(line.between);
                text += formatNumber(params.value(line.second), format);
            }
            text.append(line.unit);
        }
        lines.push_back(std::move(text));
    }
    return lines;
}

}  // namespace sublumo
