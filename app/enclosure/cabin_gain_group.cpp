#include "cabin_gain_group.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <array>

namespace sublumo {

namespace {

constexpr std::array<DesignFieldRow, 2> kRows = {{
    {"lmax", "lmax", "m", "The longest dimension of space (car interior)", "2.2",
     DesignFieldKind::Decimal},
    {"fcg", "fcg", "Hz", "Gain frequency", "", DesignFieldKind::Output},
}};

}  // namespace

CabinGainGroup::CabinGainGroup(PlatformServices& platform, NumberFormat format, QWidget* parent)
    : DesignGroup(QStringLiteral("cabinGain"), QStringLiteral(" Cabin gain "), platform, format,
                  parent) {
    m_onOff = new QCheckBox(QStringLiteral("on/off"), this);
    m_onOff->setObjectName(QStringLiteral("cabinGainOn"));
    m_onOff->setToolTip(QStringLiteral("Theoretical response inside closed space"));
    m_onOff->setAccessibleName(QStringLiteral("on/off"));
    m_onOff->setAccessibleDescription(m_onOff->toolTip());
    grid()->addWidget(m_onOff, 0, 0, 1, 3);
    addRows(kRows);
    // fcg shows what the start lmax gives before the option is first ticked.
    display(enclosure::computeCabinGain(text("lmax"), format));
    setOptionsEnabled(false, false);
    connect(m_onOff, &QCheckBox::toggled, this, &CabinGainGroup::edited);
}

bool CabinGainGroup::isOn() const {
    return m_onOff->isChecked();
}

void CabinGainGroup::setOptionsEnabled(bool checkBoxEnabled, bool lmaxEnabled) {
    m_onOff->setEnabled(checkBoxEnabled);
    field("lmax")->setEnabled(lmaxEnabled);
}

void CabinGainGroup::display(const std::optional<enclosure::CabinGain>& gain) {
    if (!gain)
        return;
    setText("lmax", gain->lmax);
    setText("fcg", gain->fcgText);
}

}  // namespace sublumo
