#include "source_group.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "widgets/clickable_label.h"

namespace sublumo {

namespace {

constexpr std::array<DesignFieldRow, 5> kRows = {{
    {"U", "U", "Vrms", "Source voltage", "2.83", DesignFieldKind::Decimal},
    {"Pd", "Pd", "W",
     "Power dissipated by a single driver relative to its resistance Re (click to set 1 W)", "",
     DesignFieldKind::Output},
    {"Pr", "Pr", "W", "Power dissipated by series resistance Rs", "", DesignFieldKind::Output},
    {"L", "L", "dB", "Resultant acoustic pressure", "", DesignFieldKind::Output},
    {"d", "d", "m", "Microphone distance", "1", DesignFieldKind::Decimal},
}};

constexpr std::array<EnterLink, 2> kEnter = {{{"U", "d"}, {"d", "U"}}};

}  // namespace

SourceGroup::SourceGroup(PlatformServices& platform, NumberFormat format, QWidget* parent)
    : DesignGroup(QStringLiteral("sourceMic"), QStringLiteral(" Source / mic "), platform, format,
                  parent) {
    m_onOff = new QCheckBox(QStringLiteral("on/off"), this);
    m_onOff->setObjectName(QStringLiteral("sourceOn"));
    m_onOff->setToolTip(QStringLiteral("Response at given voltage level and distance"));
    m_onOff->setAccessibleName(QStringLiteral("on/off"));
    m_onOff->setAccessibleDescription(m_onOff->toolTip());
    grid()->addWidget(m_onOff, 0, 0, 1, 3);
    addRows(kRows);
    linkEnter(kEnter);
    caption("Pd")->setFocusPolicy(Qt::TabFocus);
    caption("Pd")->setCursor(Qt::PointingHandCursor);

    m_warning = new TextLabel(QStringLiteral("!"), this);
    m_warning->setObjectName(QStringLiteral("overload"));
    m_warning->setToolTip(QStringLiteral("Input level exceeds driver's Pe!"));
    m_warning->setAccessibleDescription(m_warning->toolTip());
    m_warning->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); font-weight: bold;"));
    grid()->addWidget(m_warning, 2, 3);
    m_warning->hide();

    setControlsEnabled(false, false);
    connect(m_onOff, &QCheckBox::toggled, this, [this](bool on) {
        setControlsEnabled(m_onOff->isEnabled(), on);
        if (on)
            field("U")->setFocus();
        emit switched(on);
    });
    connect(caption("Pd"), &ClickableLabel::clicked, this, &SourceGroup::oneWattRequested);
}

bool SourceGroup::isOn() const {
    return m_onOff->isChecked();
}

void SourceGroup::setControlsEnabled(bool optionsEnabled, bool sourceEnabled) {
    m_onOff->setEnabled(optionsEnabled);
    field("U")->setEnabled(sourceEnabled);
    caption("Pd")->setEnabled(sourceEnabled);
    field("d")->setEnabled(sourceEnabled);
}

void SourceGroup::display(const enclosure::SourceLevel& level) {
    setText("Pd", level.Pd);
    setText("Pr", level.Pr);
    setText("L", level.L);
    m_warning->setVisible(level.warning);
}

}  // namespace sublumo
