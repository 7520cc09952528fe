#pragma once

#include <string>

#include "calculator_text.h"

namespace sublumo::tools {

struct AddedMassInputs {
    std::string fs;     // Hz
    std::string newFs;  // Hz, the resonance with the added mass
    std::string madd;   // g
};

struct AddedMassResult {
    InputText fs, newFs, madd;
    std::string shiftLine;  // "Shift in fs: -20 %", or empty
    std::string mms;        // g, 1 decimal
    bool addEnabled = false;
    bool okEnabled = false;
};

AddedMassResult computeAddedMass(const AddedMassInputs& in, NumberFormat format);

// "OK" of the added-mass method.
DriverTransfer addedMassTransfer(const std::string& mmsText);

struct ClosedBoxInputs {
    std::string fs;          // Hz
    std::string newFs;       // Hz, the resonance in the box
    std::string vbox;        // l
    std::string sd;          // cm^2
    std::string coneOuter;   // "Do", mm
    std::string coneInner;   // "Di", mm
    std::string coneHeight;  // "h", mm
};

struct ClosedBoxResult {
    InputText fs, newFs, vbox, sd, coneOuter, coneInner, coneHeight;
    std::string coneVolumeLine;  // "Vc: 0.123 l", or empty
    std::string shiftLine;       // "Shift in fs: +50 %", or empty
    std::string vas;             // l, 2 decimals
    std::string mms;             // g, 1 decimal
    bool okEnabled = false;
};

ClosedBoxResult computeClosedBox(const ClosedBoxInputs& in, NumberFormat format);

// "OK" of the closed-box method: Sd and Mms, with the driver switched to area entry.
DriverTransfer closedBoxTransfer(const ClosedBoxResult& result, DiaphragmEntryMode current);

}  // namespace sublumo::tools
