#include "vented_box_group.h"

#include <QGridLayout>
#include <QLineEdit>
#include <array>

#include "widgets/clickable_label.h"

namespace sublumo {

namespace {

constexpr std::array<DesignFieldRow, 2> kRows = {{
    {"Vb", "Vb", "l", "Net internal volume of enclosure", "0", DesignFieldKind::Decimal},
    {"fb", "fb", "Hz", "Resonance frequency of system (click to tune at driver resonance)", "0",
     DesignFieldKind::Decimal},
}};

constexpr std::array<EnterLink, 6> kEnter = {{
    {"Vb", "fb"},
    {"fb", "Dv"},
    {"Dv", "Nv"},
    {"Nv", "Vb"},
    {"Av", "Bv"},
    {"Bv", "Nv"},
}};

}  // namespace

VentedBoxGroup::VentedBoxGroup(PlatformServices& platform, NumberFormat format, QWidget* parent,
                               QWidget* listHost)
    : VentDesignGroup(QStringLiteral("ventedBox"), platform, format, parent, listHost,
                      QStringLiteral(" Amount of fill in box "),
                      QStringLiteral("Amount of damping material inside enclosure (not reflected "
                                     "in graph)")) {
    addRows(kRows, 0);
    addVentRows(2);
    linkEnter(kEnter);
    showCubicFeetHint("Vb");
    placeFillCaption(0);
    m_autoCalculation = makeClickable(
        QStringLiteral("a-c"), QStringLiteral("autoCalculation"),
        QStringLiteral("Auto-calc (it does not give a good result with every driver)"));
    grid()->addWidget(m_autoCalculation, 1, 3);
    caption("fb")->setFocusPolicy(Qt::TabFocus);
    caption("fb")->setCursor(Qt::PointingHandCursor);
    connect(caption("fb"), &ClickableLabel::clicked, this, &VentedBoxGroup::tuneRequested);
    connect(m_autoCalculation, &ClickableLabel::clicked, this,
            &VentedBoxGroup::autoCalculationRequested);
}

enclosure::VentedBoxInputs VentedBoxGroup::inputs() const {
    enclosure::VentedBoxInputs in;
    in.Vb = text("Vb");
    in.fb = text("fb");
    in.vent = ventFieldTexts();
    in.shape = shape();
    in.endCorrection = endCorrection();
    in.fillAmount = fillAmount();
    in.readout = readout();
    return in;
}

void VentedBoxGroup::display(const enclosure::VentedBoxResult& r) {
    setText("Vb", r.Vb);
    setText("fb", r.fb);
    showVent(r.vent, r.ventTexts);
}

void VentedBoxGroup::start() {
    setInputsEnabled(true);
    field("Vb")->setFocus();
}

void VentedBoxGroup::setInputsEnabled(bool enabled) {
    for (const char* name : {"Vb", "fb"}) field(name)->setEnabled(enabled);
    caption("fb")->setEnabled(enabled);
    m_autoCalculation->setEnabled(enabled);
    setVentEnabled(enabled);
}

}  // namespace sublumo
