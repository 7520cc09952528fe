// The Enclosure page's "Build" view: the design turned into a box to cut, and its sheet.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>

#include "charts/response_charts_view.h"
#include "design_lines.h"
#include "enclosure/bandpass_box_group.h"
#include "enclosure/build_panel.h"
#include "enclosure/design_sheet.h"
#include "enclosure/enclosure_page.h"
#include "enclosure/vented_box_group.h"
#include "platform/platform_services.h"

namespace sublumo {

namespace {

namespace enc = enclosure;

// Over the charts and the groups below them, so the whole plan reads at once; from the charts'
// top edge, as the top axis label is drawn right under it.
constexpr QRect kBuildArea(148, 44, 596, 622);
constexpr QRect kBuildButton(300, 28, 64, 22);

QStringList qLines(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& line : lines) out << QString::fromStdString(line);
    return out;
}

SheetCurve sheetCurve(const enc::LimitCurve& curve) {
    return {QString::fromUtf8(curve.name.data(), static_cast<int>(curve.name.size())),
            curve.frequency, curve.value};
}

}  // namespace

void EnclosurePage::buildBuildView(PlatformServices& platform) {
    m_platform = &platform;
    m_build = new BuildPanel(platform, m_format, this);
    m_build->setGeometry(kBuildArea);
    m_buildButton = new QPushButton(QStringLiteral("Build"), this);
    m_buildButton->setObjectName(QStringLiteral("buildButton"));
    m_buildButton->setAccessibleName(QStringLiteral("Build"));
    m_buildButton->setAccessibleDescription(QStringLiteral(
        "Shows the gross volume, the box sizes, the cut list and a vent for the air-speed limit"));
    m_buildButton->setToolTip(m_buildButton->accessibleDescription());
    m_buildButton->setCheckable(true);
    m_buildButton->setGeometry(kBuildButton);
    connect(m_buildButton, &QPushButton::toggled, this, &EnclosurePage::showBuild);
    connect(m_build, &DesignGroup::edited, this, &EnclosurePage::refreshBuild);
    connect(m_build, &BuildPanel::useVentRequested, this, &EnclosurePage::useProposedVent);
    connect(m_build, &BuildPanel::saveSheetRequested, this, &EnclosurePage::saveDesignSheet);
    connect(m_build, &BuildPanel::printRequested, this, &EnclosurePage::printDesignSheet);
    connect(m_build, &BuildPanel::closeRequested, this, [this] { showBuild(false); });
    m_build->followVentLine(m_charts->ventVelocityLine());
    connect(m_charts, &ResponseChartsView::ventVelocityLineChanged, m_build,
            [this] { m_build->followVentLine(m_charts->ventVelocityLine()); });
}

void EnclosurePage::showBuild(bool shown) {
    m_buildButton->setChecked(shown);
    m_build->setVisible(shown);
    if (shown) {
        m_build->raise();
        m_buildButton->raise();  // it reaches a little into the charts
        refreshBuild();
        m_build->field("t")->setFocus();
    } else {
        m_buildButton->setFocus();
    }
}

// Only while the view is open: the vent search sweeps the circuit many times.
void EnclosurePage::refreshBuild() {
    if (!m_build || m_build->isHidden())
        return;
    m_build->display(enc::computeBuild(m_buildDesign, m_build->inputs(), m_format));
}

void EnclosurePage::useProposedVent() {
    const auto& proposal = m_build->shown().proposal;
    VentDesignGroup* group = nullptr;
    if (boxType() == BoxType::Vented)
        group = m_vented;
    if (boxType() == BoxType::Bandpass)
        group = m_bandpass;
    if (!proposal || !group)
        return;
    const enc::VentGeometry& vent = proposal->geometry;
    for (int i = 0; i < 3 && group->shape() != vent.shape; ++i) group->cycleShape();
    if (vent.shape == enc::VentShape::Round) {
        group->setText("Dv", formatNumber(vent.Dv, m_format));
    } else {
        group->setText("Av", formatNumber(vent.Av, m_format));
        group->setText("Bv", formatNumber(vent.Bv, m_format));
    }
}

DesignSheet EnclosurePage::designSheet() const {
    const DriverParameters& driver = m_driver();
    DesignSheet sheet;
    const QString name =
        driver.name.empty() ? QStringLiteral("unnamed") : QString::fromStdString(driver.name);
    sheet.title = name + QStringLiteral(": ") + m_types->checkedButton()->text() +
                  QStringLiteral(" box, design sheet");
    sheet.driver = qLines(enc::driverSheetLines(driver, m_format));
    const memory::DesignSnapshot snapshot = memorySnapshot();
    sheet.design = {QString::fromStdString(memory::designLine(snapshot.design)).trimmed(),
                    QString::fromStdString(memory::conditionsLine(snapshot.conditions)).trimmed()};
    const enc::BuildInputs inputs = m_build->inputs();
    sheet.build =
        qLines(enc::buildReportLines(enc::computeBuild(m_buildDesign, inputs, m_format), inputs));
    sheet.response.title = QStringLiteral("Relative response (dB over Hz)");
    if (m_table && m_table->written(enc::TableColumn::Relative)) {
        const auto& f = m_table->values(enc::TableColumn::Frequency);
        const auto& v = m_table->values(enc::TableColumn::Relative);
        sheet.response.curves.push_back(
            {QStringLiteral("Response"), {f.begin(), f.end()}, {v.begin(), v.end()}});
    }
    if (m_limitInputs) {
        const enc::LimitChart chart =
            enc::computeLimitChart(enc::LimitKind::MaximumSpl, *m_limitInputs);
        sheet.maximumSpl.title = QStringLiteral("Maximum SPL and SPL at U (dB over Hz)");
        for (const enc::LimitCurve& curve : chart.curves)
            sheet.maximumSpl.curves.push_back(sheetCurve(curve));
    }
    return sheet;
}

void EnclosurePage::saveDesignSheet() {
    QString proposed = designLabel();
    if (proposed.isEmpty())
        proposed = QStringLiteral("design");
    const auto path =
        m_platform->askSavePath(this, proposed + QStringLiteral(".pdf"),
                                QStringLiteral("PDF files (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    if (!path)
        return;
    const QString error = writeDesignSheet(designSheet(), *path);
    if (!error.isEmpty())
        m_platform->showError(this, error);
}

void EnclosurePage::printDesignSheet() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(sheetPageSize()));
    if (m_platform->askPrint(this, printer))
        sublumo::printDesignSheet(designSheet(), printer);
}

}  // namespace sublumo
