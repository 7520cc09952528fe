#include "build_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

namespace sublumo {

namespace {

namespace enc = enclosure;

constexpr std::array<DesignFieldRow, 8> kRows = {{
    {"t", "t", "mm", "Thickness of the panels", "18", DesignFieldKind::Decimal},
    {"W", "W", "", "Inner width in the proportion width : height : depth", "1",
     DesignFieldKind::Decimal},
    {"H", "H", "", "Inner height in the proportion width : height : depth", "1",
     DesignFieldKind::Decimal},
    {"D", "D", "", "Inner depth in the proportion width : height : depth", "1",
     DesignFieldKind::Decimal},
    {"Vbr", "Vbr", "l", "Volume of the bracing inside the box", "0", DesignFieldKind::Decimal},
    {"Vdr", "Vdr", "l", "Volume one driver displaces inside the box (0: estimated from Dd)", "0",
     DesignFieldKind::Decimal},
    {"vmax", "vmax", "m/s",
     "Highest peak air velocity in the vent with the design at its maximum power", "17",
     DesignFieldKind::Decimal},
    {"Bs", "Bs", "mm", "Height of a slot vent", "50", DesignFieldKind::Decimal},
}};

constexpr std::array<EnterLink, 8> kEnter = {{
    {"t", "W"},
    {"W", "H"},
    {"H", "D"},
    {"D", "Vbr"},
    {"Vbr", "Vdr"},
    {"Vdr", "vmax"},
    {"vmax", "Bs"},
    {"Bs", "t"},
}};

QPushButton* makeButton(const QString& text, const QString& name, const QString& hint,
                        QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAccessibleName(text);
    button->setAccessibleDescription(hint);
    button->setToolTip(hint);
    return button;
}

QCheckBox* makeCheck(const QString& text, const QString& name, const QString& hint,
                     QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setAccessibleName(text);
    box->setAccessibleDescription(hint);
    box->setToolTip(hint);
    return box;
}

}  // namespace

BuildPanel::BuildPanel(PlatformServices& platform, NumberFormat format, QWidget* parent)
    : DesignGroup(QStringLiteral("build"), QStringLiteral(" Build "), platform, format, parent) {
    addRows(kRows, 0);
    linkEnter(kEnter);
    buildChoices();
    m_results = new QLabel(this);
    m_results->setObjectName(QStringLiteral("buildResults"));
    m_results->setAccessibleDescription(
        QStringLiteral("Gross volume, box sizes, cut list and the vent for the air-speed limit"));
    m_results->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_results->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_results->setFocusPolicy(Qt::TabFocus);
    grid()->addWidget(m_results, 0, 4, grid()->rowCount() + 1, 1);
    buildActions();
    display({});
    setAutoFillBackground(true);
    hide();
}

void BuildPanel::buildChoices() {
    const int row = grid()->rowCount();
    m_presets = new QComboBox(this);
    m_presets->setObjectName(QStringLiteral("proportion"));
    m_presets->setAccessibleName(QStringLiteral("Proportion"));
    m_presets->setAccessibleDescription(
        QStringLiteral("Sets width : height : depth to a cube or a golden-ratio proportion"));
    m_presets->setToolTip(m_presets->accessibleDescription());
    for (const enc::ProportionPreset& preset : enc::kProportionPresets)
        m_presets->addItem(QString::fromUtf8(preset.item.data(), preset.item.size()));
    m_presets->addItem(QStringLiteral("custom"));  // sides typed by hand in no preset's ratio
    grid()->addWidget(m_presets, row, 0, 1, 4);
    connect(m_presets, &QComboBox::activated, this, &BuildPanel::choosePreset);
    for (const char* side : {"W", "H", "D"})
        connect(field(side), &QLineEdit::textChanged, this, &BuildPanel::showMatchingPreset);
    showMatchingPreset();
    m_slot = makeCheck(QStringLiteral("Slot vent"), QStringLiteral("slotVent"),
                       QStringLiteral("Propose a slot of height Bs instead of a round vent"), this);
    m_inside = makeCheck(QStringLiteral("Vents inside"), QStringLiteral("ventsInside"),
                         QStringLiteral("The vents take room inside the box"), this);
    m_inside->setChecked(true);
    grid()->addWidget(m_slot, row + 1, 0, 1, 4);
    grid()->addWidget(m_inside, row + 2, 0, 1, 4);
    for (QCheckBox* box : {m_slot, m_inside})
        connect(box, &QCheckBox::toggled, this, &DesignGroup::edited);
}

void BuildPanel::buildActions() {
    auto* row = new QHBoxLayout;
    m_useVent = makeButton(QStringLiteral("Use this vent"), QStringLiteral("useVent"),
                           QStringLiteral("Writes the proposed vent into the design"), this);
    auto* save = makeButton(QStringLiteral("Save design sheet..."), QStringLiteral("saveSheet"),
                            QStringLiteral("Writes one page with the driver, the design, the "
                                           "charts, the cut list and the vent as a PDF file"),
                            this);
    auto* print = makeButton(QStringLiteral("Print..."), QStringLiteral("printSheet"),
                             QStringLiteral("Prints the design sheet"), this);
    auto* close = makeButton(QStringLiteral("Close"), QStringLiteral("closeBuild"),
                             QStringLiteral("Back to the charts (Escape)"), this);
    for (QPushButton* b : {m_useVent, save, print, close}) row->addWidget(b);
    row->addStretch(1);
    grid()->addLayout(row, grid()->rowCount(), 0, 1, 5);
    grid()->setRowStretch(grid()->rowCount(), 1);
    connect(m_useVent, &QPushButton::clicked, this, &BuildPanel::useVentRequested);
    connect(save, &QPushButton::clicked, this, &BuildPanel::saveSheetRequested);
    connect(print, &QPushButton::clicked, this, &BuildPanel::printRequested);
    connect(close, &QPushButton::clicked, this, &BuildPanel::closeRequested);
}

void BuildPanel::showMatchingPreset() {
    const auto side = [this](const char* name) {
        return parseDecimal(text(name), format()).value_or(0);
    };
    const auto preset = enc::matchingPreset({side("W"), side("H"), side("D")});
    m_presets->setCurrentIndex(preset ? static_cast<int>(*preset) : m_presets->count() - 1);
}

void BuildPanel::choosePreset(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= enc::kProportionPresets.size())
        return;
    const enc::Proportion& p =
        enc::kProportionPresets.at(static_cast<std::size_t>(index)).proportion;
    setText("W", formatNumber(p.width, format()));
    setText("H", formatNumber(p.height, format()));
    setText("D", formatNumber(p.depth, format()));
}

enc::BuildInputs BuildPanel::inputs() const {
    enc::BuildInputs in;
    in.thickness = text("t");
    in.width = text("W");
    in.height = text("H");
    in.depth = text("D");
    in.bracing = text("Vbr");
    in.displacement = text("Vdr");
    in.ventLimit = text("vmax");
    in.slotHeight = text("Bs");
    in.slot = m_slot->isChecked();
    in.ventsInside = m_inside->isChecked();
    return in;
}

void BuildPanel::setInputs(const enc::BuildInputs& in) {
    setText("t", in.thickness);
    setText("W", in.width);
    setText("H", in.height);
    setText("D", in.depth);
    setText("Vbr", in.bracing);
    setText("Vdr", in.displacement);
    setText("vmax", in.ventLimit);
    setText("Bs", in.slotHeight);
    m_slot->setChecked(in.slot);
    m_inside->setChecked(in.ventsInside);
}

void BuildPanel::display(const enc::BuildTexts& texts) {
    m_shown = texts;
    QStringList lines;
    for (const std::string& line : enc::buildReportLines(texts, inputs()))
        lines << QString::fromStdString(line);
    m_results->setText(lines.join(QLatin1Char('\n')));
    m_results->setAccessibleName(m_results->text());
    m_useVent->setEnabled(texts.proposal.has_value());
}

void BuildPanel::followVentLine(double line) {
    if (parseDecimal(text("vmax"), format()) == m_followedLine)
        setText("vmax", formatNumber(line, format()));
    m_followedLine = line;
}

QString BuildPanel::resultText() const {
    return m_results->text();
}

void BuildPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit closeRequested();
        return;
    }
    DesignGroup::keyPressEvent(event);
}

}  // namespace sublumo
