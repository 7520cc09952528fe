#include "calculator_page.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "calculators/calculator_panels.h"
#include "loudspeaker/parameter_panel.h"

namespace sublumo {

namespace {

using PanelFactory = CalculatorPanel* (*)(const CalculatorContext&);

// The menus' items: the panel each shows, the field that takes the focus when it is chosen
// (where that field can take it) and whether choosing it computes the panel.
struct MenuItem {
    int menu;
    const char* text;
    const char* objectName;
    PanelFactory make;
    const char* focus;
    bool computeOnSelection;
};

constexpr MenuItem kMenuItems[] = {
    {0, "Effective surface area of diaphragm", "menuDiaphragmArea", makeDiaphragmAreaPanel, "areaD",
     false},
    {0, "TS parameters calculation", "menuQFactors", makeQFactorsPanel, "qRe", false},
    {0, "Shift of resonance frequency", "menuResonanceShift", makeResonanceShiftPanel, "shiftNewFs",
     false},
    {0, "Added resistance to VC / mass to cone", "menuAddedResistanceMass",
     makeAddedResistanceAndMassPanel, "raddRadd", false},
    {0, "VC resistance at different temperatures", "menuVoiceCoilTemperature",
     makeVoiceCoilTemperaturePanel, "tempReAtT1", true},
    {1, "Enclosure resonances", "menuEnclosureResonances", makeEnclosureResonancesPanel, "boxWidth",
     true},
    {1, "Golden ratio", "menuGoldenRatio", makeGoldenRatioPanel, "goldenMinimalSize", true},
    {1, "Crossovers", "menuCrossovers", makeCrossoverPanel, "xoZ", true},
    {1, "Air coil", "menuAirCoil", makeAirCoilPanel, "coilD", true},
    {2, "Nearfield/farfield, Cone/vent", "menuNearField", makeNearFieldPanel, "nfDd", true},
    {2, "Percentage <> decibels", "menuDistortion", makeDistortionPanel, "dbValue", true},
    {2, "Internal resistance", "menuInternalResistance", makeInternalResistancePanel, "riU1", true},
    {2, "Others", "menuFreeFall", makeFreeFallPanel, "fallValue", true},
};

constexpr const char* kMenuCaptions[CalculatorPage::kMenuCount] = {" Select from menu ", "", ""};

bool canTakeFocus(const QWidget* widget) {
    return widget != nullptr && widget->isEnabled() && widget->isVisibleTo(widget->window()) &&
           widget->focusPolicy() != Qt::NoFocus;
}

// A radio group can only lose its choice while it is not exclusive.
void clearMenu(QButtonGroup* menu) {
    if (menu->checkedButton() == nullptr)
        return;
    menu->setExclusive(false);
    menu->checkedButton()->setChecked(false);
    menu->setExclusive(true);
}

}  // namespace

int CalculatorPage::itemCount() {
    return static_cast<int>(std::size(kMenuItems));
}

CalculatorPage::CalculatorPage(PlatformServices& platform, NumberFormat format,
                               ParameterPanel& driver, QWidget* parent)
    : QWidget(parent), m_context{platform, format, driver} {
    setObjectName(QStringLiteral("advancedOptionsPage"));
    // The parameter panel's small type, as a font: a style sheet would slow down every
    // repaint of the calculator fields.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);
    auto* panels = new QWidget;
    panels->setObjectName(QStringLiteral("calculatorPanels"));
    auto* stack = new QVBoxLayout(panels);
    stack->setContentsMargins(4, kPanelTop, 4, 4);
    for (const MenuItem& spec : kMenuItems) {
        CalculatorPanel* panel = spec.make(m_context);
        panel->hide();
        stack->addWidget(panel);
        m_items.push_back({panel, nullptr, spec.menu});
    }
    stack->addStretch();
    // A tall panel (the measurement list) stays reachable on a short screen.
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("calculatorScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(panels);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(scroll, 1);
    row->addWidget(buildMenus());

    // Found once: looking them up again at every keystroke in the driver's fields cost more than
    // the rest of the keystroke's work for this page.
    for (const Item& item : m_items) {
        m_panels.push_back(item.panel);
        for (CalculatorPanel* inner : item.panel->findChildren<CalculatorPanel*>())
            m_panels.push_back(inner);
    }
    connect(&driver, &ParameterPanel::solved, this, &CalculatorPage::applyAvailability);
    applyAvailability();
    // The first calculator shows at start, chosen but not computed.
    m_items[0].button->setChecked(true);
    m_items[0].panel->show();
    m_selected = 0;
}

QWidget* CalculatorPage::buildMenus() {
    auto* column = new QWidget;
    column->setObjectName(QStringLiteral("calculatorMenus"));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 2, 4, 2);
    std::array<QVBoxLayout*, kMenuCount> boxes{};
    for (int menu = 0; menu < kMenuCount; ++menu) {
        auto* frame = new QGroupBox(QString::fromLatin1(kMenuCaptions[menu]), column);
        frame->setObjectName(QStringLiteral("calculatorMenu%1").arg(menu + 1));
        frame->setAccessibleName(menu == 0 ? QStringLiteral("Select from menu")
                                           : QStringLiteral("Calculators %1").arg(menu + 1));
        boxes[menu] = new QVBoxLayout(frame);
        boxes[menu]->setContentsMargins(6, 2, 6, 2);
        boxes[menu]->setSpacing(1);
        m_menus[menu] = new QButtonGroup(frame);
        layout->addWidget(frame);
    }
    layout->addStretch();
    for (int i = 0; i < itemCount(); ++i) {
        const MenuItem& spec = kMenuItems[i];
        auto* button = new QRadioButton(QString::fromLatin1(spec.text));
        button->setObjectName(QString::fromLatin1(spec.objectName));
        button->setAccessibleName(button->text());
        button->setAccessibleDescription(QStringLiteral("Shows this calculator"));
        boxes[spec.menu]->addWidget(button);
        m_menus[spec.menu]->addButton(button, i);
        m_items[i].button = button;
        connect(button, &QRadioButton::clicked, this, [this, i] { select(i); });
    }
    return column;
}

void CalculatorPage::select(int index) {
    const MenuItem& spec = kMenuItems[index];
    for (int menu = 0; menu < kMenuCount; ++menu)
        if (menu != spec.menu)
            clearMenu(m_menus[menu]);
    m_items[index].button->setChecked(true);
    for (int i = 0; i < itemCount(); ++i) m_items[i].panel->setVisible(i == index);
    m_selected = index;
    CalculatorPanel* panel = m_items[index].panel;
    QWidget* target = panel->findChild<QLineEdit*>(QString::fromLatin1(spec.focus));
    if (canTakeFocus(target))
        target->setFocus(Qt::TabFocusReason);
    panel->selected(spec.computeOnSelection);
}

void CalculatorPage::applyAvailability() {
    const ActionAvailability& actions = m_context.driver.actions();
    for (CalculatorPanel* panel : m_panels) panel->driverSolved(actions);
}

}  // namespace sublumo
