#pragma once

#include <string_view>

#include "design_memory.h"
#include "ini_document.h"
#include "strict_ini.h"

namespace sublumo::design_file {

// A stored design of the memory as the lines of its section: its two text lines, its three
// curves on one line each, and the circuit the limit charts are drawn from, each number exact.

// False when a number is neither finite nor +infinity; the document is then incomplete.
bool writeSlot(database::IniDocument& ini, std::string_view section, const memory::Slot& slot);

// A filled slot. Throws Refusal when a line or a curve is missing or a number is none.
memory::Slot readSlot(const IniSection& section, int number);

}  // namespace sublumo::design_file
