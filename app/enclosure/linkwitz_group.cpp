#include "linkwitz_group.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <array>

#include "widgets/clickable_label.h"

namespace sublumo {

namespace {

constexpr std::array<DesignFieldRow, 2> kRows = {{
    {"fp", "fc", "Hz", "New resonance frequency of system", "0", DesignFieldKind::Decimal},
    {"Qp", "Qtc", "", "New total Q-factor of system", "0.707", DesignFieldKind::Decimal},
}};

constexpr std::array<EnterLink, 2> kEnter = {{{"fp", "Qp"}, {"Qp", "fp"}}};

}  // namespace

LinkwitzGroup::LinkwitzGroup(PlatformServices& platform, NumberFormat format, QWidget* parent)
    : DesignGroup(QStringLiteral("linkwitz"), QStringLiteral(" Linkwitz transform "), platform,
                  format, parent) {
    m_onOff = new QCheckBox(QStringLiteral("on/off"), this);
    m_onOff->setObjectName(QStringLiteral("linkwitzOn"));
    m_onOff->setToolTip(QStringLiteral("Linkwitz transform equalization"));
    m_onOff->setAccessibleName(QStringLiteral("on/off"));
    m_onOff->setAccessibleDescription(m_onOff->toolTip());
    grid()->addWidget(m_onOff, 0, 0, 1, 2);
    m_circuit = makeClickable(QStringLiteral("circuit"), QStringLiteral("circuit"),
                              QStringLiteral("Show/hide circuit"));
    grid()->addWidget(m_circuit, 0, 2, 1, 2);
    addRows(kRows);
    linkEnter(kEnter);
    setCheckBoxEnabled(false);
    setFieldsEnabled(false);
    connect(m_onOff, &QCheckBox::toggled, this, &LinkwitzGroup::switched);
    connect(m_circuit, &ClickableLabel::clicked, this, &LinkwitzGroup::circuitToggled);
}

bool LinkwitzGroup::isOn() const {
    return m_onOff->isChecked();
}

void LinkwitzGroup::setCheckBoxEnabled(bool enabled) {
    m_onOff->setEnabled(enabled);
}

void LinkwitzGroup::setFieldsEnabled(bool enabled) {
    for (const char* name : {"fp", "Qp"}) field(name)->setEnabled(enabled);
    m_circuit->setEnabled(enabled);
}

}  // namespace sublumo
