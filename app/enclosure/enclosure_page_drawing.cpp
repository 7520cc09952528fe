// What the Enclosure page draws and keeps: the response curves, the limit chart of the kind on
// show, and the snapshot of displayed texts a design memory stores.
#include <QLineEdit>

#include "charts/response_charts_view.h"
#include "enclosure/bandpass_box_group.h"
#include "enclosure/closed_box_group.h"
#include "enclosure/enclosure_page.h"
#include "enclosure/memory_slot_panel.h"
#include "enclosure/options_group.h"
#include "enclosure/passive_radiator_group.h"
#include "enclosure/source_group.h"
#include "enclosure/vented_box_group.h"

namespace sublumo {

namespace {

namespace enc = enclosure;
using enc::TableColumn;

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
        case BoxType::PassiveRadiator:
            d.type = memory::EnclosureType::PassiveRadiator;
            d.radiator = {textOf(*m_radiators, "Vb"), textOf(*m_radiators, "fb"),
                          textOf(*m_radiators, "fp"), textOf(*m_radiators, "Np"),
                          textOf(*m_radiators, "M+p")};
            break;
    }
    snapshot.table = m_table ? &*m_table : nullptr;
    snapshot.format = m_format;
    snapshot.limits = m_limitInputs;
    return snapshot;
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
    m_charts->setChartNote(ChartKind::Absolute,
                           QString::fromUtf8(plan.absoluteNote.data(),
                                             static_cast<qsizetype>(plan.absoluteNote.size())));
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
}  // namespace sublumo
