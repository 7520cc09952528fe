#pragma once

#include <cmath>
#include <string>

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
    const double w = 2.0 * pi * s.fs;
    const double cms = s.Vas / (rho * cair * cair * s.Sd * s.Sd * 1e-8);
    const double mms = 1.0 / (w * w * cms * 1e-6);
    const double qes = 1.0 / (1.0 / s.Qts - 1.0 / s.Qms);
    d.value(Param::fs) = s.fs;
    d.value(Param::Qms) = s.Qms;
    d.value(Param::Qes) = qes;
    d.value(Param::Qts) = s.Qts;
    d.value(Param::Mms) = mms;
    d.value(Param::Sd) = s.Sd;
    d.value(Param::Dd) = 10.0 * std::sqrt(4.0 * s.Sd / pi);
    d.value(Param::Re) = s.Re;
    d.value(Param::Pe) = s.Pe;
    d.value(Param::Cms) = cms;
    d.value(Param::Rms) = w * mms * 1e-3 / s.Qms;
    d.value(Param::Vas) = s.Vas;
    d.value(Param::Bl) = std::sqrt(w * mms * s.Re * 1e-3 / qes);
    d.value(Param::eta0) =
        4.0 * pi * pi / std::pow(cair, 3) * std::pow(s.fs, 3) / qes * s.Vas * 0.1;
    d.value(Param::SPL) = 10.0 * std::log10(d.value(Param::eta0) / splReference);
    d.value(Param::USPL) = 10.0 * std::log10(8.0 / s.Re) + d.value(Param::SPL);
    d.name = s.name;
    return d;
}

inline DriverParameters makeDriver() {
    return makeDriver(DriverFigures{});
}

}  // namespace sublumo::enclosure::test
