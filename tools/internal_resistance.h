#pragma once

#include <string>

#include "calculator_text.h"

namespace sublumo::tools {

// "U2" and "R load" start as 5.9 and 3.3 in the user's format; empty ones are refilled so.
struct InternalResistanceInputs {
    std::string u1 = "6";  // V, open circuit
    std::string u2;        // V, loaded
    std::string rLoad;     // Ohm
};

struct InternalResistanceResult {
    InputText u1, u2, rLoad;
    TextLines lines;
};

InternalResistanceResult computeInternalResistance(const InternalResistanceInputs& in,
                                                   NumberFormat format);

}  // namespace sublumo::tools
