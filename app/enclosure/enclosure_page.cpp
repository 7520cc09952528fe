#include "enclosure_page.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>
#include <array>

#include "bandpass_box.h"
#include "charts/response_charts_view.h"
#include "closed_box.h"
#include "enclosure/arrangement_group.h"
#include "enclosure/bandpass_box_group.h"
#include "enclosure/cabin_gain_group.h"
#include "enclosure/closed_box_group.h"
#include "enclosure/curve_exchange.h"
#include "enclosure/linkwitz_circuit_panel.h"
#include "enclosure/linkwitz_group.h"
#include "enclosure/memory_slot_panel.h"
#include "enclosure/options_group.h"
#include "enclosure/passive_radiator_group.h"
#include "enclosure/source_group.h"
#include "enclosure/vented_box_group.h"
#include "program_info.h"
#include "vented_box.h"
#include "widgets/clickable_label.h"
#include "widgets/decimal_field.h"

namespace sublumo {

namespace {

namespace enc = enclosure;

// Left column of groups; the charts sit to its right.
constexpr int kLeft = 3;
constexpr int kColumnWidth = 143;
constexpr int kBoxTop = 76;
constexpr int kPageMargin = 3;
// The design memory's slots, right of " Source / mic ".
constexpr int kSlotAreaLeft = 312;
constexpr int kSlotAreaTop = 372;

// Tops of the groups below the box group, which grows from closed to bandpass.
struct TypeLayout {
    int connection;
    int options;
    int cabinGain;
};
constexpr std::array<TypeLayout, 4> kLayouts = {
    {{244, 372, 470}, {282, 410, 508}, {320, 448, 546}, {340, 468, 566}}};

constexpr std::array<const char*, 4> kTypeNames = {"closed", "vented", "bandpass",
                                                   "passiveRadiator"};
constexpr std::array<const char*, 4> kTypeCaptions = {"Closed", "Vented", "4th order Bandpass",
                                                      "Passive radiator"};

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

EnclosurePage::EnclosurePage(PlatformServices& platform, NumberFormat format, DriverSource driver,
                             QWidget* parent, const ChartFactory& charts,
                             const LimitPlotFactory& limitPlot)
    : QWidget(parent), m_format(format), m_driver(std::move(driver)) {
    setObjectName(QStringLiteral("enclosurePage"));
    resize(kWidth, kHeight);
    // The page packs many groups into a narrow column beside the charts.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    m_charts = new ResponseChartsView(this, charts, limitPlot);
    m_charts->move(ResponseChartsView::kPagePosition);
    m_charts->setNumberFormat(format);
    buildTypeSwitch();
    buildGroups(platform);
    connectGroups();
    connectActions();
    applyTypeLayout();
    disablePage();
    new CurveExchange(platform, *this);
    buildBuildView(platform);
}

EnclosurePage::~EnclosurePage() = default;

void EnclosurePage::buildTypeSwitch() {
    m_typeBox = new QGroupBox(QStringLiteral(" Type of enclosure "), this);
    m_typeBox->setObjectName(QStringLiteral("typbox"));
    m_typeBox->setAccessibleName(QStringLiteral("Type of enclosure"));
    m_typeBox->setGeometry(kLeft, 2, kColumnWidth, kBoxTop - 4);
    auto* column = new QVBoxLayout(m_typeBox);
    column->setContentsMargins(6, 0, 2, 2);
    column->setSpacing(0);
    m_types = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(kTypeNames.size()); ++i) {
        auto* button =
            new QRadioButton(QLatin1String(kTypeCaptions[static_cast<std::size_t>(i)]), m_typeBox);
        button->setObjectName(QLatin1String(kTypeNames[static_cast<std::size_t>(i)]));
        button->setAccessibleDescription(QStringLiteral("Design this type of enclosure"));
        m_types->addButton(button, i);
        column->addWidget(button);
    }
    m_types->button(0)->setChecked(true);
}

void EnclosurePage::buildGroups(PlatformServices& platform) {
    m_closed = new ClosedBoxGroup(platform, m_format, this, this);
    m_vented = new VentedBoxGroup(platform, m_format, this, this);
    m_bandpass = new BandpassBoxGroup(platform, m_format, this, this);
    m_radiators = new PassiveRadiatorGroup(platform, m_format, this);
    m_arrangement = new ArrangementGroup(platform, m_format, this);
    m_options = new OptionsGroup(platform, m_format, this);
    m_cabinGain = new CabinGainGroup(platform, m_format, this);
    m_linkwitz = new LinkwitzGroup(platform, m_format, this);
    m_source = new SourceGroup(platform, m_format, this);
    m_source->setGeometry(150, 372, 156, 150);

    m_memorySlotArea = new QWidget(this);
    m_memorySlotArea->setObjectName(QStringLiteral("memorySlotArea"));
    placeMemorySlotArea();
    m_memory = new MemorySlotPanel(m_charts->chart(ChartKind::Relative),
                                   m_charts->chart(ChartKind::Absolute), m_memorySlotArea);
    auto* slotArea = new QVBoxLayout(m_memorySlotArea);
    slotArea->setContentsMargins(0, 0, 0, 0);
    slotArea->addWidget(m_memory);
    m_memory->setSnapshotProvider([this] { return memorySnapshot(); });
    connect(this, &EnclosurePage::responseOptionsEnabledChanged, m_memory,
            &MemorySlotPanel::setStoresEnabled);
    connect(m_memory, &MemorySlotPanel::slotChanged, this, &EnclosurePage::drawSlotLimits);

    m_circuit = new LinkwitzCircuitPanel(platform, m_format, this);
    m_circuit->setGeometry(312, 372, 432, 180);

    for (OptionList* list :
         {m_closed->alignments(), m_vented->endCorrections(), m_vented->fills(),
          m_bandpass->alignments(), m_bandpass->endCorrections(), m_bandpass->fills()}) {
        list->move(176, 50);
        m_lists.add(list);
    }
    m_designLabel = new TextLabel(this);
    m_designLabel->setObjectName(QStringLiteral("nazev"));
    m_designLabel->hide();
    // C2 of the circuit panel goes back to fp.
    static_cast<DecimalField*>(m_circuit->field("C2"))->setEnterTarget(m_linkwitz->field("fp"));
}

void EnclosurePage::connectGroups() {
    connect(m_types, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            onTypeChosen();
    });
    for (DesignGroup* group :
         std::initializer_list<DesignGroup*>{m_closed, m_vented, m_bandpass, m_radiators, m_options,
                                             m_source, m_cabinGain, m_linkwitz, m_circuit})
        connect(group, &DesignGroup::edited, this, &EnclosurePage::recompute);
    connect(m_arrangement, &ArrangementGroup::arrangementChanged, this,
            &EnclosurePage::refreshArrangement);
    connect(m_source, &SourceGroup::switched, this, [this](bool on) {
        m_charts->showChart(on ? ChartKind::Absolute : ChartKind::Relative);
    });
    connect(m_charts, &ResponseChartsView::chartClicked, this, &EnclosurePage::onChartClicked);
    connect(m_charts, &ResponseChartsView::limitKindChanged, this, &EnclosurePage::drawAllLimits);
    connect(m_charts, &ResponseChartsView::ventVelocityLineChanged, this,
            &EnclosurePage::drawAllLimits);
    connect(m_charts, &ResponseChartsView::chartDoubleClicked, this,
            &EnclosurePage::onChartDoubleClicked);
}

void EnclosurePage::connectActions() {
    connect(m_closed, &ClosedBoxGroup::alignmentListToggled, this,
            [this] { m_lists.toggle(m_closed->alignments()); });
    connect(m_closed->alignments(), &OptionList::chosen, this,
            &EnclosurePage::chooseClosedAlignment);
    for (VentDesignGroup* vent :
         {static_cast<VentDesignGroup*>(m_vented), static_cast<VentDesignGroup*>(m_bandpass)}) {
        connect(vent, &VentDesignGroup::endCorrectionListToggled, this,
                [this, vent] { m_lists.toggle(vent->endCorrections()); });
        connect(vent, &VentDesignGroup::fillListToggled, this,
                [this, vent] { m_lists.toggle(vent->fills()); });
    }
    connect(m_vented, &VentDesignGroup::ventEstimateRequested, this,
            [this] { estimateVent(enc::kVentedVentDivisor); });
    connect(m_bandpass, &VentDesignGroup::ventEstimateRequested, this,
            [this] { estimateVent(enc::kBandpassVentDivisor); });
    connect(m_vented, &VentedBoxGroup::tuneRequested, this, [this] {
        if (m_equivalent)
            m_vented->setText("fb", enc::tuneAtResonance(*m_equivalent, m_format));
    });
    connect(m_vented, &VentedBoxGroup::autoCalculationRequested, this,
            &EnclosurePage::runVentedAutoCalculation);
    connect(m_radiators, &PassiveRadiatorGroup::autoCalculationRequested, this,
            &EnclosurePage::runRadiatorAutoCalculation);
    connect(m_bandpass, &BandpassBoxGroup::alignmentListToggled, this,
            [this] { m_lists.toggle(m_bandpass->alignments()); });
    connect(m_bandpass->alignments(), &OptionList::chosen, this,
            &EnclosurePage::chooseBandpassAlignment);
    connect(m_source, &SourceGroup::oneWattRequested, this, &EnclosurePage::setOneWatt);
    connect(m_linkwitz, &LinkwitzGroup::switched, this, &EnclosurePage::onLinkwitzSwitched);
    connect(m_linkwitz, &LinkwitzGroup::circuitToggled, this, [this] {
        m_circuit->setVisible(!m_circuit->isVisible());
        if (m_circuit->isVisible()) {
            m_circuit->raise();
            m_circuit->field("C2")->setFocus();
        }
    });
}

void EnclosurePage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeMemorySlotArea();
}

// The slots take what the page shows right of " Source / mic " and below the charts: the tab
// frame leaves the page a little less than the window's width.
void EnclosurePage::placeMemorySlotArea() {
    const QPoint corner(kSlotAreaLeft, kSlotAreaTop);
    m_memorySlotArea->setGeometry(
        QRect(corner, QPoint(width() - 1 - kPageMargin, height() - 1 - kPageMargin)));
}

EnclosurePage::BoxType EnclosurePage::boxType() const {
    return static_cast<BoxType>(std::max(0, m_types->checkedId()));
}

void EnclosurePage::setBoxType(BoxType type) {
    m_types->button(static_cast<int>(type))->setChecked(true);
}

QString EnclosurePage::designLabel() const {
    return m_designLabel->text();
}

void EnclosurePage::applyTypeLayout() {
    const BoxType type = boxType();
    const TypeLayout& layout = kLayouts[static_cast<std::size_t>(type)];
    const int boxHeight = layout.connection - kBoxTop - 2;
    m_closed->setGeometry(kLeft, kBoxTop, kColumnWidth, boxHeight);
    m_vented->setGeometry(kLeft, kBoxTop, kColumnWidth, boxHeight);
    m_bandpass->setGeometry(kLeft, kBoxTop, kColumnWidth, boxHeight);
    m_radiators->setGeometry(kLeft, kBoxTop, kColumnWidth, boxHeight);
    m_closed->setVisible(type == BoxType::Closed);
    m_vented->setVisible(type == BoxType::Vented);
    m_bandpass->setVisible(type == BoxType::Bandpass);
    m_radiators->setVisible(type == BoxType::PassiveRadiator);
    m_arrangement->setGeometry(kLeft, layout.connection, kColumnWidth,
                               layout.options - layout.connection - 2);
    m_options->setGeometry(kLeft, layout.options, kColumnWidth,
                           layout.cabinGain - layout.options - 2);
    m_cabinGain->setGeometry(kLeft, layout.cabinGain, kColumnWidth, 72);
    m_linkwitz->setGeometry(kLeft, layout.cabinGain + 74, kColumnWidth, 90);
    m_linkwitz->setVisible(type == BoxType::Closed);
}

void EnclosurePage::onTypeChosen() {
    applyTypeLayout();
    if (boxType() != BoxType::Closed) {
        m_circuit->hide();
        clearCurves({curve::kLinkwitzEqualiser, curve::kLinkwitzResult});
    }
    startDesign();
    m_lists.hideAll();
}

void EnclosurePage::startDesign() {
    if (!enc::driverUsable(m_driver())) {
        disablePage();
        refreshArrangement();
        return;
    }
    switch (boxType()) {
        case BoxType::Closed:
            m_closed->start();
            break;
        case BoxType::Vented:
            m_vented->start();
            break;
        case BoxType::Bandpass:
            m_bandpass->start();
            break;
        case BoxType::PassiveRadiator:
            m_radiators->start();
            break;
    }
    recompute();
    refreshArrangement();
}

void EnclosurePage::disablePage() {
    m_closed->setInputsEnabled(false);
    m_vented->setInputsEnabled(false);
    m_bandpass->setInputsEnabled(false);
    m_radiators->setInputsEnabled(false);
    m_lists.hideAll();
    m_arrangement->field("Nd")->setEnabled(false);
    m_cabinGain->setOptionsEnabled(false, false);
    m_linkwitz->setCheckBoxEnabled(false);
    m_linkwitz->setFieldsEnabled(false);
    m_circuit->setInputEnabled(false);
    clearCurves({curve::kCurrentDesign, curve::kCabinGain, curve::kLinkwitzEqualiser,
                 curve::kLinkwitzResult});
    m_charts->setChartNote(ChartKind::Absolute, QString());
    m_limitInputs.reset();
    drawCurrentLimits();
    setOptionsEnabled(false);
    m_buildDesign = {};
    refreshBuild();
}

void EnclosurePage::refreshArrangement() {
    if (m_busy)
        return;
    const DriverParameters& driver = m_driver();
    const enc::ArrangementView view =
        enc::refreshArrangementView(driver, m_arrangement->inputs(m_source->isOn()), m_format);
    {
        QScopedValueRollback<bool> writing(m_busy, true);
        m_arrangement->display(view);
        m_options->setFieldsEnabled(view.optionFieldsEnabled);
        m_source->setControlsEnabled(view.optionFieldsEnabled, view.sourceFieldsEnabled);
    }
    if (enc::driverUsable(driver))
        recompute();
    if (view.designLabel)
        m_designLabel->setText(qs(*view.designLabel));
    emit windowCaptionChanged(
        qs(enc::windowCaption(kProgramTitle, driver.name, m_designLabel->text().toStdString())));
}

enc::SharedInputs EnclosurePage::sharedInputs() const {
    enc::SharedInputs in;
    in.arrangement = m_arrangement->inputs(m_source->isOn());
    in.Rs = m_options->text("Rs");
    in.Mplus = m_options->text("M+");
    in.Tvc = m_options->text("Tvc");
    in.U = m_source->text("U");
    in.d = m_source->text("d");
    in.cabinGainOn = m_cabinGain->isOn();
    in.lmax = m_cabinGain->text("lmax");
    return in;
}

enc::LinkwitzTexts EnclosurePage::linkwitzTexts() const {
    return {m_linkwitz->text("fp"), m_linkwitz->text("Qp"), m_circuit->text("C2")};
}

void EnclosurePage::recompute() {
    if (m_busy)
        return;
    emit designEdited();
    if (!enc::driverUsable(m_driver()))
        return;
    QScopedValueRollback<bool> writing(m_busy, true);
    const enc::SharedInputs in = sharedInputs();
    switch (boxType()) {
        case BoxType::Closed:
            recomputeClosed(in);
            break;
        case BoxType::Vented:
            recomputeVented(in);
            break;
        case BoxType::Bandpass:
            recomputeBandpass(in);
            break;
        case BoxType::PassiveRadiator:
            recomputeRadiators(in);
            break;
    }
}

void EnclosurePage::recomputeClosed(const enc::SharedInputs& in) {
    enc::ClosedBoxInputs box = m_closed->inputs();
    box.linkwitzOn = m_linkwitz->isOn();
    box.linkwitz = linkwitzTexts();
    const enc::ClosedBoxResult r = enc::recomputeClosedBox(m_driver(), in, box, m_format);
    m_closed->display(r);
    m_limitInputs = enc::limitInputs(m_driver(), r, m_format);
    m_buildDesign = enc::buildDesign(m_driver(), r, m_limitInputs);
    m_closedFc = r.values.fc;
    m_linkwitz->setFieldsEnabled(r.linkwitzFieldsEnabled);
    m_circuit->setInputEnabled(r.linkwitzFieldsEnabled);
    if (r.linkwitz) {
        m_linkwitz->setText("fp", r.linkwitz->inputs.fp);
        m_linkwitz->setText("Qp", r.linkwitz->inputs.Qp);
        m_circuit->display(*r.linkwitz);
    }
    finish(r.shared);
}

void EnclosurePage::recomputeVented(const enc::SharedInputs& in) {
    const enc::VentedBoxResult r =
        enc::recomputeVentedBox(m_driver(), in, m_vented->inputs(), m_format);
    m_vented->display(r);
    m_limitInputs = enc::limitInputs(m_driver(), r, m_format);
    m_buildDesign = enc::buildDesign(m_driver(), r, m_vented->inputs(), m_limitInputs);
    finish(r.shared);
}

void EnclosurePage::recomputeBandpass(const enc::SharedInputs& in) {
    const enc::BandpassBoxResult r =
        enc::recomputeBandpassBox(m_driver(), in, m_bandpass->inputs(), m_format);
    m_bandpass->display(r);
    m_limitInputs = enc::limitInputs(m_driver(), r, m_format);
    m_buildDesign = enc::buildDesign(m_driver(), r, m_bandpass->inputs(), m_limitInputs);
    finish(r.shared);
}

void EnclosurePage::recomputeRadiators(const enc::SharedInputs& in) {
    const enc::PassiveRadiatorResult r =
        enc::recomputePassiveRadiatorBox(m_driver(), in, m_radiators->inputs(), m_format);
    m_radiators->display(r);
    m_limitInputs = enc::limitInputs(m_driver(), r, m_format);
    m_buildDesign = enc::buildDesign(m_driver(), r, m_limitInputs);
    finish(r.shared);
}

void EnclosurePage::finish(const enc::SharedResult& shared) {
    m_arrangement->setText("Nd", shared.countText);
    m_options->setText("Rs", shared.Rs);
    m_options->setText("M+", shared.Mplus);
    m_options->setText("Tvc", shared.Tvc);
    m_source->setText("U", shared.U);
    m_source->setText("d", shared.d);
    m_source->display(shared.source);
    m_cabinGain->setOptionsEnabled(shared.optionsEnabled, shared.lmaxEnabled);
    m_cabinGain->display(shared.cabinGain);
    m_linkwitz->setCheckBoxEnabled(shared.optionsEnabled);
    setOptionsEnabled(shared.optionsEnabled);
    m_equivalent = shared.equivalent;
    m_arrangementInUse = shared.arrangement;
    m_table = shared.table;
    drawCurves(shared);
    drawCurrentLimits();
    refreshBuild();
}

void EnclosurePage::setOptionsEnabled(bool enabled) {
    if (enabled == m_optionsEnabled)
        return;
    m_optionsEnabled = enabled;
    emit responseOptionsEnabledChanged(enabled);
}

void EnclosurePage::onChartClicked() {
    QLineEdit* first = nullptr;
    switch (boxType()) {
        case BoxType::Closed:
            first = m_closed->field("Vb");
            break;
        case BoxType::Vented:
            first = m_vented->field("Vb");
            break;
        case BoxType::Bandpass:
            first = m_bandpass->field("Vr");
            break;
        case BoxType::PassiveRadiator:
            first = m_radiators->field("Vb");
            break;
    }
    if (first->isEnabled())
        first->setFocus();
    m_lists.hideAll();
}

void EnclosurePage::onChartDoubleClicked() {
    switch (boxType()) {
        case BoxType::Closed:
            if (m_closed->caption("Vb")->isEnabled()) {
                m_lists.hideAll();
                m_closed->alignments()->popUp();
            }
            break;
        case BoxType::Vented:
            if (m_vented->autoCalculation()->isEnabled())
                runVentedAutoCalculation();
            break;
        case BoxType::Bandpass:
            if (m_bandpass->autoCalculation()->isEnabled())
                m_lists.toggle(m_bandpass->alignments());
            break;
        case BoxType::PassiveRadiator:
            if (m_radiators->autoCalculation()->isEnabled())
                runRadiatorAutoCalculation();
            break;
    }
}

void EnclosurePage::onLinkwitzSwitched(bool on) {
    if (on) {
        const auto fp = enc::readField(m_linkwitz->text("fp"), m_format);
        if (fp && *fp == 0)
            m_linkwitz->setText("fp", enc::defaultLinkwitzFp(m_closedFc, m_format));
    } else {
        m_circuit->hide();
    }
    recompute();
    if (on && m_linkwitz->field("fp")->isEnabled())
        m_linkwitz->field("fp")->setFocus();
}

void EnclosurePage::chooseClosedAlignment(int row) {
    if (!m_equivalent)
        return;
    if (m_closed->infinite()) {
        m_closed->setInfinite(false);
        recompute();
    }
    const auto vb = enc::closedAlignmentVolume(*m_equivalent, static_cast<std::size_t>(row),
                                               m_closed->text("fill"), m_format);
    if (vb)
        m_closed->setText("Vb", *vb);
}

void EnclosurePage::chooseBandpassAlignment(int row) {
    if (!m_equivalent)
        return;
    const auto texts =
        enc::bandpassAlignment(m_driver(), m_arrangementInUse, *m_equivalent,
                               static_cast<std::size_t>(row), m_bandpass->text("fill"), m_format);
    if (!texts)
        return;
    m_bandpass->setText("Vr", texts->Vr);
    m_bandpass->setText("Vf", texts->Vf);
    m_bandpass->setText("fb", texts->fb);
    m_bandpass->setText("Dv", texts->Dv);
    m_bandpass->setText("Nv", texts->Nv);
}

void EnclosurePage::runVentedAutoCalculation() {
    if (!m_equivalent)
        return;
    const auto texts =
        enc::ventedAutoCalculation(m_driver(), m_arrangementInUse, *m_equivalent, m_format);
    if (!texts)
        return;
    m_vented->setText("Vb", texts->Vb);
    m_vented->setText("fb", texts->fb);
    m_vented->setText("Dv", texts->Dv);
    m_vented->setText("Nv", texts->Nv);
    m_vented->field("Vb")->setFocus();
}

// The vented box's proposal of volume and tuning; the radiators then take the tuning.
void EnclosurePage::runRadiatorAutoCalculation() {
    if (!m_equivalent)
        return;
    const auto texts =
        enc::ventedAutoCalculation(m_driver(), m_arrangementInUse, *m_equivalent, m_format);
    if (!texts)
        return;
    m_radiators->setText("Vb", texts->Vb);
    m_radiators->setText("fb", texts->fb);
    m_radiators->field("Vb")->setFocus();
}

void EnclosurePage::estimateVent(double divisor) {
    VentDesignGroup* group = boxType() == BoxType::Bandpass
                                 ? static_cast<VentDesignGroup*>(m_bandpass)
                                 : static_cast<VentDesignGroup*>(m_vented);
    group->setText("Dv",
                   enc::estimateVentDiameter(m_driver(), m_arrangementInUse, divisor, m_format));
    group->field("Dv")->setFocus();
    group->setText("Nv", std::string("1"));
}

void EnclosurePage::setOneWatt() {
    if (!m_equivalent)
        return;
    m_source->setText("U", enc::oneWattVoltage(*m_equivalent, m_format));
}

}  // namespace sublumo
