#pragma once

#include "bandpass_box.h"
#include "enclosure/vent_design_group.h"

namespace sublumo {

// " Enclosure parameters " of the fourth-order bandpass box: the sealed rear chamber with its
// fill, the vented front chamber and its vent; fb follows the rear chamber while auto-tuning
// shows "off", and "a-c" opens the alignment list.
class BandpassBoxGroup : public VentDesignGroup {
    Q_OBJECT
public:
    BandpassBoxGroup(PlatformServices& platform, NumberFormat format, QWidget* parent,
                     QWidget* listHost);

    enclosure::BandpassBoxInputs inputs() const;
    void display(const enclosure::BandpassBoxResult& result);
    void start();
    void setInputsEnabled(bool enabled);
    bool autoTuning() const { return m_autoTuning; }
    void toggleAutoTuning();
    ClickableLabel* autoCalculation() const { return m_autoCalculation; }
    OptionList* alignments() const { return m_alignments; }

signals:
    void alignmentListToggled();

private:
    bool m_autoTuning = true;  // the caption shows "off"
    bool m_enabled = false;
    ClickableLabel* m_autoCalculation = nullptr;
    ClickableLabel* m_autoTuningCaption = nullptr;
    OptionList* m_alignments = nullptr;
};

}  // namespace sublumo
