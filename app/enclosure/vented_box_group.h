#pragma once

#include "enclosure/vent_design_group.h"
#include "vented_box.h"

namespace sublumo {

// " Enclosure parameters " of the vented box: Vb and fb with the vent; the fb caption tunes at
// the driver's resonance and "a-c" proposes a whole design.
class VentedBoxGroup : public VentDesignGroup {
    Q_OBJECT
public:
    VentedBoxGroup(PlatformServices& platform, NumberFormat format, QWidget* parent,
                   QWidget* listHost);

    enclosure::VentedBoxInputs inputs() const;
    void display(const enclosure::VentedBoxResult& result);
    void start();
    void setInputsEnabled(bool enabled);
    ClickableLabel* autoCalculation() const { return m_autoCalculation; }

signals:
    void tuneRequested();
    void autoCalculationRequested();

private:
    ClickableLabel* m_autoCalculation = nullptr;
};

}  // namespace sublumo
