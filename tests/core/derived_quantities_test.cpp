#include "derived_quantities.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "number_text.h"

namespace sublumo {
namespace {

namespace f = derived;

// The reference driver: Qms 2.5, Qes 0.35, fs 30 Hz, Mms 60 g, Dd 260 mm, Re 5.6 Ohm, with
// Hc 12 mm, Hg 6 mm and Pe 150 W for the quantities that need them.
constexpr double qms = 2.5, qes = 0.35, fs = 30.0, mms = 60.0, dd = 260.0, re = 5.6;
constexpr double hc = 12.0, hg = 6.0, pe = 150.0;

struct Row {
    const char* name;
    double value;     // what the function gives, a failure counted as 0
    int decimals;     // as the page shows it
    double expected;  // as the page shows it
};

// Each quantity built on others takes them at full precision, as the solver does.
std::vector<Row> referenceRows() {
    const double sd = f::Sd(dd), cms = f::Cms(fs, mms), vas = f::Vas(sd, cms);
    const double xmax = f::Xmax(hc, hg), bl = f::Bl(fs, mms, re, qes);
    const double eta0 = f::eta0(fs, qes, vas), spl = f::SPL(eta0), rme = f::Rme(fs, mms, qes);
    return {
        {"Qts", f::Qts(qes, qms), 3, 0.307},
        {"Sd", sd, 2, 530.93},
        {"DdFromSd", f::Dd(176.71), 2, 150},
        {"Mair", f::Mair(dd), 2, 7.03},
        {"f4pi", f::f4pi(dd), 0, 421},
        {"f2pi", f::f2pi(dd), 0, 842},
        {"fmax", f::fmax(dd), 0, 1323},
        {"Mmd", f::Mmd(mms, f::Mair(dd)), 2, 52.97},
        {"Xmax", xmax, 2, 3},
        {"XmaxEitherWayRound", f::Xmax(hg, hc), 2, 3},
        {"Vd", f::Vd(sd, xmax), 1, 159.3},
        {"EBP", f::EBP(fs, qes), 1, 85.7},
        {"Cms", cms, 3, 0.469},
        {"Kms", f::Kms(cms), 2, 2.13},
        {"Rms", f::Rms(fs, mms, qms), 2, 4.52},
        {"Vas", vas, 2, 187.77},
        {"Vascf", f::Vascf(vas), 3, 6.631},
        {"Rme", rme, 2, 32.31},
        {"Mpow", f::Mpow(rme), 2, 5.68},
        {"Bl", bl, 2, 13.45},
        {"gamma", f::gamma(bl, mms), 0, 224},
        {"Gloss", f::Gloss(fs, xmax), 2, 9.2},
        {"Glossmm", f::Glossmm(mms, cms), 2, 0.28},
        {"eta0", eta0, 3, 1.405},
        {"SPL", spl, 2, 93.49},
        {"SPLmax", f::SPLmax(pe, spl), 2, 112.26},
        {"USPL", f::USPL(re, spl), 2, 95.04},
        {"Zmax", f::Zmax(re, qms, qes), 1, 45.6},
        {"Res", f::Res(re, qms, qes), 2, 40},
        {"Lces", f::Lces(re, fs, qes), 2, 84.88},
        {"Cmes", f::Cmes(re, fs, qes), 2, 331.57},
        // Read the other way round, the relations give the driver back.
        {"fsFromMassAndCompliance", f::fsFromMassAndCompliance(mms, cms), 2, 30},
        {"MmsFromCompliance", f::MmsFromCompliance(fs, cms), 2, 60},
        {"CmsFromVas", f::CmsFromVas(vas, sd), 3, 0.469},
        {"QmsFromRms", f::QmsFromRms(fs, cms, f::Rms(fs, mms, qms)), 3, 2.5},
        {"QesFromBl", f::QesFromBl(fs, mms, re, bl), 3, 0.35},
    };
}

// No formula tests its operands: what does not compute is 0, what does is kept even where the
// solver's guard would have said 0 (a record in the lists may hold anything).
std::vector<Row> failureRows() {
    return {
        {"QtsWithoutQes", f::Qts(0, qms), 3, 0},
        {"QtsOfOppositeQs", f::Qts(1, -1), 3, 0},
        {"EBPWithoutQes", f::EBP(fs, 0), 1, 0},
        {"BlWithoutQes", f::Bl(fs, mms, re, 0), 2, 0},
        {"BlOfNegativeRe", f::Bl(fs, mms, -re, qes), 2, 0},
        {"KmsWithoutCms", f::Kms(0), 2, 0},
        {"GlossWithoutXmax", f::Gloss(fs, 0), 2, 0},
        {"SPLWithoutEfficiency", f::SPL(0), 2, 0},
        {"SPLmaxWithoutPe", f::SPLmax(0, 93.49), 2, 0},
        {"USPLWithoutRe", f::USPL(0, 93.49), 2, 0},
        {"DdOfNegativeSd", f::Dd(-1), 2, 0},
        {"CmsWithoutFs", f::Cms(0, mms), 3, 0},
        {"LcesWithoutFs", f::Lces(re, 0, qes), 2, 0},
        {"MmdMayBeNegative", f::Mmd(5, 7.03), 2, -2.03},
        {"XmaxWithOneHeightMissing", f::Xmax(hc, 0), 2, 6},
        {"USPLOfAFailedSPLIsTheCorrectionAlone", f::USPL(4, 0), 2, 3.01},
    };
}

void expectRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const double shown = roundToDecimals(f::finiteOrZero(row.value), row.decimals);
        EXPECT_DOUBLE_EQ(shown, row.expected);
    }
}

TEST(DerivedQuantities, ReferenceDriverGivesThePageFigures) {
    expectRows(referenceRows());
}

TEST(DerivedQuantities, FailedComputationsCountAsZero) {
    expectRows(failureRows());
}

TEST(DerivedQuantities, AirConstantsCanBeOtherThanTheDefault) {
    const double sd = f::Sd(dd), cms = f::Cms(fs, mms);
    // Vas grows with the density and the square of the speed of sound; eta0 falls with c³.
    EXPECT_NEAR(f::Vas(sd, cms, 2.0 * cair, 2.0 * rho), 8.0 * f::Vas(sd, cms), 1e-9);
    EXPECT_NEAR(f::eta0(fs, qes, 1.0, 2.0 * cair), f::eta0(fs, qes, 1.0) / 8.0, 1e-15);
    EXPECT_NEAR(f::CmsFromVas(f::Vas(sd, cms, 300.0, 1.1), sd, 300.0, 1.1), cms, 1e-12);
}

}  // namespace
}  // namespace sublumo
