#include "bandpass_box_group.h"

#include <QGridLayout>
#include <QLineEdit>
#include <array>

#include "enclosure/option_list.h"
#include "widgets/clickable_label.h"

namespace sublumo {

namespace {

constexpr std::array<DesignFieldRow, 4> kRows = {{
    {"Vr", "Vr", "l", "Net internal volume of sealed (rear) chamber", "0", DesignFieldKind::Decimal},
    {"fill", "fill", "%", "Amount of damping material inside sealed (rear) chamber", "100",
     DesignFieldKind::Fill},
    {"Vf", "Vf", "l", "Net internal volume of vented (front) chamber", "0", DesignFieldKind::Decimal},
    {"fb", "fb", "Hz", "Resonance frequency of system", "0", DesignFieldKind::Decimal},
}};

// Vf goes on to fb while it is typed by the user, else to Dv.
constexpr std::array<EnterLink, 8> kEnter = {{
    {"Vr", "fill"},
    {"fill", "Vf"},
    {"Vf", "fb", "Dv"},
    {"fb", "Dv"},
    {"Dv", "Nv"},
    {"Nv", "Vr"},
    {"Av", "Bv"},
    {"Bv", "Nv"},
}};

std::vector<std::string_view> alignmentItems() {
    std::vector<std::string_view> items;
    for (const auto& a : enclosure::kBandpassAlignments) items.push_back(a.item);
    return items;
}

}  // namespace

BandpassBoxGroup::BandpassBoxGroup(PlatformServices& platform, NumberFormat format, QWidget* parent,
                                   QWidget* listHost)
    : VentDesignGroup(QStringLiteral("bandpassBox"), platform, format, parent, listHost,
                      QStringLiteral(" Amount of fill in front chamber Vf "),
                      QStringLiteral("Amount of damping material inside front chamber Vf (not "
                                     "reflected in graph)")) {
    addRows(kRows, 0);
    addVentRows(4);
    linkEnter(kEnter);
    showCubicFeetHint("Vr");
    showCubicFeetHint("Vf");
    placeFillCaption(2);
    m_autoCalculation = makeClickable(
        QStringLiteral("a-c"), QStringLiteral("autoCalculation"),
        QStringLiteral("Auto-calc (it does not give a good result with every driver)"));
    grid()->addWidget(m_autoCalculation, 0, 3);
    m_autoTuningCaption = makeClickable(QStringLiteral("off"), QStringLiteral("autoTuning"),
                                        QStringLiteral("Auto-tuning on/off"));
    grid()->addWidget(m_autoTuningCaption, 3, 3);
    m_alignments = new OptionList(QStringLiteral("bandpassAlignments"),
                                  QStringLiteral(" Type of response "), alignmentItems(), listHost);
    field("fb")->setEnabled(false);
    connect(m_autoCalculation, &ClickableLabel::clicked, this,
            &BandpassBoxGroup::alignmentListToggled);
    connect(m_autoTuningCaption, &ClickableLabel::clicked, this,
            &BandpassBoxGroup::toggleAutoTuning);
}

enclosure::BandpassBoxInputs BandpassBoxGroup::inputs() const {
    enclosure::BandpassBoxInputs in;
    in.Vr = text("Vr");
    in.fill = text("fill");
    in.Vf = text("Vf");
    in.fb = text("fb");
    in.autoTuning = m_autoTuning;
    in.vent = ventFieldTexts();
    in.shape = shape();
    in.endCorrection = endCorrection();
    in.frontFill = fillAmount();
    in.readout = readout();
    return in;
}

void BandpassBoxGroup::display(const enclosure::BandpassBoxResult& r) {
    setText("Vr", r.Vr);
    setText("fill", r.fill);
    setText("Vf", r.Vf);
    setText("fb", r.fb);
    showVent(r.vent, r.ventTexts);
    for (int i = 0; i < m_alignments->count(); ++i)
        m_alignments->setItemEnabled(i, r.alignmentEnabled[static_cast<std::size_t>(i)]);
}

void BandpassBoxGroup::toggleAutoTuning() {
    m_autoTuning = !m_autoTuning;
    const QString text = m_autoTuning ? QStringLiteral("off") : QStringLiteral("on");
    m_autoTuningCaption->setText(text);
    field("fb")->setEnabled(m_enabled && !m_autoTuning);
    emit edited();
    if (field("fb")->isEnabled())
        field("fb")->setFocus();
}

void BandpassBoxGroup::start() {
    setInputsEnabled(true);
    field("Vr")->setFocus();
}

void BandpassBoxGroup::setInputsEnabled(bool enabled) {
    m_enabled = enabled;
    for (const char* name : {"Vr", "fill", "Vf"}) field(name)->setEnabled(enabled);
    field("fb")->setEnabled(enabled && !m_autoTuning);
    m_autoCalculation->setEnabled(enabled);
    m_autoTuningCaption->setEnabled(enabled);
    setVentEnabled(enabled);
}

}  // namespace sublumo
