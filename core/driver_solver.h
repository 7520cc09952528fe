#pragma once

#include <array>
#include <string>
#include <vector>

#include "driver_parameters.h"
#include "number_text.h"

namespace sublumo {

// A control the solver may switch; Unchanged leaves it as another part of the page set it.
enum class ControlState { Enabled, Disabled, Unchanged };

struct SolverInput {
    // The texts of the entered fields, in kEnteredParams order (Qms ... Sd ... Le).
    std::array<std::string, kEnteredCount> enteredTexts;
    std::string name;
    DiaphragmEntryMode mode = DiaphragmEntryMode::Diameter;
    DisplayToggles toggles;
    NumberFormat format;
    DriverListPage listPage = DriverListPage::All;
    int selectedMemoryRow = -1;  // zero-based; -1 when no memory row is selected
    std::string selectedMemoryRowText;
};

// One write of a page field: the field is named by the parameter it normally shows (the motor
// field is Param::Bl, the Vas field Param::Vas, the Gloss field Param::Gloss).
struct FieldWrite {
    Param field;
    std::string text;
};

struct ActionAvailability {
    bool clearAllEnabled = false;
    // "Radd": false disables the input and its OK; true enables the input only.
    bool addedResistanceInputEnabled = false;
    // "Madd" and "new fs" with their OKs, the same way.
    bool addedMassAndShiftInputsEnabled = false;
    bool driverComplete = false;
    ControlState save = ControlState::Disabled;
    ControlState load = ControlState::Disabled;
};

struct SolverResult {
    std::vector<Param> refilledFields;  // set to "0" and selected before parsing
    bool abandoned = false;             // a text did not parse: nothing derived was written
    bool arithmeticFault = false;       // a non-finite result ended the derivation early
    DriverParameters params;
    std::vector<FieldWrite> writes;  // derived fields in the order they are written
    ActionAvailability actions;
};

// One forward pass from the entered texts to every derived parameter and its display text.
// `previous` supplies what stays when the pass ends early.
SolverResult solveDriverParameters(const DriverParameters& previous, const SolverInput& input);

bool isDriverComplete(const DriverParameters& params);

// The fields step 1 refills, in its order.
inline constexpr std::array<Param, kEnteredCount> kRefillOrder = {
    Param::Qms, Param::Qes, Param::fs, Param::Mms, Param::Dd, Param::Re,
    Param::Le,  Param::Hc,  Param::Hg, Param::Pe,  Param::Sd};

}  // namespace sublumo
