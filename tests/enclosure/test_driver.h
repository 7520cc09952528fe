#pragma once

#include <string>

#include "derived_quantities.h"
#include "design_common.h"
#include "driver_parameters.h"

namespace sublumo::enclosure::test {

// One driver, no series resistance: the designs' own figures, untouched by the arrangement.
inline SharedInputs plainShared() {
    SharedInputs s;
    s.arrangement.countText = "1";
    s.Rs = "0";
    return s;
}

// A driver given by the figures the box designs read; the rest follows as the solver derives it.
struct DriverFigures {
    double fs = 30.0;
    double Vas = 50.0;  // litres
    double Qts = 0.4;
    double Qms = 4.0;
    double Sd = 200.0;  // cm²
    double Re = 8.0;
    double Pe = 0.0;
    std::string name = "W8";
};

inline DriverParameters makeDriver(const DriverFigures& s) {
    DriverParameters d;
    const double cms = derived::CmsFromVas(s.Vas, s.Sd);
    const double mms = derived::MmsFromCompliance(s.fs, cms);
    const double qes = 1.0 / (1.0 / s.Qts - 1.0 / s.Qms);
    d.value(Param::fs) = s.fs;
    d.value(Param::Qms) = s.Qms;
    d.value(Param::Qes) = qes;
    d.value(Param::Qts) = s.Qts;
    d.value(Param::Mms) = mms;
    d.value(Param::Sd) = s.Sd;
    d.value(Param::Dd) = derived::Dd(s.Sd);
    d.value(Param::Re) = s.Re;
    d.value(Param::Pe) = s.Pe;
    d.value(Param::Cms) = cms;
    d.value(Param::Rms) = derived::Rms(s.fs, mms, s.Qms);
    d.value(Param::Vas) = s.Vas;
    d.value(Param::Bl) = derived::Bl(s.fs, mms, s.Re, qes);
    d.value(Param::eta0) = derived::eta0(s.fs, qes, s.Vas);
    d.value(Param::SPL) = derived::SPL(d.value(Param::eta0));
    d.value(Param::USPL) = derived::USPL(s.Re, d.value(Param::SPL));
    d.name = s.name;
    return d;
}

inline DriverParameters makeDriver() {
    return makeDriver(DriverFigures{});
}

}  // namespace sublumo::enclosure::test
