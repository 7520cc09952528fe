#pragma once

#include <QIcon>

namespace sublumo {

// The program's own icons, drawn with QPainter at 1x and 2x so they stay crisp on any scale.
enum class IconKind {
    Expand,
    Contract,
    ShowText,
    Screenshot,
    StayOnTopOff,
    StayOnTopOn,
    Info,
    WebSearch,
    ToggleDiameterArea,
    ShiftUp,
    ShiftDown,
    Application,
    OpenDesign,
    SaveDesign,
};

QIcon sublumoIcon(IconKind kind);

}  // namespace sublumo
