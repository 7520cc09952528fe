#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "calculators/calculator_panels.h"
#include "driver_modification.h"
#include "voice_coil_temperature.h"

namespace sublumo {

namespace {

using ModificationCompute = tools::ModificationResult (*)(const std::string&,
                                                          const DriverParameters&, NumberFormat);
using Availability = bool (*)(const ActionAvailability&);

// One driver modification: its frame, its one input, the comparison and the "OK".
struct ModificationSpec {
    const char* objectName;
    const char* caption;
    FormRow input;
    ModificationCompute computeResult;
    Availability available;
    const char* okDescription;
    int lines;
};

bool resistanceAvailable(const ActionAvailability& a) {
    return a.addedResistanceInputEnabled;
}

bool massAndShiftAvailable(const ActionAvailability& a) {
    return a.addedMassAndShiftInputsEnabled;
}

const ModificationSpec kShift = {
    "resonanceShiftPanel",
    " Shift of resonance frequency ",
    {"shiftNewFs", "new fs", "Hz", "The new free-air resonance frequency", "0", FieldKind::Input,
     Param::fs},
    tools::computeResonanceShift,
    massAndShiftAvailable,
    "Writes the new fs with its Qms and Qes into the driver and marks the name",
    9};

const ModificationSpec kResistance = {
    "addedResistancePanel",
    " Added resistance to voice-coil ",
    {"raddRadd", "Radd", "Ohm", "Resistance in series with the voice coil (may be negative)", "0",
     FieldKind::SignedInput},
    tools::computeAddedResistance,
    resistanceAvailable,
    "Writes the new Re and Qes into the driver and marks the name",
    7};

const ModificationSpec kMass = {
    "addedMassToConePanel",
    " Added mass to cone ",
    {"maddMadd", "Madd", "g", "Mass glued to the cone (may be negative)", "0",
     FieldKind::SignedInput},
    tools::computeAddedMassToCone,
    massAndShiftAvailable,
    "Writes the new Mms, fs, Qes and Qms into the driver and marks the name",
    9};

class ModificationPanel : public CalculatorPanel {
public:
    ModificationPanel(const CalculatorContext& c, const ModificationSpec& spec)
        : CalculatorPanel(c, QString::fromLatin1(spec.objectName)), m_spec(spec) {
        const QString prefix = QString::fromLatin1(spec.input.objectName);
        QGroupBox* frame = addFrame(QString::fromLatin1(spec.caption), prefix + "Frame");
        addRows(frame, std::span(&spec.input, 1));
        m_text = addTextBox(frame, prefix + "Text", QStringLiteral("Before and after"), spec.lines);
        m_ok = makeButton(QStringLiteral("OK"), prefix + "Ok",
                          QString::fromLatin1(spec.okDescription));
        m_ok->setEnabled(false);
        row(prefix).unitBox->addWidget(m_ok);
        connect(m_ok, &QPushButton::clicked, this, [this] {
            compute();
            if (m_ok->isEnabled() && m_result.transfer)
                transfer(*m_result.transfer);
        });
    }

    void recompute() override {
        const QString name = QString::fromLatin1(m_spec.input.objectName);
        m_result = m_spec.computeResult(in(name), driverValues(), format());
        put(name, m_result.input);
        showLines(m_text, m_result.lines);
        m_ok->setEnabled(m_result.okEnabled && field(name)->isEnabled());
    }

    // The solver only ever disables "OK"; the comparison enables it.
    void driverSolved(const ActionAvailability& actions) override {
        const bool available = m_spec.available(actions);
        field(QString::fromLatin1(m_spec.input.objectName))->setEnabled(available);
        if (!available)
            m_ok->setEnabled(false);
    }

private:
    const ModificationSpec& m_spec;
    tools::ModificationResult m_result;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_ok = nullptr;
};

// Two calculators under one menu item: added resistance above, added mass below.
class AddedResistanceAndMassPanel : public CalculatorPanel {
public:
    explicit AddedResistanceAndMassPanel(const CalculatorContext& c)
        : CalculatorPanel(c, QStringLiteral("addedResistanceAndMassPanel")) {
        layout()->addWidget(new ModificationPanel(c, kResistance));
        layout()->addWidget(new ModificationPanel(c, kMass));
    }

    void recompute() override {
        for (CalculatorPanel* inner : findChildren<CalculatorPanel*>()) inner->compute();
    }
};

constexpr FormRow kTemperatureRows[] = {
    {"tempReAtT1", "Re at T1", "Ohm", "Resistance of the voice coil at the temperature T1", "6",
     FieldKind::Input, Param::Re},
    {"tempT1", "T1", "°C", "Temperature at which Re was measured", "20"},
    {"tempT2", "T2", "°C", "Temperature of interest", "100"},
};

constexpr EnterStep kTemperatureCycle[] = {
    {"tempReAtT1", "tempT1"}, {"tempT1", "tempT2"}, {"tempT2", "tempReAtT1"}};

class VoiceCoilTemperaturePanel : public CalculatorPanel {
public:
    explicit VoiceCoilTemperaturePanel(const CalculatorContext& c)
        : CalculatorPanel(c, QStringLiteral("voiceCoilTemperaturePanel")) {
        QGroupBox* frame = addFrame(QStringLiteral(" Voice-coil resistance at different "
                                                   "temperatures "),
                                    QStringLiteral("voiceCoilTemperatureFrame"));
        addRows(frame, kTemperatureRows);
        setEnterCycle(kTemperatureCycle);
        m_text =
            addTextBox(frame, QStringLiteral("tempText"), QStringLiteral("Resistance at T2"), 11);
    }

    void recompute() override {
        const tools::VoiceCoilTemperatureResult r = tools::computeVoiceCoilTemperature(
            {in(QStringLiteral("tempReAtT1")), in(QStringLiteral("tempT1")),
             in(QStringLiteral("tempT2"))},
            driverValues(), format());
        put(QStringLiteral("tempReAtT1"), r.reAtT1);
        put(QStringLiteral("tempT1"), r.t1);
        put(QStringLiteral("tempT2"), r.t2);
        showLines(m_text, r.lines);
    }

private:
    QPlainTextEdit* m_text = nullptr;
};

}  // namespace

CalculatorPanel* makeResonanceShiftPanel(const CalculatorContext& context) {
    return new ModificationPanel(context, kShift);
}

CalculatorPanel* makeAddedResistanceAndMassPanel(const CalculatorContext& context) {
    return new AddedResistanceAndMassPanel(context);
}

CalculatorPanel* makeVoiceCoilTemperaturePanel(const CalculatorContext& context) {
    return new VoiceCoilTemperaturePanel(context);
}

}  // namespace sublumo
