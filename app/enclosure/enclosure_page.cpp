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
#include "enclosure/source_group.h"
#include "enclosure/vented_box_group.h"
#include "program_info.h"
#include "vented_box.h"
#include "widgets/clickable_label.h"
#include "widgets/decimal_field.h"

namespace sublumo {

namespace {

namespace enc = enclosure;
using enc::TableColumn;

// Left column of groups; the charts sit to its right.
constexpr int kLeft = 3;
constexpr int kColumnWidth = 143;
constexpr int kBoxTop = 76;

// Tops of the groups below the box group, which grows from closed to bandpass.
struct TypeLayout {
    int connection;
    int options;
    int cabinGain;
};
constexpr std::array<TypeLayout, 3> kLayouts = {
    {{244, 372, 470}, {282, 410, 508}, {320, 448, 546}}};

constexpr std::array<const char*, 3> kTypeNames = {"closed", "vented", "bandpass"};
constexpr std::array<const char*, 3> kTypeCaptions = {"Closed", "Vented", "4th order Bandpass"};

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
    for (int i = 0; i < 3; ++i) {
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
    m_arrangement = new ArrangementGroup(platform, m_format, this);
    m_options = new OptionsGroup(platform, m_format, this);
    m_cabinGain = new CabinGainGroup(platform, m_format, this);
    m_linkwitz = new LinkwitzGroup(platform, m_format, this);
    m_source = new SourceGroup(platform, m_format, this);
    m_source->setGeometry(150, 372, 156, 150);

    m_memorySlotArea = new QWidget(this);
    m_memorySlotArea->setObjectName(QStringLiteral("memorySlotArea"));
    m_memorySlotArea->setGeometry(312, 372, 432, 294);
    m_memory = new MemorySlotPanel(m_charts->chart(ChartKind::Relative),
                                   m_charts->chart(ChartKind::Absolute), m_memorySlotArea,
                                   m_memorySlotArea->width() - MemorySlotPanel::kBoxLeft);
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
    m_designLabel = new QLabel(this);
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
         std::initializer_list<DesignGroup*>{m_closed, m_vented, m_bandpass, m_options, m_source,
                                             m_cabinGain, m_linkwitz, m_circuit})
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
    m_closed->setVisible(type == BoxType::Closed);
    m_vented->setVisible(type == BoxType::Vented);
    m_bandpass->setVisible(type == BoxType::Bandpass);
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
    }
    recompute();
    refreshArrangement();
}

void EnclosurePage::disablePage() {
    m_closed->setInputsEnabled(false);
    m_vented->setInputsEnabled(false);
    m_bandpass->setInputsEnabled(false);
    m_lists.hideAll();
    m_arrangement->field("Nd")->setEnabled(false);
    m_cabinGain->setOptionsEnabled(false, false);
    m_linkwitz->setCheckBoxEnabled(false);
    m_linkwitz->setFieldsEnabled(false);
    m_circuit->setInputEnabled(false);
    clearCurves({curve::kCurrentDesign, curve::kCabinGain, curve::kLinkwitzEqualiser,
                 curve::kLinkwitzResult});
    m_limitInputs.reset();
    drawCurrentLimits();
    setOptionsEnabled(false);
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
    if (m_busy || !enc::driverUsable(m_driver()))
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
    }
}

void EnclosurePage::recomputeClosed(const enc::SharedInputs& in) {
    enc::ClosedBoxInputs box = m_closed->inputs();
    box.linkwitzOn = m_linkwitz->isOn();
    box.linkwitz = linkwitzTexts();
    const enc::ClosedBoxResult r = enc::recomputeClosedBox(m_driver(), in, box, m_format);
    m_closed->display(r);
    m_limitInputs = enc::limitInputs(m_driver(), r, m_format);
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
    finish(r.shared);
}

void EnclosurePage::recomputeBandpass(const enc::SharedInputs& in) {
    const enc::BandpassBoxResult r =
        enc::recomputeBandpassBox(m_driver(), in, m_bandpass->inputs(), m_format);
    m_bandpass->display(r);
    m_limitInputs = enc::limitInputs(m_driver(), r, m_format);
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
}

namespace {

std::string textOf(const DesignGroup& group, const char* field) {
    return group.field(field)->text().toStdString();
}

memory::VentTexts ventTexts(const VentDesignGroup& group) {
    memory::VentTexts vent;
    vent.shape = group.shape();
    vent.count = textOf(group, "Nv");
    vent.diameter = textOf(group, "Dv");
    vent.width = textOf(group, "Av");
    vent.height = textOf(group, "Bv");
    vent.length = textOf(group, "Lv");
    vent.endCorrection = group.findChild<QLineEdit*>(QStringLiteral("k"))->text().toStdString();
    vent.firstResonance = textOf(group, "1Rv");
    return vent;
}

std::string fillPercent(const VentDesignGroup& group) {
    return std::string(enc::kFillAmounts[group.fillAmount()].percent);
}

}  // namespace

memory::DesignSnapshot EnclosurePage::memorySnapshot() const {
    memory::DesignSnapshot snapshot;
    memory::ConditionTexts& c = snapshot.conditions;
    c.driverName = m_driver().name;
    c.designLabel = designLabel().toStdString();
    c.seriesResistance = textOf(*m_options, "Rs");
    c.addedMass = textOf(*m_options, "M+");
    c.voiceCoilTemperature = textOf(*m_options, "Tvc");
    c.level = textOf(*m_source, "L");
    c.distance = textOf(*m_source, "d");
    c.voltage = textOf(*m_source, "U");
    c.driverPower = textOf(*m_source, "Pd");
    c.resistorPower = textOf(*m_source, "Pr");

    memory::DesignTexts& d = snapshot.design;
    switch (boxType()) {
        case BoxType::Closed:
            d.type = memory::EnclosureType::Closed;
            d.closed = {m_closed->infinite(),      textOf(*m_closed, "Vb"),
                        textOf(*m_closed, "fill"), textOf(*m_closed, "Qtc"),
                        textOf(*m_closed, "fc"),   textOf(*m_closed, "f3"),
                        textOf(*m_closed, "peak"), textOf(*m_closed, "CaCm")};
            break;
        case BoxType::Vented:
            d.type = memory::EnclosureType::Vented;
            d.vented.volume = textOf(*m_vented, "Vb");
            d.vented.fill = fillPercent(*m_vented);
            d.vented.fb = textOf(*m_vented, "fb");
            d.vented.vent = ventTexts(*m_vented);
            break;
        case BoxType::Bandpass:
            d.type = memory::EnclosureType::Bandpass;
            d.bandpass.rearVolume = textOf(*m_bandpass, "Vr");
            d.bandpass.frontVolume = textOf(*m_bandpass, "Vf");
            d.bandpass.sealedFill = textOf(*m_bandpass, "fill");
            d.bandpass.ventedFill = fillPercent(*m_bandpass);
            d.bandpass.fb = textOf(*m_bandpass, "fb");
            d.bandpass.vent = ventTexts(*m_bandpass);
            break;
    }
    snapshot.table = m_table ? &*m_table : nullptr;
    snapshot.format = m_format;
    snapshot.limits = m_limitInputs;
    return snapshot;
}

void EnclosurePage::setOptionsEnabled(bool enabled) {
    if (enabled == m_optionsEnabled)
        return;
    m_optionsEnabled = enabled;
    emit responseOptionsEnabledChanged(enabled);
}

void EnclosurePage::drawCurves(const enc::SharedResult& shared) {
    const enc::CurvePlan& plan = shared.curves;
    const enc::Curve& grid = enc::frequencyGrid();
    struct Role {
        int curve;
        bool drawn;
        TableColumn relative;
        TableColumn absolute;
    };
    const std::array<Role, 4> roles = {{
        {curve::kCurrentDesign, plan.main, TableColumn::Relative, TableColumn::Absolute},
        {curve::kCabinGain, plan.cabinGain, TableColumn::RelativeCabinGain,
         TableColumn::AbsoluteCabinGain},
        {curve::kLinkwitzEqualiser, plan.linkwitz, TableColumn::Equaliser,
         TableColumn::EqualiserAbsolute},
        {curve::kLinkwitzResult, plan.linkwitz, TableColumn::Equalised,
         TableColumn::EqualisedAbsolute},
    }};
    for (ChartKind kind : {ChartKind::Relative, ChartKind::Absolute}) {
        const bool absolute = kind == ChartKind::Absolute;
        ResponseChart& chart = m_charts->chart(kind);
        for (const Role& role : roles) {
            if (role.drawn && (!absolute || plan.absolute))
                chart.setCurvePoints(role.curve, grid,
                                     shared.table.values(absolute ? role.absolute : role.relative));
            else
                chart.clearCurve(role.curve);
        }
    }
}

std::optional<enc::LimitChart> EnclosurePage::limitChartOf(
    const std::optional<enc::LimitInputs>& inputs) const {
    const auto kind = m_charts->limitKind();
    if (!kind || !inputs)
        return std::nullopt;
    enc::LimitInputs in = *inputs;
    in.ventVelocityLine = m_charts->ventVelocityLine();  // a line of the chart, not the design
    return enc::computeLimitChart(*kind, in);
}

// Only the chart on show is computed, and at a keystroke only the current design's curves.
void EnclosurePage::drawCurrentLimits() {
    const auto kind = m_charts->limitKind();
    if (!kind)
        return;
    LimitPlot& plot = m_charts->limitPlot();
    auto chart = limitChartOf(m_limitInputs);
    if (chart) {
        drawLimitFrame(plot, *chart);
        drawLimitCurves(plot, curve::kCurrentDesign, *chart);
        m_charts->setCurrentLimitChart(std::move(chart));
        return;
    }
    m_charts->setCurrentLimitChart(std::nullopt);
    // No design yet: the kind's axes alone.
    enc::LimitChart empty = enc::computeLimitChart(*kind, enc::LimitInputs{});
    empty.curves.clear();
    empty.lines.clear();
    empty.notApplicable = {};
    drawLimitFrame(plot, empty);
    plot.clearCurve(curve::kCurrentDesign);
}

void EnclosurePage::drawSlotLimits(int slot) {
    if (!m_charts->limitKind())
        return;
    const memory::Slot& stored = m_memory->designMemory().slot(slot);
    const auto chart = stored.filled ? limitChartOf(stored.limits) : std::nullopt;
    if (chart)
        drawLimitCurves(m_charts->limitPlot(), slot, *chart);
    else
        m_charts->limitPlot().clearCurve(slot);
}

void EnclosurePage::drawAllLimits() {
    drawCurrentLimits();
    for (int slot = 1; slot <= memory::kSlotCount; ++slot) drawSlotLimits(slot);
}

void EnclosurePage::clearCurves(std::initializer_list<int> curves) {
    for (ChartKind kind : {ChartKind::Relative, ChartKind::Absolute})
        for (int c : curves) m_charts->chart(kind).clearCurve(c);
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
