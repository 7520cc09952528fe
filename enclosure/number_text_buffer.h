#pragma once

#include <string>

#include "number_text.h"

namespace sublumo {

// Appends the general number text of v (what formatNumber gives) to out.
void appendNumberText(std::string& out, double v, NumberFormat format);

}  // namespace sublumo
