#include "passive_radiator_group.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <array>

#include "platform/platform_services.h"
#include "radiator_store.h"
#include "widgets/clickable_label.h"

namespace sublumo {

namespace {

using Kind = DesignFieldKind;

constexpr char kAddedMassHint[] = "Mass to add to each passive radiator to tune the box to fb";

constexpr std::array<DesignFieldRow, 13> kRows = {{
    {"Vb", "Vb", "l", "Net internal volume of enclosure", "0", Kind::Decimal},
    {"fb", "fb", "Hz", "Tuning frequency of the box, set by the radiators' added mass", "0",
     Kind::Decimal},
    {"Np", "Np", "", "Number of passive radiators (1 to 9)", "1", Kind::Count},
    {"Dp", "Dp", "mm", "Effective diameter of one passive radiator", "0", Kind::Decimal},
    {"Sp", "Sp", "cm²", "Effective area of one passive radiator", "0", Kind::Decimal},
    {"Mmp", "Mmp", "g", "Moving mass of one bare passive radiator, air load included", "0",
     Kind::Decimal},
    {"Cmp", "Cmp", "mm/N", "Suspension compliance of one passive radiator", "0", Kind::Decimal},
    {"Vap", "Vap", "l", "Air volume of the same compliance as one passive radiator", "0",
     Kind::Decimal},
    {"Qmp", "Qmp", "", "Mechanical Q of one bare passive radiator", "0", Kind::Decimal},
    {"Xmaxp", "Xmaxp", "mm", "Linear one-way excursion of one passive radiator", "0",
     Kind::Decimal},
    {"M+p", "M+p", "g", kAddedMassHint, "0", Kind::Output},
    {"fp", "fp", "Hz", "Resonance of one loaded passive radiator: the notch of the response", "0",
     Kind::Output},
    {"Xp", "Xp", "mm",
     "Largest peak excursion of one passive radiator at U (rms), between 10 Hz and 1 kHz", "0",
     Kind::Output},
}};

constexpr std::array<EnterLink, 10> kEnter = {{
    {"Vb", "fb"},
    {"fb", "Np"},
    {"Np", "Dp"},
    {"Dp", "Mmp"},
    {"Sp", "Mmp"},
    {"Mmp", "Cmp"},
    {"Cmp", "Qmp"},
    {"Vap", "Qmp"},
    {"Qmp", "Xmaxp"},
    {"Xmaxp", "Vb"},
}};

constexpr std::array<const char*, 10> kInputs = {"Vb",  "fb",  "Np",  "Dp",  "Sp",
                                                 "Mmp", "Cmp", "Vap", "Qmp", "Xmaxp"};

}  // namespace

PassiveRadiatorGroup::PassiveRadiatorGroup(PlatformServices& platform, NumberFormat format,
                                           QWidget* parent)
    : DesignGroup(QStringLiteral("passiveRadiatorBox"), QStringLiteral(" Enclosure parameters "),
                  platform, format, parent) {
    addRows(kRows, 0);
    linkEnter(kEnter);
    showCubicFeetHint("Vb");
    m_autoCalculation = makeClickable(
        QStringLiteral("a-c"), QStringLiteral("autoCalculation"),
        QStringLiteral("Auto-calc (it does not give a good result with every driver)"));
    // In the unit cell of Np, which has none: a column of its own would squeeze the units.
    grid()->addWidget(m_autoCalculation, 2, 2);
    connect(m_autoCalculation, &ClickableLabel::clicked, this,
            &PassiveRadiatorGroup::autoCalculationRequested);
    follow("Dp", "Sp", m_diameterTyped);
    follow("Cmp", "Vap", m_complianceTyped);
    m_save = makeClickable(QStringLiteral("Save radiator"), QStringLiteral("saveRadiator"),
                           QStringLiteral("Keep this passive radiator's data under a name"));
    m_load = makeClickable(QStringLiteral("Load radiator"), QStringLiteral("loadRadiator"),
                           QStringLiteral("Fill in the data of a passive radiator kept before"));
    const int row = grid()->rowCount();
    grid()->addWidget(m_save, row, 0, 1, 2);
    grid()->addWidget(m_load, row + 1, 0, 1, 2);
    connect(m_save, &ClickableLabel::clicked, this, &PassiveRadiatorGroup::saveRadiator);
    connect(m_load, &ClickableLabel::clicked, this, &PassiveRadiatorGroup::loadRadiator);
}

// The settings file of the main window, which owns the page; none on a page standing alone.
QString PassiveRadiatorGroup::settingsPath() const {
    return window()->property("settingsPath").toString();
}

void PassiveRadiatorGroup::saveRadiator() {
    const QString path = settingsPath();
    if (path.isEmpty())
        return;
    database::SettingsStore store;
    store.open(path.toStdString());
    const auto name =
        platform().askText(this, QStringLiteral("Save radiator"), QStringLiteral("Name:"),
                           QString::fromStdString(database::lastRadiatorName(store)));
    if (!name || name->trimmed().isEmpty())
        return;
    database::RadiatorRecord r;
    r.name = name->trimmed().toStdString();
    r.byDiameter = m_diameterTyped;
    r.size = text(m_diameterTyped ? "Dp" : "Sp");
    r.byCompliance = m_complianceTyped;
    r.compliance = text(m_complianceTyped ? "Cmp" : "Vap");
    r.Mmp = text("Mmp");
    r.Qmp = text("Qmp");
    r.Xmaxp = text("Xmaxp");
    database::writeRadiator(store, database::storedRadiator(r));
    if (const database::FlushResult flushed = store.flush(); !flushed)
        platform().showError(this, QString::fromStdString(flushed.errorText));
}

void PassiveRadiatorGroup::loadRadiator() {
    const QString path = settingsPath();
    if (path.isEmpty())
        return;
    database::SettingsStore store;
    store.open(path.toStdString());
    const std::vector<std::string> names = database::radiatorNames(store);
    if (names.empty()) {
        platform().showInfo(this, QStringLiteral("Load radiator"),
                            QStringLiteral("No passive radiator has been saved yet."));
        return;
    }
    QStringList items;
    for (const std::string& name : names) items << QString::fromStdString(name);
    const int chosen = platform().askItem(this, QStringLiteral("Load radiator"),
                                          QStringLiteral("Radiator:"), items);
    if (chosen < 0 || chosen >= items.size())
        return;
    const auto stored = database::readRadiator(store, names[static_cast<std::size_t>(chosen)]);
    if (!stored)
        return;
    const database::RadiatorRecord r = database::displayedRadiator(*stored, format());
    // Typed as the user typed them: each field writes its change and the page recomputes.
    setText(r.byDiameter ? "Dp" : "Sp", r.size);
    setText(r.byCompliance ? "Cmp" : "Vap", r.compliance);
    setText("Mmp", r.Mmp);
    setText("Qmp", r.Qmp);
    setText("Xmaxp", r.Xmaxp);
    m_diameterTyped = r.byDiameter;
    m_complianceTyped = r.byCompliance;
    emit edited();
}

// Of two linked fields, the one last written from outside the recompute gives the other; the
// choice is made before the recompute hears of the change.
void PassiveRadiatorGroup::follow(const char* name, const char* other, bool& typedFirst) {
    for (const auto& [edit, typed] : {std::pair{field(name), true}, {field(other), false}}) {
        disconnect(edit, &QLineEdit::textChanged, this, &DesignGroup::edited);
        connect(edit, &QLineEdit::textChanged, this, [this, &typedFirst, typed = typed] {
            if (!m_writing)
                typedFirst = typed;
            emit edited();
        });
    }
}

enclosure::PassiveRadiatorInputs PassiveRadiatorGroup::inputs() const {
    enclosure::PassiveRadiatorInputs in;
    in.Vb = text("Vb");
    in.fb = text("fb");
    in.Np = text("Np");
    in.Dp = text("Dp");
    in.Sp = text("Sp");
    in.Mmp = text("Mmp");
    in.Cmp = text("Cmp");
    in.Vap = text("Vap");
    in.Qmp = text("Qmp");
    in.Xmaxp = text("Xmaxp");
    in.sizeBy = m_diameterTyped ? enclosure::RadiatorSize::Diameter : enclosure::RadiatorSize::Area;
    in.complianceBy = m_complianceTyped ? enclosure::RadiatorCompliance::Compliance
                                        : enclosure::RadiatorCompliance::AirVolume;
    return in;
}

void PassiveRadiatorGroup::display(const enclosure::PassiveRadiatorResult& r) {
    QScopedValueRollback<bool> writing(m_writing, true);
    const enclosure::PassiveRadiatorInputs& t = r.texts;
    for (const auto& [name, value] : {std::pair{"Vb", &t.Vb},
                                      {"fb", &t.fb},
                                      {"Np", &t.Np},
                                      {"Dp", &t.Dp},
                                      {"Sp", &t.Sp},
                                      {"Mmp", &t.Mmp},
                                      {"Cmp", &t.Cmp},
                                      {"Vap", &t.Vap},
                                      {"Qmp", &t.Qmp},
                                      {"Xmaxp", &t.Xmaxp}})
        setText(name, *value);
    setText("M+p", r.Mplus);
    setText("fp", r.fp);
    setText("Xp", r.Xp);
    // Too high a tuning: the hint says how high these radiators go in this box.
    QString hint = QString::fromUtf8(kAddedMassHint);
    if (!r.valid && !r.highestFb.empty())
        hint = QStringLiteral("fb is above what these radiators reach: at most %1 Hz in this box")
                   .arg(QString::fromStdString(r.highestFb));
    field("M+p")->setToolTip(hint);
    field("M+p")->setAccessibleDescription(hint);
}

namespace {

struct LeadPair {
    std::string_view key, first, second;
};
constexpr std::array<LeadPair, 2> kLeads = {
    {{"sizeLead", "Dp", "Sp"}, {"complianceLead", "Cmp", "Vap"}}};

}  // namespace

std::optional<std::string> PassiveRadiatorGroup::lead(std::string_view key) const {
    for (const auto& [name, first, second] : kLeads)
        if (name == key) {
            const bool firstLeads = name == kLeads[0].key ? m_diameterTyped : m_complianceTyped;
            return std::string(firstLeads ? first : second);
        }
    return std::nullopt;
}

bool PassiveRadiatorGroup::setLead(std::string_view key, std::string_view field) {
    for (const auto& [name, first, second] : kLeads)
        if (name == key && (field == first || field == second)) {
            (name == kLeads[0].key ? m_diameterTyped : m_complianceTyped) = field == first;
            emit edited();
            return true;
        }
    return false;
}

void PassiveRadiatorGroup::start() {
    setInputsEnabled(true);
    field("Vb")->setFocus();
}

void PassiveRadiatorGroup::setInputsEnabled(bool enabled) {
    for (const char* name : kInputs) field(name)->setEnabled(enabled);
    m_autoCalculation->setEnabled(enabled);
    m_save->setEnabled(enabled);
    m_load->setEnabled(enabled);
}

}  // namespace sublumo
