#pragma once

#include "enclosure/design_group.h"

namespace sublumo {

// " Additional options ": series resistance, added mass and voice-coil temperature.
class OptionsGroup : public DesignGroup {
    Q_OBJECT
public:
    OptionsGroup(PlatformServices& platform, NumberFormat format, QWidget* parent);

    void setFieldsEnabled(bool enabled);
};

}  // namespace sublumo
