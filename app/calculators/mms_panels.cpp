#include "calculators/mms_panels.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "added_mass_list.h"
#include "calculators/impedance_file.h"
#include "impedance_fit.h"
#include "mms_measurement.h"
#include "widgets/clickable_label.h"

namespace sublumo {

namespace {

constexpr FormRow kAddedMassRows[] = {
    {"amFs", "fs", "Hz", "Free-air resonance frequency", "0"},
    {"amNewFs", "new fs", "Hz", "Resonance frequency with the added mass", "0"},
    {"amMadd", "Madd", "g", "Added mass", "0"},
    {"amMms", "Mms", "g", "Moving mass of the diaphragm", "0", FieldKind::Output},
};

constexpr EnterStep kAddedMassCycle[] = {
    {"amFs", "amNewFs"}, {"amNewFs", "amMadd"}, {"amMadd", "amFs"}};

constexpr FormRow kClosedBoxRows[] = {
    {"cbFs", "fs", "Hz", "Free-air resonance frequency", "0"},
    {"cbNewFs", "new fs", "Hz", "Resonance frequency in the closed box", "0"},
    {"cbVbox", "Vbox", "l", "Net volume of the test box", "0"},
    {"cbSd", "Sd", "cm^2", "Effective surface area of the diaphragm", "0"},
    {"cbVas", "Vas", "l", "Equivalent air volume of the suspension", "0", FieldKind::Output},
    {"cbMms", "Mms", "g", "Moving mass of the diaphragm", "0", FieldKind::Output},
};

constexpr FormRow kConeRows[] = {
    {"cbDo", "Do", "mm", "Outer diameter of the cone", "0"},
    {"cbDi", "Di", "mm", "Inner diameter of the cone", "0"},
    {"cbH", "h", "mm", "Height of the cone", "0"},
};

constexpr EnterStep kClosedBoxCycle[] = {
    {"cbFs", "cbNewFs"}, {"cbNewFs", "cbVbox"}, {"cbVbox", "cbSd"}, {"cbSd", "cbFs"},
    {"cbDo", "cbDi"},    {"cbDi", "cbH"},       {"cbH", "cbDo"}};

// Either Mms method reads its second measurement the same way: the fitted resonance goes into
// "new fs", and the line under the button keeps the fit's fs, Qes and residual.
class MmsMethodPanel : public CalculatorPanel {
protected:
    using CalculatorPanel::CalculatorPanel;

    void addSecondMeasurement(QGroupBox* frame, const QString& objectName, const QString& newFs,
                              const QString& description) {
        const QString lineName = objectName + QStringLiteral("Line");
        addImpedanceOpener(
            frame, QStringLiteral("Open second measurement..."), objectName, description,
            [this, lineName, newFs](const ImpedanceMeasurement& m) {
                field(newFs)->setText(fromStd(tools::showRounded(m.fit.driver.fs, 2, format())));
                findChild<QLabel*>(lineName)->setText(
                    m.fileName + QStringLiteral(": ") +
                    fromStd(tools::secondMeasurementLine(m.fit, format())));
                focusField(newFs);
            });
    }
};

class AddedMassPanel : public MmsMethodPanel {
public:
    AddedMassPanel(const CalculatorContext& c, std::function<void()> showOther)
        : MmsMethodPanel(c, QStringLiteral("addedMassPanel")) {
        QGroupBox* frame = addFrame(QStringLiteral(" Mms calculation (added-mass method) "),
                                    QStringLiteral("addedMassFrame"));
        addRows(frame, kAddedMassRows);
        setEnterCycle(kAddedMassCycle);
        m_shift = addLine(frame, QStringLiteral("amShift"), QStringLiteral("Shift in fs"));
        addSecondMeasurement(
            frame, QStringLiteral("amOpenSecond"), QStringLiteral("amNewFs"),
            QStringLiteral("Reads the impedance file measured with the added mass on the cone "
                           "and takes its fitted fs as new fs"));
        addLink(frame, QStringLiteral("Closed-box method"), QStringLiteral("amClosedBoxLink"),
                QStringLiteral("Shows the closed-box method"), std::move(showOther));
        buildList(frame);
        m_ok = makeButton(QStringLiteral("OK"), QStringLiteral("amOk"),
                          QStringLiteral("Puts Mms into the driver's Mms field"));
        row(QStringLiteral("amMms")).unitBox->addWidget(m_ok);
        connect(m_ok, &QPushButton::clicked, this,
                [this] { transfer(tools::addedMassTransfer(in(QStringLiteral("amMms")))); });
    }

    void recompute() override {
        const tools::AddedMassResult r =
            tools::computeAddedMass({in(QStringLiteral("amFs")), in(QStringLiteral("amNewFs")),
                                     in(QStringLiteral("amMadd"))},
                                    format());
        put(QStringLiteral("amFs"), r.fs);
        put(QStringLiteral("amNewFs"), r.newFs);
        put(QStringLiteral("amMadd"), r.madd);
        showLabel(m_shift, r.shiftLine);
        showText(QStringLiteral("amMms"), r.mms);
        m_add->setEnabled(r.addEnabled);
        m_ok->setEnabled(r.okEnabled);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_listView && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            removeSelected();
            return true;
        }
        return MmsMethodPanel::eventFilter(watched, event);
    }

private:
    void buildList(QGroupBox* frame) {
        m_listView = new QListWidget(this);
        m_listView->setObjectName(QStringLiteral("amList"));
        m_listView->setAccessibleName(QStringLiteral("Measurements"));
        m_listView->setAccessibleDescription(
            QStringLiteral("Added-mass measurements; selecting one puts its texts back, Delete "
                           "removes it"));
        m_listView->setFixedHeight(m_listView->fontMetrics().lineSpacing() * 4 + 8);
        m_listView->installEventFilter(this);
        // A click on the entry already current puts its texts back as well.
        auto pick = [this](int index) {
            if (index >= 0)
                selectEntry(static_cast<std::size_t>(index));
        };
        connect(m_listView, &QListWidget::currentRowChanged, this, pick);
        connect(m_listView, &QListWidget::itemClicked, this,
                [this, pick](QListWidgetItem* item) { pick(m_listView->row(item)); });
        m_add = makeButton(QStringLiteral("add"), QStringLiteral("amAdd"),
                           QStringLiteral("Adds this measurement to the list"));
        m_delete = makeButton(QStringLiteral("delete"), QStringLiteral("amDelete"),
                              QStringLiteral("Removes the selected measurement"));
        m_clear = makeButton(QStringLiteral("clear"), QStringLiteral("amClear"),
                             QStringLiteral("Removes every measurement"));
        connect(m_add, &QPushButton::clicked, this, &AddedMassPanel::addEntry);
        connect(m_delete, &QPushButton::clicked, this, &AddedMassPanel::removeSelected);
        connect(m_clear, &QPushButton::clicked, this, &AddedMassPanel::clearList);
        auto* buttons = new QHBoxLayout;
        for (QPushButton* b : {m_add, m_delete, m_clear}) buttons->addWidget(b);
        addWide(frame, m_listView);
        grid(frame)->addLayout(buttons, grid(frame)->rowCount(), 0, 1, 3);
        m_average = addLine(frame, QStringLiteral("amAverage"), QStringLiteral("Average Mms"));
        refreshList();
    }

    void addEntry() {
        m_list.add({in(QStringLiteral("amFs")), in(QStringLiteral("amNewFs")),
                    in(QStringLiteral("amMadd")), in(QStringLiteral("amMms"))});
        refreshList();
        focusField(QStringLiteral("amNewFs"));
        m_listView->scrollToBottom();
    }

    void selectEntry(std::size_t index) {
        const auto entry = m_list.select(index);
        if (!entry)
            return;
        field(QStringLiteral("amFs"))->setText(fromStd(entry->fs));
        field(QStringLiteral("amNewFs"))->setText(fromStd(entry->newFs));
        field(QStringLiteral("amMadd"))->setText(fromStd(entry->madd));
        m_delete->setEnabled(m_list.deleteEnabled());
    }

    void removeSelected() {
        m_list.removeSelected();
        refreshList();
    }

    void clearList() {
        m_list.clear();
        refreshList();
        m_ok->setEnabled(false);
    }

    // The list box, the average and the buttons as the list now stands; the selection moves
    // without putting an entry's texts back.
    void refreshList() {
        const QSignalBlocker blocker(m_listView);
        m_listView->clear();
        for (const std::string& text : m_list.itemTexts()) m_listView->addItem(fromStd(text));
        if (m_list.selected())
            m_listView->setCurrentRow(static_cast<int>(*m_list.selected()));
        showLabel(m_average, m_list.averageLine(format()));
        m_delete->setEnabled(m_list.deleteEnabled());
        m_clear->setEnabled(m_list.clearEnabled());
    }

    tools::AddedMassList m_list;
    QListWidget* m_listView = nullptr;
    QLabel* m_shift = nullptr;
    QLabel* m_average = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_ok = nullptr;
};

class ClosedBoxPanel : public MmsMethodPanel {
public:
    ClosedBoxPanel(const CalculatorContext& c, std::function<void()> showOther)
        : MmsMethodPanel(c, QStringLiteral("closedBoxPanel")) {
        QGroupBox* frame = addFrame(QStringLiteral(" Mms calculation (closed-box method) "),
                                    QStringLiteral("closedBoxFrame"));
        addRows(frame, kClosedBoxRows);
        m_shift = addLine(frame, QStringLiteral("cbShift"), QStringLiteral("Shift in fs"));
        addSecondMeasurement(
            frame, QStringLiteral("cbOpenSecond"), QStringLiteral("cbNewFs"),
            QStringLiteral("Reads the impedance file measured with the driver in the test box "
                           "and takes its fitted fs as new fs"));
        auto* cone = new QGroupBox(QStringLiteral(" Volume of cone "), this);
        cone->setObjectName(QStringLiteral("coneVolumeFrame"));
        cone->setAccessibleName(QStringLiteral("Volume of cone"));
        cone->setLayout(new QGridLayout);
        addRows(cone, kConeRows);
        m_cone = addLine(cone, QStringLiteral("cbConeVolume"), QStringLiteral("Volume of cone"));
        addWide(frame, cone);
        setEnterCycle(kClosedBoxCycle);
        addLink(frame, QStringLiteral("Added-mass method"), QStringLiteral("cbAddedMassLink"),
                QStringLiteral("Shows the added-mass method"), std::move(showOther));
        m_ok = makeButton(QStringLiteral("OK"), QStringLiteral("cbOk"),
                          QStringLiteral("Puts Sd and Mms into the driver's fields"));
        row(QStringLiteral("cbMms")).unitBox->addWidget(m_ok);
        connect(m_ok, &QPushButton::clicked, this,
                [this] { transfer(tools::closedBoxTransfer(m_result, driverValues().mode)); });
    }

    void recompute() override {
        m_result = tools::computeClosedBox(
            {in(QStringLiteral("cbFs")), in(QStringLiteral("cbNewFs")),
             in(QStringLiteral("cbVbox")), in(QStringLiteral("cbSd")), in(QStringLiteral("cbDo")),
             in(QStringLiteral("cbDi")), in(QStringLiteral("cbH"))},
            format());
        const tools::ClosedBoxResult& r = m_result;
        const std::pair<const char*, const tools::InputText*> inputs[] = {
            {"cbFs", &r.fs},        {"cbNewFs", &r.newFs},  {"cbVbox", &r.vbox},   {"cbSd", &r.sd},
            {"cbDo", &r.coneOuter}, {"cbDi", &r.coneInner}, {"cbH", &r.coneHeight}};
        for (const auto& [name, text] : inputs) put(QString::fromLatin1(name), *text);
        showLabel(m_cone, r.coneVolumeLine);
        showLabel(m_shift, r.shiftLine);
        showText(QStringLiteral("cbVas"), r.vas);
        showText(QStringLiteral("cbMms"), r.mms);
        m_ok->setEnabled(r.okEnabled);
    }

private:
    tools::ClosedBoxResult m_result;
    QLabel* m_shift = nullptr;
    QLabel* m_cone = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace

CalculatorPanel* makeAddedMassPanel(const CalculatorContext& context,
                                    std::function<void()> showOther) {
    return new AddedMassPanel(context, std::move(showOther));
}

CalculatorPanel* makeClosedBoxPanel(const CalculatorContext& context,
                                    std::function<void()> showOther) {
    return new ClosedBoxPanel(context, std::move(showOther));
}

}  // namespace sublumo
