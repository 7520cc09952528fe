#pragma once

#include <optional>

#include "enclosure/design_group.h"
#include "response_options.h"

class QCheckBox;

namespace sublumo {

// " Cabin gain ": the response inside a closed space such as a car.
class CabinGainGroup : public DesignGroup {
    Q_OBJECT
public:
    CabinGainGroup(PlatformServices& platform, NumberFormat format, QWidget* parent);

    bool isOn() const;
    QCheckBox* onOff() const { return m_onOff; }
    void setOptionsEnabled(bool checkBoxEnabled, bool lmaxEnabled);
    void display(const std::optional<enclosure::CabinGain>& gain);

private:
    QCheckBox* m_onOff = nullptr;
};

}  // namespace sublumo
