#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "enclosure/design_group.h"
#include "passive_radiator_box.h"

namespace sublumo {

// " Enclosure parameters " of the passive-radiator box: Vb and fb with the radiators; the
// added mass that tunes them, their resonance and their worst excursion are shown; "a-c"
// proposes the vented box's volume and tuning.
class PassiveRadiatorGroup : public DesignGroup {
    Q_OBJECT
public:
    PassiveRadiatorGroup(PlatformServices& platform, NumberFormat format, QWidget* parent);

    enclosure::PassiveRadiatorInputs inputs() const;
    void display(const enclosure::PassiveRadiatorResult& result);
    void start();
    void setInputsEnabled(bool enabled);
    ClickableLabel* autoCalculation() const { return m_autoCalculation; }
    // Keeps the radiator's fields under a name in the settings file, and fills them back.
    void saveRadiator();
    void loadRadiator();
    // The typed field of a linked pair, by the design file's key ("sizeLead", "complianceLead"):
    // "Dp" or "Sp", "Cmp" or "Vap"; nothing for another key.
    std::optional<std::string> lead(std::string_view key) const;
    // Makes `name` the leading field of its pair and recomputes; false for another key or name.
    bool setLead(std::string_view key, std::string_view name);

signals:
    void autoCalculationRequested();

private:
    void follow(const char* name, const char* other, bool& typedFirst);
    QString settingsPath() const;

    ClickableLabel* m_autoCalculation = nullptr;
    ClickableLabel* m_save = nullptr;
    ClickableLabel* m_load = nullptr;
    bool m_writing = false;  // display() writes the linked fields without taking them over
    bool m_diameterTyped = true;
    bool m_complianceTyped = true;
};

}  // namespace sublumo
