#include "formulas_report.h"

#include <gtest/gtest.h>

#include "driver_solver.h"

namespace sublumo {
namespace {

DriverParameters solve(std::array<std::string, kEnteredCount> texts, NumberFormat format) {
    SolverInput in;
    in.enteredTexts = std::move(texts);
    in.format = format;
    return solveDriverParameters({}, in).params;
}

// Order: Qms, Qes, fs, Mms, Dd, Sd, Re, Hc, Hg, Pe, Le.
const std::array<std::string, kEnteredCount> kComplete = {"2.5", "0.35", "30", "60",  "260", "0",
                                                          "5.6", "12",   "6",  "150", "1.2"};

TEST(FormulasReport, CompleteDriverGivesAllFortySevenLines) {
    // The values were worked out independently, in double precision, from the formulas shown.
    const std::vector<std::string> expected = {
        "Qms = 1/(1/Qts-1/Qes) = 2.5",
        "Qes = 1/(1/Qts-1/Qms) = 0.35",
        "Qts = Qes*Qms/(Qes+Qms) = 0.307017543859649",
        "EBP = fs/Qes = 85.7142857142857 Hz",
        "",
        "fs = 1/(2*PI()*SQRT(Mms*1e-6*Cms)) = 30 Hz",
        "Mms = 1/(POWER(2*PI()*fs;2)*Cms*1e-6) = 60 g",
        "Mmd = Mms-Mair = 52.9696 g",
        "Mair = rho/3*POWER(Dd;3)*1e-6 = 7.0304 g",
        "",
        "Dd = SQRT(Sd*4/PI())*10 = 260 mm",
        "Sd = POWER(Dd;2)*PI()/400 = 530.929158456675 cm^2",
        "Vas = POWER(Sd;2)*Cms*POWER(cair;2)*rho*1e-8 = 187.766360888889 l / Vascf = "
        "Vas/2831685e-5 = 6.63090565825256 ft^3",
        "",
        "Re = POWER(Bl;2)/Rme = 5.6 Ohm",
        "Bl = SQRT(2*PI()*fs*Mms*Re*1e-3/Qes) = 13.451978919355 N/A / Mpow = SQRT(Rme) = "
        "5.68449860910561 N/sqrt(W)",
        "gamma = Bl/Mms*1e3 = 224.199648655917 N/Akg",
        "",
        "Rms = 2*PI()*fs*Mms*1e-3/Qms = 4.5238934211693 kg/s",
        "Rme = 2*PI()*fs*Mms*1e-3/Qes = 32.3135244369236 kg/s",
        "",
        "Cms = 1/(POWER(2*PI()*fs;2)*Mms*1e-6) = 0.469079553899712 mm/N",
        "Kms = 1/Cms = 2.1318345506353 N/mm",
        "",
        "Hc = Hg+/-Xmax*2 = 12 mm",
        "Hg = Hc-/+Xmax*2 = 6 mm",
        "Xmax = ABS(Hc-Hg)/2 = 3 mm",
        "Gloss = ga/POWER(2*PI()*fs;2)/Xmax*1e5 = 9.20334084751235 % / Glossmm = "
        "Mms*Cms*ga*1e-3 = 0.276100225425371 mm",
        "Vd = Sd*Xmax*1e-1 = 159.278747537003 cm^3",
        "",
        "eta0 = POWER(2*PI();2)/POWER(cair;3)*POWER(fs;3)/Qes*Vas*1e-1 = 1.40474636860223 %",
        "SPL = 10*LOG10(eta0/(2*PI()*1e-10)) = 93.4941804971934 dB",
        "USPL = SPL+10*LOG10(8/Re) = 95.0432000970508 dB",
        "SPLmax = SPL+10*LOG10(Pe)-3 = 112.25509308775 dB",
        "",
        "Res = Re*Qms/Qes = 40 Ohm",
        "Lces = Re/(2*PI()*fs*Qes)*1e3 = 84.8826363156775 mH",
        "Cmes = Qes/(2*PI()*fs*Re)*1e6 = 331.572798108115 uF",
        "",
        "f4pi = cair/(PI()*Dd*1e-3) = 421.148464797015 Hz",
        "f2pi = cair*2/(PI()*Dd*1e-3) = 842.296929594031 Hz",
        "fmax = cair/(Dd*1e-3) = 1323.07692307692 Hz",
        "",
        "Zmax = Re*(1+Qms/Qes) = 45.6 Ohm",
        "",
        "Pe = 150 W",
        "Le = 1.2 mH",
    };
    const std::vector<std::string> report = buildFormulasReport(solve(kComplete, {'.'}), {'.'});
    ASSERT_EQ(report.size(), 47u);
    for (std::size_t i = 0; i < report.size(); ++i)
        EXPECT_EQ(report[i], expected[i]) << "line " << i + 1;
}

TEST(FormulasReport, NothingEnteredPrintsZeros) {
    const std::vector<std::string> report = buildFormulasReport(DriverParameters{}, {'.'});
    ASSERT_EQ(report.size(), 47u);
    EXPECT_EQ(report[0], "Qms = 1/(1/Qts-1/Qes) = 0");
    EXPECT_EQ(
        report[12],
        "Vas = POWER(Sd;2)*Cms*POWER(cair;2)*rho*1e-8 = 0 l / Vascf = Vas/2831685e-5 = 0 ft^3");
    EXPECT_EQ(report[45], "Pe = 0 W");
    std::size_t empty = 0;
    for (const std::string& line : report) {
        if (line.empty()) {
            ++empty;
            continue;
        }
        // Every value is 0: the line ends in " = 0" followed by nothing or its unit.
        const std::size_t value = line.rfind(" = ");
        ASSERT_NE(value, std::string::npos) << line;
        EXPECT_EQ(line.substr(value + 3, 1), "0") << line;
        EXPECT_TRUE(line.size() == value + 4 || line[value + 4] == ' ') << line;
    }
    EXPECT_EQ(empty, 11u);
}

TEST(FormulasReport, QFactorsOnlyAndCommaLocale) {
    std::array<std::string, kEnteredCount> texts;
    texts.fill("0");
    texts[0] = "2,5";
    texts[1] = "0,35";
    const std::vector<std::string> report = buildFormulasReport(solve(texts, {','}), {','});
    EXPECT_EQ(report[2], "Qts = Qes*Qms/(Qes+Qms) = 0,307017543859649");
    EXPECT_EQ(report[0], "Qms = 1/(1/Qts-1/Qes) = 2,5");
    EXPECT_TRUE(report[12].ends_with(" 0 ft^3"));
    EXPECT_NE(report[12].find("POWER(Sd;2)"), std::string::npos);  // formula texts keep ";"
}

}  // namespace
}  // namespace sublumo
