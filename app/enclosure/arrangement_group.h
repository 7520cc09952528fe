#pragma once

#include "arrangement.h"
#include "enclosure/design_group.h"

class QButtonGroup;
class QCheckBox;
class QRadioButton;

namespace sublumo {

// "Electrical connection": the number of drivers, the four wirings with their load impedance
// in the captions, and "isobaric".
class ArrangementGroup : public DesignGroup {
    Q_OBJECT
public:
    ArrangementGroup(PlatformServices& platform, NumberFormat format, QWidget* parent);

    enclosure::ArrangementInputs inputs(bool sourceOn) const;
    // Enabled states and captions; the count text is rewritten only when the view gives one.
    void display(const enclosure::ArrangementView& view);
    QRadioButton* connectionButton(enclosure::Connection connection) const;

signals:
    // Nd, a wiring or "isobaric" changed: the arrangement is refreshed.
    void arrangementChanged();

private:
    QButtonGroup* m_connections = nullptr;
    QWidget* m_connectionBox = nullptr;
    QCheckBox* m_isobaric = nullptr;
};

}  // namespace sublumo
