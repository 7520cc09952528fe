#include "driver_parameters.h"

namespace sublumo {

namespace {

constexpr int kEntered = -1;

constexpr std::array<ParameterInfo, kParamCount> kTable = {{
    {Param::Qms, "Qms", "", "Mechanical Q-factor of driver", kEntered, true},
    {Param::Qes, "Qes", "", "Electrical Q-factor of driver", kEntered, true},
    {Param::fs, "fs", "Hz", "Free air resonance frequency of driver", kEntered, true},
    {Param::Mms, "Mms", "g", "Mass of driver diaphragm assembly including air load", kEntered,
     true},
    {Param::Dd, "Dd", "mm", "Effective diameter of driver diaphragm", kEntered, true},
    {Param::Sd, "Sd", "cm^2", "Effective surface area of driver diaphragm", kEntered, true},
    {Param::Re, "Re", "Ohm", "DC resistance of driver voice-coil", kEntered, true},
    {Param::Hc, "Hc", "mm", "Height of voice-coil", kEntered, true},
    {Param::Hg, "Hg", "mm", "Height of magnetic gap", kEntered, true},
    {Param::Pe, "Pe", "W", "Power handling capacity (RMS or AES)", kEntered, true},
    {Param::Le, "Le", "mH", "Inductance of driver voice-coil at 1 kHz", kEntered, true},
    {Param::Qts, "Qts", "", "Total Q-factor of driver", 3, false},
    {Param::EBP, "EBP", "Hz", "Efficiency bandwidth product", 1, false},
    {Param::Mmd, "Mmd", "g", "Mass of driver diaphragm assembly excluding air load", 2, false},
    {Param::Mair, "Mair", "g", "Mass of air attached to driver diaphragm", 2, false},
    {Param::Rms, "Rms", "kg/s", "Mechanical damping", 2, false},
    {Param::Rme, "Rme", "kg/s", "Electromagnetic damping", 2, false},
    {Param::Res, "Res", "Ohm", "Electrical resistance representing Rms", 2, false},
    {Param::Lces, "Lces", "mH", "Electrical inductance representing Cms", 2, false},
    {Param::Cmes, "Cmes", "uF", "Electrical capacitance representing Mms", 2, false},
    {Param::Cms, "Cms", "mm/N", "Compliance of driver suspension", 3, false},
    {Param::Kms, "Kms", "N/mm", "Stiffness of driver suspension", 2, false},
    {Param::f4pi, "f4pi", "Hz",
     "Max. frequency where a circular diaphragm radiates as point source", 0, false},
    {Param::f2pi, "f2pi", "Hz",
     "Max. frequency where a circular diaphragm radiates with minor directivity", 0, false},
    {Param::fmax, "fmax", "Hz",
     "Max. frequency before breakups occur diagonally across the diaphragm", 0, false},
    {Param::Vas, "Vas", "litres", "Volume of air having same compliance as driver suspension", 2,
     false},
    {Param::Vascf, "Vascf", "ft^3", "Volume of air having same compliance as driver suspension", 3,
     false},
    {Param::Xmax, "Xmax", "mm", "Max. linear one-way travel of voice coil", 2, false},
    {Param::Gloss, "Gloss", "%", "Sag of driver diaphragm when mounted horizontally", 2, false},
    {Param::Glossmm, "Glossmm", "mm", "Sag of driver diaphragm when mounted horizontally", 2,
     false},
    {Param::Vd, "Vd", "cm^3", "Volume of air displaced by driver diaphragm at Xmax", 1, false},
    {Param::Zmax, "Zmax", "Ohm", "Impedance at driver's free air resonance frequency", 1, false},
    {Param::Bl, "Bl", "N/A", "Product of magnetic induction and wire length in air gap", 2, false},
    {Param::Mpow, "Mpow", "N/sqrt(W)", "Motor system power-factor", 2, false},
    {Param::gamma, "gamma", "N/Akg", "Acceleration factor", 0, false},
    {Param::eta0, "eta0", "%", "Reference efficiency of driver", 3, false},
    {Param::SPL, "SPL", "dB", "Sensitivity at 1 W at 1 m", 2, false},
    {Param::USPL, "USPL", "dB", "Sensitivity at 2.83 V at 1 m", 2, false},
    {Param::SPLmax, "SPLmax", "dB",
     "Max. thermal limited SPL assuming -3 dB power compression at 1 m", 2, false},
}};

constexpr bool tableInParamOrder() {
    for (std::size_t i = 0; i < kTable.size(); ++i)
        if (indexOf(kTable[i].id) != i)
            return false;
    return true;
}
static_assert(tableInParamOrder(), "the parameter table must follow the Param order");

}  // namespace

const ParameterInfo& parameterInfo(Param p) {
    return kTable[indexOf(p)];
}

const std::array<ParameterInfo, kParamCount>& allParameterInfo() {
    return kTable;
}

Param paramByName(std::string_view name) {
    for (const auto& info : kTable)
        if (info.name == name)
            return info.id;
    return Param::Count;
}

int displayDecimals(Param p, DiaphragmEntryMode mode) {
    if (p == Param::Sd && mode == DiaphragmEntryMode::Diameter)
        return 2;
    if (p == Param::Dd && mode == DiaphragmEntryMode::Area)
        return 2;
    return parameterInfo(p).decimals;
}

}  // namespace sublumo
