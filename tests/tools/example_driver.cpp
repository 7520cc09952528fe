#include "driver_solver.h"
#include "table_test.h"

namespace sublumo::tools::test {

namespace {

void setEntered(DriverParameters& d, Param p, double v) {
    d.value(p) = v;
    d.displayValues[indexOf(p)] = v;
}

}  // namespace

DriverParameters exampleDriver() {
    SolverInput in;
    in.enteredTexts = {"2.5", "0.35", "30", "60", "260", "0", "5.6", "0", "0", "0", "0"};
    in.name.assign(1, 'X');  // assigning a literal trips a false -Wrestrict in GCC 12
    return solveDriverParameters({}, in).params;
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
