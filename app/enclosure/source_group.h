#pragma once

#include "enclosure/design_group.h"
#include "source_level.h"

class QCheckBox;
class QLabel;

namespace sublumo {

// " Source / mic ": the voltage and microphone distance of the absolute chart, the power in
// each driver and in Rs, the resulting level, and the red "!" when Pd exceeds the driver's Pe.
class SourceGroup : public DesignGroup {
    Q_OBJECT
public:
    SourceGroup(PlatformServices& platform, NumberFormat format, QWidget* parent);

    bool isOn() const;
    QCheckBox* onOff() const { return m_onOff; }
    // `optionsEnabled`: the check box; `sourceEnabled`: U, the Pd caption and d.
    void setControlsEnabled(bool optionsEnabled, bool sourceEnabled);
    void display(const enclosure::SourceLevel& level);

signals:
    void switched(bool on);
    void oneWattRequested();

private:
    QCheckBox* m_onOff = nullptr;
    QLabel* m_warning = nullptr;
};

}  // namespace sublumo
