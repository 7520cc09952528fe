#include "arrangement_group.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

namespace sublumo {

namespace {

constexpr std::array<DesignFieldRow, 1> kRows = {{
    {"Nd", "Nd", "", "Number of drivers (1 to 9)", "1", DesignFieldKind::Count},
}};

constexpr std::array<const char*, enclosure::kConnectionCount> kButtonNames = {
    "series", "parallel", "serParA", "serParB"};

}  // namespace

ArrangementGroup::ArrangementGroup(PlatformServices& platform, NumberFormat format, QWidget* parent)
    : DesignGroup(QStringLiteral("numdri"), QStringLiteral("Electrical connection"), platform,
                  format, parent) {
    addRows(kRows, 0);
    m_isobaric = new QCheckBox(QStringLiteral("isobaric"), this);
    m_isobaric->setObjectName(QStringLiteral("isobaric"));
    m_isobaric->setAccessibleName(QStringLiteral("isobaric"));
    m_isobaric->setAccessibleDescription(
        QStringLiteral("Drivers mounted as isobaric pairs: half the compliance volume"));
    grid()->addWidget(m_isobaric, 0, 2, 1, 3);

    m_connectionBox = new QWidget(this);
    m_connectionBox->setObjectName(QStringLiteral("zapojeni"));
    m_connectionBox->setAccessibleName(QStringLiteral("Connection"));
    auto* column = new QVBoxLayout(m_connectionBox);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_connections = new QButtonGroup(this);
    for (int i = 0; i < enclosure::kConnectionCount; ++i) {
        auto* button = new QRadioButton(m_connectionBox);
        button->setObjectName(QLatin1String(kButtonNames[static_cast<std::size_t>(i)]));
        button->setAccessibleDescription(QStringLiteral("Wiring of the drivers"));
        m_connections->addButton(button, i);
        column->addWidget(button);
    }
    m_connections->button(0)->setChecked(true);
    grid()->addWidget(m_connectionBox, 1, 0, 1, 5);

    connect(field("Nd"), &QLineEdit::textChanged, this, &ArrangementGroup::arrangementChanged);
    connect(m_connections, &QButtonGroup::idClicked, this, &ArrangementGroup::arrangementChanged);
    connect(m_isobaric, &QCheckBox::clicked, this, &ArrangementGroup::arrangementChanged);
}

QRadioButton* ArrangementGroup::connectionButton(enclosure::Connection connection) const {
    return static_cast<QRadioButton*>(m_connections->button(static_cast<int>(connection)));
}

enclosure::ArrangementInputs ArrangementGroup::inputs(bool sourceOn) const {
    enclosure::ArrangementInputs in;
    in.countText = text("Nd");
    in.connection = static_cast<enclosure::Connection>(std::max(0, m_connections->checkedId()));
    in.isobaric = m_isobaric->isChecked();
    in.sourceOn = sourceOn;
    return in;
}

void ArrangementGroup::display(const enclosure::ArrangementView& view) {
    if (!view.countText.empty())
        setText("Nd", view.countText);
    field("Nd")->setEnabled(view.countEnabled);
    m_connectionBox->setEnabled(view.groupEnabled);
    m_isobaric->setEnabled(view.isobaricEnabled);
    for (int i = 0; i < enclosure::kConnectionCount; ++i) {
        QAbstractButton* button = m_connections->button(i);
        button->setEnabled(view.connectionEnabled[static_cast<std::size_t>(i)]);
        if (view.captions) {
            const QString caption =
                QString::fromStdString((*view.captions)[static_cast<std::size_t>(i)]);
            button->setText(caption);
            button->setAccessibleName(caption);
        }
    }
}

}  // namespace sublumo
