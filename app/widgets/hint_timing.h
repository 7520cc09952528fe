#pragma once

class QApplication;

namespace sublumo {

inline constexpr int kHintDelayMs = 150;
inline constexpr int kHintDurationMs = 40000;

// Hints come up 150 ms after the pointer rests on a control and stay up for 40 s, long enough
// to read a formula; the desktop's defaults are slower and shorter.
void installHintTiming(QApplication& app);

}  // namespace sublumo
