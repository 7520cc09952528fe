#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "air_coil.h"
#include "calculators/calculator_panels.h"
#include "crossover.h"
#include "enclosure_geometry.h"
#include "widgets/clickable_label.h"

namespace sublumo {

namespace {

constexpr FormRow kResonanceRows[] = {
    {"boxWidth", "Width", "mm", "Inner width of the enclosure", "240"},
    {"boxHeight", "Height", "mm", "Inner height of the enclosure", "420"},
    {"boxDepth", "Depth", "mm", "Inner depth of the enclosure", "180"},
};

constexpr EnterStep kResonanceCycle[] = {
    {"boxWidth", "boxHeight"}, {"boxHeight", "boxDepth"}, {"boxDepth", "boxWidth"}};

class EnclosureResonancesPanel : public CalculatorPanel {
public:
    explicit EnclosureResonancesPanel(const CalculatorContext& c)
        : CalculatorPanel(c, QStringLiteral("enclosureResonancesPanel")) {
        QGroupBox* frame = addFrame(QStringLiteral(" Enclosure resonances calculation "),
                                    QStringLiteral("enclosureResonancesFrame"));
        addRows(frame, kResonanceRows);
        setEnterCycle(kResonanceCycle);
        m_text = addTextBox(frame, QStringLiteral("boxText"),
                            QStringLiteral("Standing-wave resonances"), 15);
    }

    void recompute() override {
        const tools::EnclosureResonancesResult r = tools::computeEnclosureResonances(
            {in(QStringLiteral("boxWidth")), in(QStringLiteral("boxHeight")),
             in(QStringLiteral("boxDepth"))},
            format());
        put(QStringLiteral("boxWidth"), r.width);
        put(QStringLiteral("boxHeight"), r.height);
        put(QStringLiteral("boxDepth"), r.depth);
        showLines(m_text, r.lines);
    }

private:
    QPlainTextEdit* m_text = nullptr;
};

constexpr FormRow kGoldenRows[] = {
    {"goldenMinimalSize", "minimal size", "mm", "The smallest inner dimension of the enclosure",
     "150"},
};

class GoldenRatioPanel : public CalculatorPanel {
public:
    explicit GoldenRatioPanel(const CalculatorContext& c)
        : CalculatorPanel(c, QStringLiteral("goldenRatioPanel")) {
        QGroupBox* frame = addFrame(QStringLiteral(" Golden ratio calculation "),
                                    QStringLiteral("goldenRatioFrame"));
        addRows(frame, kGoldenRows);
        m_text = addTextBox(frame, QStringLiteral("goldenText"),
                            QStringLiteral("Enclosure proportions"), 9);
    }

    void recompute() override {
        const tools::GoldenRatioResult r =
            tools::computeGoldenRatio({in(QStringLiteral("goldenMinimalSize"))}, format());
        put(QStringLiteral("goldenMinimalSize"), r.minimalSize);
        showLines(m_text, r.lines);
    }

private:
    QPlainTextEdit* m_text = nullptr;
};

constexpr FormRow kCrossoverRows[] = {
    {"xoZ", "Z", "Ohm", "Nominal impedance of the drivers", "8"},
    {"xoFc", "fc", "Hz/", "Crossover frequency", "2000"},
};
constexpr FormRow kLPadRows[] = {
    {"lpadZ", "Z", "Ohm", "Nominal impedance of the driver", "8"},
    {"lpadA", "A", "dB", "Attenuation", "3"},
    {"lpadP", "P", "W", "Power into the L-pad", "50"},
};
constexpr FormRow kZobelRows[] = {
    {"zobelRe", "Re", "Ohm", "DC resistance of the voice coil", "6", FieldKind::Input, Param::Re},
    {"zobelLe", "Le", "mH", "Inductance of the voice coil", "0.8", FieldKind::Input, Param::Le},
};

constexpr EnterStep kCrossoverCycle[] = {{"xoZ", "xoFc"}, {"xoFc", "xoZ"}};
constexpr EnterStep kLPadCycle[] = {{"lpadZ", "lpadA"}, {"lpadA", "lpadP"}, {"lpadP", "lpadZ"}};
constexpr EnterStep kZobelCycle[] = {{"zobelRe", "zobelLe"}, {"zobelLe", "zobelRe"}};

// The L-pad and the Zobel network share one place below the crossovers; a label in each
// shows the other.
class LPadPanel : public CalculatorPanel {
public:
    LPadPanel(const CalculatorContext& c, std::function<void()> showZobel)
        : CalculatorPanel(c, QStringLiteral("lpadPanel")) {
        QGroupBox* frame =
            addFrame(QStringLiteral(" L-Pad (attenuation) "), QStringLiteral("lpadFrame"));
        addRows(frame, kLPadRows);
        setEnterCycle(kLPadCycle);
        m_voltage = makeLabel(QString(), QStringLiteral("lpadVoltage"),
                              QStringLiteral("Voltage across the L-pad at the power P"));
        row(QStringLiteral("lpadP")).unitBox->insertWidget(1, m_voltage);
        m_text = addTextBox(frame, QStringLiteral("lpadText"), QStringLiteral("L-pad"), 3);
        addLink(frame, QStringLiteral("Zobel Network"), QStringLiteral("lpadZobelLink"),
                QStringLiteral("Shows the Zobel network instead"), std::move(showZobel));
    }

    void recompute() override {
        const tools::LPadResult r = tools::computeLPad(
            {in(QStringLiteral("lpadZ")), in(QStringLiteral("lpadA")), in(QStringLiteral("lpadP"))},
            format());
        put(QStringLiteral("lpadZ"), r.z);
        put(QStringLiteral("lpadA"), r.a);
        put(QStringLiteral("lpadP"), r.p);
        showLabel(m_voltage, r.voltageLabel);
        showLines(m_text, r.lines);
    }

private:
    QLabel* m_voltage = nullptr;
    QPlainTextEdit* m_text = nullptr;
};

class ZobelPanel : public CalculatorPanel {
public:
    ZobelPanel(const CalculatorContext& c, std::function<void()> showLPad)
        : CalculatorPanel(c, QStringLiteral("zobelPanel")) {
        QGroupBox* frame = addFrame(QStringLiteral(" Zobel Network (impedance compensation) "),
                                    QStringLiteral("zobelFrame"));
        addRows(frame, kZobelRows);
        setEnterCycle(kZobelCycle);
        m_text = addTextBox(frame, QStringLiteral("zobelText"), QStringLiteral("Zobel network"), 2);
        addLink(frame, QStringLiteral("L-Pad"), QStringLiteral("zobelLPadLink"),
                QStringLiteral("Shows the L-pad instead"), std::move(showLPad));
    }

    void recompute() override {
        const tools::ZobelResult r =
            tools::computeZobel({in(QStringLiteral("zobelRe")), in(QStringLiteral("zobelLe"))},
                                driverValues(), format());
        put(QStringLiteral("zobelRe"), r.re);
        put(QStringLiteral("zobelLe"), r.le);
        showLines(m_text, r.lines);
    }

private:
    QPlainTextEdit* m_text = nullptr;
};

class CrossoverPanel : public CalculatorPanel {
public:
    explicit CrossoverPanel(const CalculatorContext& c)
        : CalculatorPanel(c, QStringLiteral("crossoverPanel")) {
        QGroupBox* frame =
            addFrame(QStringLiteral(" Crossovers "), QStringLiteral("crossoverFrame"));
        addRows(frame, kCrossoverRows);
        setEnterCycle(kCrossoverCycle);
        m_level = makeLabel(fromStd(tools::crossoverLevelLabel(m_levelMode)),
                            QStringLiteral("xoLevel"), QString());
        makeSwitch(m_level, QStringLiteral("Level of the branches at fc; click to toggle"), [this] {
            m_levelMode = tools::toggleCrossoverLevel(m_levelMode);
            compute();
        });
        row(QStringLiteral("xoFc")).unitBox->insertWidget(1, m_level);
        m_text = addTextBox(frame, QStringLiteral("xoText"), QStringLiteral("Crossovers"), 10);
        m_lpad = new LPadPanel(c, [this] { showZobel(true); });
        m_zobel = new ZobelPanel(c, [this] { showZobel(false); });
        layout()->addWidget(m_lpad);
        layout()->addWidget(m_zobel);
        m_zobel->hide();
    }

    void recompute() override {
        const tools::CrossoverResult r = tools::computeCrossover(
            {in(QStringLiteral("xoZ")), in(QStringLiteral("xoFc")), m_levelMode}, format());
        put(QStringLiteral("xoZ"), r.z);
        put(QStringLiteral("xoFc"), r.fc);
        showLabel(m_level, r.levelLabel);
        showLines(m_text, r.lines);
    }

private:
    void showZobel(bool zobel) {
        m_lpad->setVisible(!zobel);
        m_zobel->setVisible(zobel);
        (zobel ? m_zobel->field(QStringLiteral("zobelRe")) : m_lpad->field(QStringLiteral("lpadZ")))
            ->setFocus(Qt::TabFocusReason);
    }

    tools::CrossoverLevel m_levelMode = tools::CrossoverLevel::Minus3dB;
    ClickableLabel* m_level = nullptr;
    QPlainTextEdit* m_text = nullptr;
    CalculatorPanel* m_lpad = nullptr;
    CalculatorPanel* m_zobel = nullptr;
};

constexpr FormRow kAirCoilRows[] = {
    {"coilD", "d", "mm", "Inner diameter of the coil", "20"},
    {"coilH", "h", "mm", "Height of the coil", "23"},
    {"coilDw", "Dw", "mm", "Diameter of the wire", "0.8"},
    {"coilTurns", "turns", "", "Number of turns", "374"},
    {"coilLayers", "layers", "", "Number of layers", "0", FieldKind::Output},
    {"coilOuterD", "D", "mm", "Outer diameter of the coil", "0", FieldKind::Output},
    {"coilLength", " l", "m", "Length of the wire", "0", FieldKind::Output},
    {"coilL", "L", "mH", "Inductance", "0", FieldKind::Output},
    {"coilR", "R", "Ohm", "Resistance of the wire", "0", FieldKind::Output},
};

constexpr EnterStep kAirCoilCycle[] = {
    {"coilD", "coilH"}, {"coilH", "coilDw"}, {"coilDw", "coilTurns"}, {"coilTurns", "coilD"}};

class AirCoilPanel : public CalculatorPanel {
public:
    explicit AirCoilPanel(const CalculatorContext& c)
        : CalculatorPanel(c, QStringLiteral("airCoilPanel")) {
        QGroupBox* frame =
            addFrame(QStringLiteral(" Air coil calculation "), QStringLiteral("airCoilFrame"));
        addRows(frame, kAirCoilRows);
        setEnterCycle(kAirCoilCycle);
        m_section = addNote(QStringLiteral("coilDw"), QStringLiteral("coilSw"),
                            QStringLiteral("Cross-section of the wire"));
        m_perLayer = addNote(QStringLiteral("coilLayers"), QStringLiteral("coilTurnsPerLayer"),
                             QStringLiteral("Turns in one layer"));
        m_mass = addNote(QStringLiteral("coilLength"), QStringLiteral("coilMass"),
                         QStringLiteral("Mass of the wire"));
    }

    void recompute() override {
        const tools::AirCoilResult r =
            tools::computeAirCoil({in(QStringLiteral("coilD")), in(QStringLiteral("coilH")),
                                   in(QStringLiteral("coilDw")), in(QStringLiteral("coilTurns"))},
                                  format());
        put(QStringLiteral("coilD"), r.innerDiameter);
        put(QStringLiteral("coilH"), r.height);
        put(QStringLiteral("coilDw"), r.wireDiameter);
        put(QStringLiteral("coilTurns"), r.turns);
        showLabel(m_section, r.wireSectionLabel);
        showLabel(m_perLayer, r.turnsPerLayerLabel);
        showLabel(m_mass, r.wireMassLabel);
        showText(QStringLiteral("coilLayers"), r.layers);
        showText(QStringLiteral("coilOuterD"), r.outerDiameter);
        showText(QStringLiteral("coilLength"), r.wireLength);
        showText(QStringLiteral("coilL"), r.inductance);
        showText(QStringLiteral("coilR"), r.resistance);
    }

private:
    QLabel* addNote(const QString& after, const QString& objectName, const QString& description) {
        ClickableLabel* note = makeLabel(QString(), objectName, description);
        row(after).unitBox->insertWidget(1, note);
        return note;
    }

    QLabel* m_section = nullptr;
    QLabel* m_perLayer = nullptr;
    QLabel* m_mass = nullptr;
};

}  // namespace

CalculatorPanel* makeEnclosureResonancesPanel(const CalculatorContext& context) {
    return new EnclosureResonancesPanel(context);
}

CalculatorPanel* makeGoldenRatioPanel(const CalculatorContext& context) {
    return new GoldenRatioPanel(context);
}

CalculatorPanel* makeCrossoverPanel(const CalculatorContext& context) {
    return new CrossoverPanel(context);
}

CalculatorPanel* makeAirCoilPanel(const CalculatorContext& context) {
    return new AirCoilPanel(context);
}

}  // namespace sublumo
