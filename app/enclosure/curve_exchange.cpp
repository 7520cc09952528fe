#include "curve_exchange.h"

#include <QFileInfo>

#include "calculators/impedance_file.h"
#include "charts/response_charts_view.h"
#include "enclosure/enclosure_page.h"
#include "enclosure/memory_slot_panel.h"
#include "file_access.h"
#include "impedance_fit.h"
#include "platform/platform_services.h"
#include "program_info.h"

namespace sublumo {

namespace {

namespace enc = enclosure;
using database::CurveKind;
using database::NamedCurve;

constexpr char kCurrentName[] = "current design";

std::string slotName(int slot) {
    return "memory " + std::to_string(slot);
}

// The kind's own curve; the impedance carries its phase curve along.
std::optional<NamedCurve> limitCurve(enc::LimitKind kind, enc::LimitInputs inputs, double line,
                                     std::string name) {
    inputs.ventVelocityLine = line;
    const enc::LimitChart chart = enc::computeLimitChart(kind, inputs);
    if (chart.curves.empty() || chart.curves.front().value.empty())
        return std::nullopt;
    NamedCurve curve{std::move(name), chart.curves[0].frequency, chart.curves[0].value, {}};
    if (kind == enc::LimitKind::Impedance && chart.curves.size() > 1 &&
        chart.curves[1].frequency == curve.frequency)
        curve.phase = chart.curves[1].value;
    return curve;
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// A residual below this says the file is a driver's free-air impedance rather than a box's.
constexpr double kFreeAirResidual = 0.05;

// A measured impedance that follows a driver in free air is labelled so, with its fitted fs,
// so it is not taken for the designed box's impedance it is drawn beside.
QString impedanceLabel(const QString& name, const database::CurveReadResult& read,
                       NumberFormat format) {
    const tools::ImpedanceFit fit = tools::fitImpedance(impedanceCurveOf(read));
    if (!fit.fitted || fit.residual > kFreeAirResidual)
        return name;
    return name + QStringLiteral(" (free air, fs ") +
           qs(tools::showRounded(fit.driver.fs, 1, format)) + QStringLiteral(" Hz)");
}

}  // namespace

CurveExchange::CurveExchange(PlatformServices& platform, EnclosurePage& page)
    : QObject(&page), m_platform(platform), m_page(page) {
    ResponseChartsView& charts = page.charts();
    connect(&charts, &ResponseChartsView::exportRequested, this, &CurveExchange::exportCurves);
    connect(&charts, &ResponseChartsView::measurementRequested, this,
            &CurveExchange::openMeasurement);
}

ChartCurves CurveExchange::shownCurves() const {
    const ResponseChartsView& charts = m_page.charts();
    const auto kind = charts.limitKind();
    const bool absolute = charts.shownChart() == ChartKind::Absolute;
    const memory::DesignMemory& stored = m_page.memorySlots().designMemory();
    const memory::DesignSnapshot snapshot = m_page.memorySnapshot();
    const database::CurveFileHeader currentHeader{kProgramTitle,
                                                  memory::designLine(snapshot.design),
                                                  memory::conditionsLine(snapshot.conditions)};
    ChartCurves out;
    out.kind = kind == enc::LimitKind::Impedance ? CurveKind::Impedance : CurveKind::Response;
    auto add = [&](std::optional<NamedCurve> curve, database::CurveFileHeader header) {
        if (!curve)
            return;
        out.curves.push_back(std::move(*curve));
        out.headers.push_back(std::move(header));
    };

    const auto& inputs = m_page.limitInputs();
    if (kind) {
        if (inputs)
            add(limitCurve(*kind, *inputs, charts.ventVelocityLine(), kCurrentName), currentHeader);
    } else if (inputs && m_page.responseTable()) {
        const enc::Curve& grid = enc::frequencyGrid();
        const enc::Curve level = m_page.responseTable()->values(
            absolute ? enc::TableColumn::Absolute : enc::TableColumn::Relative);
        add(NamedCurve{kCurrentName,
                       {grid.begin(), grid.end()},
                       {level.begin(), level.end()},
                       enc::responsePhase(*inputs, grid)},
            currentHeader);
    }
    for (int k = 1; k <= memory::kSlotCount; ++k) {
        const memory::Slot& slot = stored.slot(k);
        if (!slot.filled)
            continue;
        const database::CurveFileHeader header{kProgramTitle, slot.design, slot.conditions};
        if (kind) {
            if (slot.limits)
                add(limitCurve(*kind, *slot.limits, charts.ventVelocityLine(), slotName(k)),
                    header);
            continue;
        }
        NamedCurve curve{slotName(k),
                         slot.curves.frequencies,
                         absolute ? slot.curves.absolute : slot.curves.relative,
                         {}};
        if (slot.limits)
            curve.phase = enc::responsePhase(*slot.limits, curve.frequency);
        add(std::move(curve), header);
    }
    return out;
}

void CurveExchange::exportCurves(bool csv) {
    const ChartCurves shown = shownCurves();
    if (shown.curves.empty()) {
        m_platform.showError(&m_page, QStringLiteral("The chart shows no design to export."));
        return;
    }
    const bool impedance = shown.kind == CurveKind::Impedance;
    const QString suffix =
        csv ? QStringLiteral("csv") : (impedance ? QStringLiteral("zma") : QStringLiteral("frd"));
    const QString filter = csv ? QStringLiteral("CSV files (*.csv)|*.csv")
                               : (impedance ? QStringLiteral("ZMA files (*.zma)|*.zma")
                                            : QStringLiteral("FRD files (*.frd)|*.frd"));
    QString proposed = m_page.designLabel();
    if (proposed.isEmpty())
        proposed = QStringLiteral("design");
    const auto chosen =
        m_platform.askSavePath(&m_page, proposed + QLatin1Char('.') + suffix, filter, suffix);
    if (!chosen)
        return;
    if (csv) {
        writeAll({chosen->toStdString()}, {database::writeCurvesCsv(shown.curves)});
        return;
    }
    const std::vector<std::string> paths =
        database::curveFilePaths(chosen->toStdString(), shown.curves);
    std::vector<std::string> files;
    for (std::size_t i = 0; i < shown.curves.size(); ++i)
        files.push_back(database::writeCurveFile(shown.curves[i], shown.headers[i], shown.kind));
    if (writeAll(paths, files) && paths.size() > 1) {
        QStringList names;
        for (const std::string& path : paths) names << QFileInfo(qs(path)).fileName();
        m_platform.showInfo(&m_page, QStringLiteral("Export"),
                            QStringLiteral("%1 files written:\n").arg(paths.size()) +
                                names.join(QLatin1Char('\n')));
    }
}

// All or nothing: a failed file takes back the files this export created before it.
bool CurveExchange::writeAll(const std::vector<std::string>& paths,
                             const std::vector<std::string>& files) {
    std::vector<std::string> created;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const bool existed = QFileInfo::exists(qs(paths[i]));
        if (const auto error = database::replaceFile(paths[i], files[i])) {
            for (const std::string& path : created) QFile::remove(qs(path));
            m_platform.showError(&m_page, qs(paths[i]) + QStringLiteral(": ") + qs(*error));
            return false;
        }
        if (!existed)
            created.push_back(paths[i]);
    }
    return true;
}

void CurveExchange::openMeasurement() {
    const QStringList paths = m_platform.askOpenPaths(
        &m_page, QStringLiteral("Open measurement"),
        QStringLiteral("Measurements (*.frd *.zma *.txt *.csv)|*.frd *.zma *.txt *.csv|"
                       "All files (*)|*"),
        false);
    if (paths.isEmpty())
        return;
    const QFileInfo file(paths.constFirst());
    const database::FileContent content = database::readWholeFile(file.filePath().toStdString());
    if (content.status != database::ReadStatus::Loaded) {
        m_platform.showError(
            &m_page, file.fileName() + QStringLiteral(": ") +
                         (content.errorText.empty() ? QStringLiteral("the file does not exist")
                                                    : qs(content.errorText)));
        return;
    }
    const database::CurveReadResult read = database::readCurveFile(content.bytes);
    if (read.points.empty()) {
        m_platform.showError(&m_page, file.fileName() + QStringLiteral(": ") + qs(read.error));
        return;
    }
    MeasurementOverlay overlay;
    overlay.name = file.completeBaseName();
    overlay.impedance = file.suffix().compare(QStringLiteral("zma"), Qt::CaseInsensitive) == 0;
    // With the impedance chart on show, a measurement in a text file is an impedance too.
    if (m_page.charts().limitKind() == enc::LimitKind::Impedance &&
        file.suffix().compare(QStringLiteral("frd"), Qt::CaseInsensitive) != 0)
        overlay.impedance = true;
    if (overlay.impedance)
        overlay.name = impedanceLabel(overlay.name, read, m_page.numberFormat());
    for (const database::CurvePoint& p : read.points) {
        overlay.frequency.push_back(p.frequency);
        overlay.value.push_back(p.value);
    }
    ResponseChartsView& charts = m_page.charts();
    // The measurement shows at once: an impedance on the impedance chart, a response on the
    // response charts.
    if (overlay.impedance)
        charts.setLimitKind(enc::LimitKind::Impedance);
    else if (charts.limitKind())
        charts.setLimitKind(std::nullopt);
    charts.addOverlay(std::move(overlay));
}

}  // namespace sublumo
