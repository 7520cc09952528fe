#pragma once

#include <cstddef>
#include <string>

#include "number_text.h"

namespace sublumo {

// Appends the general number text of v, byte for byte what formatNumber gives, without a
// temporary string. The response table writes some 1600 numbers a keystroke; this keeps that
// within the time of one frame.
// Room the writer needs at out: a text is at most 25 characters, but it writes in blocks.
inline constexpr std::size_t kMaxShortNumberText = 40;

// Writes the text of v at out when v is 0, not finite, or between 1e-8 and 1e15 in magnitude,
// and returns its length; returns 0, writing nothing, for the other values, whose text
// formatNumber gives.
std::size_t writeShortNumberText(char* out, double v, NumberFormat format);

void appendNumberText(std::string& out, double v, NumberFormat format);

}  // namespace sublumo
