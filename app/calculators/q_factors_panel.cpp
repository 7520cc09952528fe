#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "calculators/calculator_panels.h"
#include "calculators/impedance_file.h"
#include "calculators/mms_panels.h"
#include "charts/fit_plot.h"
#include "impedance_fit.h"
#include "q_factors.h"
#include "widgets/clickable_label.h"

namespace sublumo {

namespace {

constexpr FormRow kRows[] = {
    {"qRe", "Re", "Ohm", "DC resistance of the voice coil", "0"},
    {"qZmax", "Zmax", "Ohm", "Impedance at the free-air resonance", "0"},
    {"qFs", "fs", "Hz", "Free-air resonance frequency", "0"},
    {"qF1", "f1", "Hz", "Frequency below fs where the impedance equals the value in the hint", "0"},
    {"qF2", "f2", "Hz", "Frequency above fs where the impedance equals the value in the hint", "0"},
    {"qQms", "Qms", "", "Mechanical Q-factor", "0", FieldKind::Output},
    {"qQes", "Qes", "", "Electrical Q-factor", "0", FieldKind::Output},
    {"qQts", "Qts", "", "Total Q-factor", "0", FieldKind::Output},
    {"qLe", "Le", "mH", "Voice-coil inductance of the fitted impedance file", "0",
     FieldKind::Output},
};

// The inputs a fit fills, in the order of the fit's texts.
constexpr const char* kFitInputs[] = {"qRe", "qZmax", "qFs", "qF1", "qF2"};

constexpr EnterStep kCycle[] = {
    {"qRe", "qZmax"}, {"qZmax", "qFs"}, {"qFs", "qF1", "qRe"}, {"qF1", "qF2"}, {"qF2", "qRe"}};

class QFactorsPanel : public CalculatorPanel {
public:
    explicit QFactorsPanel(const CalculatorContext& c)
        : CalculatorPanel(c, QStringLiteral("qFactorsPanel")) {
        QGroupBox* frame =
            addFrame(QStringLiteral(" Q-factors calculation "), QStringLiteral("qFactorsFrame"));
        addRows(frame, kRows);
        setEnterCycle(kCycle);
        m_hint = makeLabel(QString(), QStringLiteral("qHint"),
                           QStringLiteral("Where to read f1 and f2 on the impedance curve"));
        row(QStringLiteral("qRe")).unitBox->addWidget(m_hint);
        m_information = addLine(frame, QStringLiteral("qInformation"),
                                QStringLiteral("Symmetry of f1 and f2 around fs"));
        m_ok = makeButton(QStringLiteral("OK"), QStringLiteral("qOk"),
                          QStringLiteral("Puts Qms, Qes, fs and Re into the driver's fields"));
        m_ok->setEnabled(false);
        row(QStringLiteral("qQts")).unitBox->addWidget(m_ok);
        connect(m_ok, &QPushButton::clicked, this, [this] {
            transfer(m_fit ? tools::fittedTransfer(m_fit->texts)
                           : tools::qFactorsTransfer(m_result));
        });
        for (const char* name : {"qF1", "qF2"}) field(QString::fromLatin1(name))->setEnabled(false);
        m_fitLine = addImpedanceOpener(
            frame, QStringLiteral("Open impedance..."), QStringLiteral("qOpenImpedance"),
            QStringLiteral("Reads a free-air impedance file (ZMA) and fits fs, Re, Le and the "
                           "Q-factors to the whole curve"),
            [this](const ImpedanceMeasurement& m) { showFit(m); });
        m_plot = makeQCustomPlotFitPlot(this);
        QWidget* chart = m_plot->widget();
        chart->setAccessibleName(QStringLiteral("Fitted impedance"));
        chart->setAccessibleDescription(
            QStringLiteral("The measured impedance magnitude with the fitted model over it"));
        chart->setFixedHeight(150);
        chart->hide();
        addWide(frame, chart);

        m_addedMass = makeAddedMassPanel(c, [this] { showMethod(true); });
        m_closedBox = makeClosedBoxPanel(c, [this] { showMethod(false); });
        layout()->addWidget(m_addedMass);
        layout()->addWidget(m_closedBox);
        m_closedBox->hide();
    }

    void selected(bool computeNow) override {
        CalculatorPanel::selected(computeNow);
        if (m_hint->text().isEmpty())
            showLabel(m_hint, tools::kQFactorsFirstHint);
    }

    void recompute() override {
        m_result = tools::computeQFactors(
            {in(QStringLiteral("qRe")), in(QStringLiteral("qZmax")), in(QStringLiteral("qFs")),
             in(QStringLiteral("qF1")), in(QStringLiteral("qF2"))},
            format());
        const tools::QFactorsResult& r = m_result;
        put(QStringLiteral("qRe"), r.re);
        put(QStringLiteral("qZmax"), r.zmax);
        put(QStringLiteral("qFs"), r.fs);
        put(QStringLiteral("qF1"), r.f1);
        put(QStringLiteral("qF2"), r.f2);
        showLabel(m_hint, r.hint);
        field(QStringLiteral("qF1"))->setEnabled(r.f1f2Enabled);
        field(QStringLiteral("qF2"))->setEnabled(r.f1f2Enabled);
        showLabel(m_information, r.information);
        showText(QStringLiteral("qQms"), r.qms);
        showText(QStringLiteral("qQes"), r.qes);
        showText(QStringLiteral("qQts"), r.qts);
        m_ok->setEnabled(r.okEnabled);
        // The fitted values stand while the inputs are the ones the fit wrote.
        if (m_fit && m_fit->inputs != inputTexts())
            forgetFit();
        if (m_fit) {
            showText(QStringLiteral("qQms"), m_fit->texts.qms);
            showText(QStringLiteral("qQes"), m_fit->texts.qes);
            showText(QStringLiteral("qQts"), m_fit->texts.qts);
            m_ok->setEnabled(true);
        }
        showText(QStringLiteral("qLe"), m_fit ? m_fit->texts.le : std::string("0"));
    }

private:
    struct FitState {
        tools::ImpedanceFitTexts texts;
        std::vector<std::string> inputs;
    };

    std::vector<std::string> inputTexts() const {
        std::vector<std::string> texts;
        for (const char* name : kFitInputs) texts.push_back(in(QString::fromLatin1(name)));
        return texts;
    }

    // The fit fills the calculator's inputs, so its own arithmetic agrees with the fit, and
    // the free-air fs of both Mms methods.
    void showFit(const ImpedanceMeasurement& m) {
        const tools::ImpedanceFitTexts texts = tools::impedanceFitTexts(m.fit, format());
        const std::string* values[] = {&texts.re, &texts.zmax, &texts.fs, &texts.f1, &texts.f2};
        m_fit.reset();
        for (std::size_t i = 0; i < std::size(kFitInputs); ++i)
            field(QString::fromLatin1(kFitInputs[i]))->setText(fromStd(*values[i]));
        m_fit = FitState{texts, inputTexts()};
        compute();
        m_addedMass->field(QStringLiteral("amFs"))->setText(fromStd(texts.fs));
        m_closedBox->field(QStringLiteral("cbFs"))->setText(fromStd(texts.fs));
        m_fitLine->setText(m.fileName + QStringLiteral(":\n") + fromStd(texts.modelLine) +
                           QLatin1Char('\n') + fromStd(texts.residualLine));
        std::vector<double> model;
        for (double f : m.curve.frequency)
            model.push_back(std::abs(tools::modelImpedance(m.fit.driver, f)));
        m_plot->setCurves(m.curve.frequency, m.curve.magnitude, model);
        m_plot->setNote(QString());
        m_plot->widget()->show();
    }

    void forgetFit() {
        m_fit.reset();
        m_fitLine->clear();
    }

    // The link of one Mms method shows the other, with the focus on its first input.
    void showMethod(bool closedBox) {
        m_addedMass->setVisible(!closedBox);
        m_closedBox->setVisible(closedBox);
        CalculatorPanel* shown = closedBox ? m_closedBox : m_addedMass;
        QLineEdit* first =
            shown->field(closedBox ? QStringLiteral("cbFs") : QStringLiteral("amFs"));
        first->setFocus(Qt::TabFocusReason);
        if (closedBox)
            m_closedBox->compute();
    }

    tools::QFactorsResult m_result;
    std::optional<FitState> m_fit;
    QLabel* m_fitLine = nullptr;
    std::unique_ptr<FitPlot> m_plot;
    QLabel* m_hint = nullptr;
    QLabel* m_information = nullptr;
    QPushButton* m_ok = nullptr;
    CalculatorPanel* m_addedMass = nullptr;
    CalculatorPanel* m_closedBox = nullptr;
};

}  // namespace

CalculatorPanel* makeQFactorsPanel(const CalculatorContext& context) {
    return new QFactorsPanel(context);
}

}  // namespace sublumo
