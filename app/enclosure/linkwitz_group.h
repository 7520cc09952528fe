#pragma once

#include "enclosure/design_group.h"
#include "response_options.h"

class QCheckBox;

namespace sublumo {

// " Linkwitz transform " of the closed box: the new resonance and Q the equaliser aims at;
// "circuit" shows or hides the circuit panel.
class LinkwitzGroup : public DesignGroup {
    Q_OBJECT
public:
    LinkwitzGroup(PlatformServices& platform, NumberFormat format, QWidget* parent);

    bool isOn() const;
    QCheckBox* onOff() const { return m_onOff; }
    ClickableLabel* circuitCaption() const { return m_circuit; }
    void setCheckBoxEnabled(bool enabled);
    void setFieldsEnabled(bool enabled);

signals:
    void switched(bool on);
    void circuitToggled();

private:
    QCheckBox* m_onOff = nullptr;
    ClickableLabel* m_circuit = nullptr;
};

}  // namespace sublumo
