#include <cmath>

#include "table_test.h"

namespace sublumo::tools::test {

namespace {

void setEntered(DriverParameters& d, Param p, double v) {
    d.value(p) = v;
    d.displayValues[indexOf(p)] = v;
}

void setDerived(DriverParameters& d, Param p, double v) {
    d.value(p) = v;
    d.displayValues[indexOf(p)] = roundToDecimals(v, displayDecimals(p, d.mode));
}

}  // namespace

DriverParameters exampleDriver() {
    DriverParameters d;
    d.name.assign(1, 'X');  // assigning a literal trips a false -Wrestrict in GCC 12
    const double qms = 2.5, qes = 0.35, fs = 30.0, mms = 60.0, dd = 260.0, re = 5.6;
    setEntered(d, Param::Qms, qms);
    setEntered(d, Param::Qes, qes);
    setEntered(d, Param::fs, fs);
    setEntered(d, Param::Mms, mms);
    setEntered(d, Param::Dd, dd);
    setEntered(d, Param::Re, re);
    const double w = 2.0 * pi * fs;
    const double sd = dd * dd * pi / 400.0;
    const double cms = 1.0 / (w * w * mms * 1e-6);
    const double vas = sd * sd * cms * cair * cair * rho * 1e-8;
    const double eta0 = w * w / (cair * cair * cair) * fs / qes * vas * 0.1;
    const double spl = 10.0 * std::log10(eta0 / splReference);
    setDerived(d, Param::Qts, qes * qms / (qes + qms));
    setDerived(d, Param::Sd, sd);
    setDerived(d, Param::Cms, cms);
    setDerived(d, Param::Rms, w * mms * 1e-3 / qms);
    setDerived(d, Param::Vas, vas);
    setDerived(d, Param::Bl, std::sqrt(w * mms * re * 1e-3 / qes));
    setDerived(d, Param::eta0, eta0);
    setDerived(d, Param::SPL, spl);
    setDerived(d, Param::USPL, 10.0 * std::log10(8.0 / re) + spl);
    return d;
}

DriverParameters driverWith(double re, double le, double dd) {
    DriverParameters d;
    setEntered(d, Param::Re, re);
    setEntered(d, Param::Le, le);
    setEntered(d, Param::Dd, dd);
    return d;
}

// The fixture must match the solver's own example, or every comparison below it is off.
TEST(ExampleDriver, MatchesTheSolverExample) {
    const DriverParameters d = exampleDriver();
    EXPECT_DOUBLE_EQ(d.displayValue(Param::Qts), 0.307);
    EXPECT_DOUBLE_EQ(d.displayValue(Param::Sd), 530.93);
    EXPECT_DOUBLE_EQ(d.displayValue(Param::Cms), 0.469);
    EXPECT_DOUBLE_EQ(d.displayValue(Param::Rms), 4.52);
    EXPECT_DOUBLE_EQ(d.displayValue(Param::Vas), 187.77);
    EXPECT_DOUBLE_EQ(d.displayValue(Param::Bl), 13.45);
    EXPECT_DOUBLE_EQ(d.displayValue(Param::eta0), 1.405);
    EXPECT_DOUBLE_EQ(d.displayValue(Param::SPL), 93.49);
    EXPECT_DOUBLE_EQ(d.displayValue(Param::USPL), 95.04);
}

}  // namespace sublumo::tools::test
