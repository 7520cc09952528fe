#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "calculators/calculator_panels.h"
#include "distortion_level.h"
#include "free_fall.h"
#include "internal_resistance.h"
#include "level_combination.h"
#include "widgets/clickable_label.h"

namespace sublumo {

namespace {

constexpr int kNarrowWidth = 36;
constexpr int kFieldWidth = 54;

constexpr FormRow kNearFieldRows[] = {
    {"nfDd", "Dd", "mm", "Diameter of the diaphragm", "120", FieldKind::Input, Param::Dd},
    {"nfDistance", "Microphone distance", "mm", "Distance of the far-field microphone", "1000"},
};
constexpr FormRow kConeVentRows[] = {
    {"cvDd", "Dd", "mm", "Diameter of the diaphragm", "120", FieldKind::Input, Param::Dd},
    {"cvVent", "Vent diameter", "mm", "Size of one vent; click the caption for the other shape",
     "50"},
    {"cvVents", "Number of vents", "", "Number of vents (a whole number)", "1"},
};
constexpr FormRow kVentHeightRow = {"cvVentHeight", "x", "", "Height of a rectangular vent", "20"};

constexpr EnterStep kNearFieldCycle[] = {{"nfDd", "nfDistance"}, {"nfDistance", "nfDd"}};
constexpr EnterStep kConeVentCycle[] = {{"cvDd", "cvVent"},
                                        {"cvVent", "cvVentHeight", "cvVents"},
                                        {"cvVentHeight", "cvVents"},
                                        {"cvVents", "cvDd"}};

class ConeVentPanel : public CalculatorPanel {
public:
    explicit ConeVentPanel(const CalculatorContext& c)
        : CalculatorPanel(c, QStringLiteral("coneVentPanel")) {
        QGroupBox* frame =
            addFrame(QStringLiteral(" Cone/vent combination "), QStringLiteral("coneVentFrame"));
        addRows(frame, kConeVentRows);
        // The height of a rectangular vent sits after an "x" beside the width.
        const FormRowWidgets& height =
            addInline(row(QStringLiteral("cvVent")).fieldBox, kVentHeightRow);
        height.field->setAccessibleName(QStringLiteral("Vent height"));
        setEnterCycle(kConeVentCycle);
        makeSwitch(row(QStringLiteral("cvVent")).caption,
                   QStringLiteral("Round or rectangular vents; click to toggle"), [this] {
                       m_shape = tools::toggleVentShape(m_shape);
                       compute();
                       focusField(QStringLiteral("cvVent"));
                   });
        m_text = addTextBox(frame, QStringLiteral("cvText"), QStringLiteral("Vent level"), 4);
        applyShape(false);
    }

    void recompute() override {
        const tools::ConeVentResult r = tools::computeConeVent(
            {in(QStringLiteral("cvDd")), in(QStringLiteral("cvVent")),
             in(QStringLiteral("cvVentHeight")), in(QStringLiteral("cvVents")), m_shape},
            driverValues(), format());
        put(QStringLiteral("cvDd"), r.dd);
        put(QStringLiteral("cvVent"), r.ventSize);
        put(QStringLiteral("cvVentHeight"), r.ventHeight);
        put(QStringLiteral("cvVents"), r.ventCount);
        setCaption(QStringLiteral("cvVent"), r.ventLabel);
        applyShape(r.ventHeightShown);
        showLines(m_text, r.lines);
    }

private:
    // The second field shows for rectangles, and the first narrows to make room for it.
    void applyShape(bool rectangle) {
        const FormRowWidgets& height = row(QStringLiteral("cvVentHeight"));
        height.caption->setVisible(rectangle);
        height.field->setVisible(rectangle);
        field(QStringLiteral("cvVent"))->setFixedWidth(rectangle ? kNarrowWidth : kFieldWidth);
        height.field->setFixedWidth(kNarrowWidth);
    }

    tools::VentShape m_shape = tools::VentShape::Round;
    QPlainTextEdit* m_text = nullptr;
};

class NearFieldPanel : public CalculatorPanel {
public:
    explicit NearFieldPanel(const CalculatorContext& c)
        : CalculatorPanel(c, QStringLiteral("nearFieldPanel")) {
        QGroupBox* frame = addFrame(QStringLiteral(" Nearfield/farfield combination "),
                                    QStringLiteral("nearFieldFrame"));
        addRows(frame, kNearFieldRows);
        setEnterCycle(kNearFieldCycle);
        m_text = addTextBox(frame, QStringLiteral("nfText"), QStringLiteral("Near-field level"), 5);
        layout()->addWidget(new ConeVentPanel(c));
    }

    void recompute() override {
        const tools::NearFieldResult r =
            tools::computeNearField({in(QStringLiteral("nfDd")), in(QStringLiteral("nfDistance"))},
                                    driverValues(), format());
        put(QStringLiteral("nfDd"), r.dd);
        put(QStringLiteral("nfDistance"), r.microphoneDistance);
        showLines(m_text, r.lines);
    }

private:
    QPlainTextEdit* m_text = nullptr;
};

// One value field whose caption switches the mode; the panel's own code is the mode's pure
// toggle and compute.
constexpr FormRow kDistortionRows[] = {
    {"dbValue", "in percent", "%", "Distortion; click the caption to switch", "1"},
};

class DistortionPanel : public CalculatorPanel {
public:
    explicit DistortionPanel(const CalculatorContext& c)
        : CalculatorPanel(c, QStringLiteral("distortionPanel")) {
        QGroupBox* frame = addFrame(QStringLiteral(" Converting percentage <> decibels "),
                                    QStringLiteral("distortionFrame"));
        addRows(frame, kDistortionRows);
        makeSwitch(row(QStringLiteral("dbValue")).caption,
                   QStringLiteral("Percent or decibels; click to switch and convert"), [this] {
                       const tools::DistortionInputs next = tools::toggleDistortionMode(
                           {in(QStringLiteral("dbValue")), m_mode}, format());
                       m_mode = next.mode;
                       field(QStringLiteral("dbValue"))->setText(fromStd(next.value));
                       compute();
                   });
        m_text = addTextBox(frame, QStringLiteral("dbText"), QStringLiteral("Conversion"), 1);
    }

    void recompute() override {
        const tools::DistortionResult r =
            tools::computeDistortion({in(QStringLiteral("dbValue")), m_mode}, format());
        put(QStringLiteral("dbValue"), r.value);
        setCaption(QStringLiteral("dbValue"), r.modeLabel);
        showLabel(row(QStringLiteral("dbValue")).unit, r.unitLabel);
        showLines(m_text, r.lines);
    }

private:
    tools::DistortionMode m_mode = tools::DistortionMode::Percent;
    QPlainTextEdit* m_text = nullptr;
};

constexpr FormRow kInternalRows[] = {
    {"riU1", "U1", "V", "Open-circuit voltage", "6"},
    {"riU2", "U2", "V", "Voltage with the load connected", "5.9"},
    {"riRLoad", "R load", "Ohm", "Resistance of the load", "3.3"},
};

constexpr EnterStep kInternalCycle[] = {{"riU1", "riU2"}, {"riU2", "riRLoad"}, {"riRLoad", "riU1"}};

class InternalResistancePanel : public CalculatorPanel {
public:
    explicit InternalResistancePanel(const CalculatorContext& c)
        : CalculatorPanel(c, QStringLiteral("internalResistancePanel")) {
        QGroupBox* frame = addFrame(QStringLiteral(" Internal resistance "),
                                    QStringLiteral("internalResistanceFrame"));
        addRows(frame, kInternalRows);
        setEnterCycle(kInternalCycle);
        m_text =
            addTextBox(frame, QStringLiteral("riText"), QStringLiteral("Internal resistance"), 1);
    }

    void recompute() override {
        const tools::InternalResistanceResult r = tools::computeInternalResistance(
            {in(QStringLiteral("riU1")), in(QStringLiteral("riU2")), in(QStringLiteral("riRLoad"))},
            format());
        put(QStringLiteral("riU1"), r.u1);
        put(QStringLiteral("riU2"), r.u2);
        put(QStringLiteral("riRLoad"), r.rLoad);
        showLines(m_text, r.lines);
    }

private:
    QPlainTextEdit* m_text = nullptr;
};

constexpr FormRow kFallRows[] = {
    {"fallValue", "time", "s", "The time it took the driver to hit ground", "1"},
};

class FreeFallPanel : public CalculatorPanel {
public:
    explicit FreeFallPanel(const CalculatorContext& c)
        : CalculatorPanel(c, QStringLiteral("freeFallPanel")) {
        QGroupBox* frame = addFrame(QStringLiteral(" Loudspeaker's free fall in vacuum :) "),
                                    QStringLiteral("freeFallFrame"));
        addRows(frame, kFallRows);
        makeSwitch(row(QStringLiteral("fallValue")).caption,
                   QStringLiteral("Time or height; click to switch and convert"), [this] {
                       const tools::FreeFallInputs next = tools::toggleFallMode(
                           {in(QStringLiteral("fallValue")), m_mode}, format());
                       m_mode = next.mode;
                       field(QStringLiteral("fallValue"))->setText(fromStd(next.value));
                       compute();
                   });
        m_text = addTextBox(frame, QStringLiteral("fallText"), QStringLiteral("The fall"), 8);
    }

    void recompute() override {
        const tools::FreeFallResult r =
            tools::computeFreeFall({in(QStringLiteral("fallValue")), m_mode}, format());
        put(QStringLiteral("fallValue"), r.value);
        setCaption(QStringLiteral("fallValue"), r.modeLabel);
        showLabel(row(QStringLiteral("fallValue")).unit, r.unitLabel);
        QLineEdit* value = field(QStringLiteral("fallValue"));
        value->setToolTip(fromStd(r.hint));
        value->setAccessibleDescription(fromStd(r.hint));
        showLines(m_text, r.lines);
    }

private:
    tools::FallMode m_mode = tools::FallMode::Time;
    QPlainTextEdit* m_text = nullptr;
};

}  // namespace

CalculatorPanel* makeNearFieldPanel(const CalculatorContext& context) {
    return new NearFieldPanel(context);
}

CalculatorPanel* makeDistortionPanel(const CalculatorContext& context) {
    return new DistortionPanel(context);
}

CalculatorPanel* makeInternalResistancePanel(const CalculatorContext& context) {
    return new InternalResistancePanel(context);
}

CalculatorPanel* makeFreeFallPanel(const CalculatorContext& context) {
    return new FreeFallPanel(context);
}

}  // namespace sublumo
