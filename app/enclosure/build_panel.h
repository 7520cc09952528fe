#pragma once

#include "build_plan.h"
#include "enclosure/design_group.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace sublumo {

// "Build": from the current design to the box a person cuts. The inputs (panel thickness,
// proportion, bracing, driver displacement, vent limit), the gross volume, sizes, cut list and
// the vent for the air-speed limit, and the actions that use them.
class BuildPanel : public DesignGroup {
    Q_OBJECT
public:
    BuildPanel(PlatformServices& platform, NumberFormat format, QWidget* parent);

    enclosure::BuildInputs inputs() const;
    void setInputs(const enclosure::BuildInputs& inputs);
    void display(const enclosure::BuildTexts& texts);
    const enclosure::BuildTexts& shown() const { return m_shown; }
    QString resultText() const;
    // vmax starts from the port-velocity line and follows it while it still shows the line's
    // last value; a limit typed here (or read from a design) that differs from it holds.
    void followVentLine(double line);

signals:
    void useVentRequested();
    void saveSheetRequested();
    void printRequested();
    void closeRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildChoices();
    void buildActions();
    void choosePreset(int index);
    void showMatchingPreset();

    QComboBox* m_presets = nullptr;
    QCheckBox* m_slot = nullptr;
    QCheckBox* m_inside = nullptr;
    QLabel* m_results = nullptr;
    QPushButton* m_useVent = nullptr;
    enclosure::BuildTexts m_shown;
    double m_followedLine = enclosure::kDefaultVentVelocityLine;
};

}  // namespace sublumo
