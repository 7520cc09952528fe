#include "calculators/impedance_file.h"

#include <QFileInfo>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>

#include "curve_files.h"
#include "file_access.h"
#include "platform/platform_services.h"

namespace sublumo {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

tools::ImpedanceCurve impedanceCurveOf(const database::CurveReadResult& read) {
    tools::ImpedanceCurve curve;
    for (const database::CurvePoint& p : read.points) {
        curve.frequency.push_back(p.frequency);
        curve.magnitude.push_back(p.value);
        if (read.hasPhase)
            curve.phase.push_back(*p.phase);
    }
    return curve;
}

ImpedanceMeasurement measureImpedanceFile(const QString& path) {
    const QFileInfo file(path);
    ImpedanceMeasurement m;
    m.fileName = file.fileName();
    // A measurement of one driver is a few hundred kilobytes; anything far larger is the
    // wrong file, and reading it would only keep the user waiting.
    if (file.size() > static_cast<qint64>(tools::kMaxImpedanceFileBytes)) {
        m.error = QStringLiteral("the file is larger than %1 MB")
                      .arg(tools::kMaxImpedanceFileBytes / (1024 * 1024));
        return m;
    }
    const database::FileContent content = database::readWholeFile(path.toStdString());
    if (content.status != database::ReadStatus::Loaded) {
        m.error = content.errorText.empty() ? QStringLiteral("the file does not exist")
                                            : fromUtf8(content.errorText);
        return m;
    }
    const database::CurveReadResult read = database::readCurveFile(content.bytes);
    if (read.points.empty()) {
        m.error = fromUtf8(read.error);
        return m;
    }
    m.curve = impedanceCurveOf(read);
    m.fit = tools::fitImpedance(m.curve);
    if (!m.fit.fitted)
        m.error = fromUtf8(m.fit.refusal);
    return m;
}

ImpedanceFitRunner::ImpedanceFitRunner(PlatformServices& platform, QWidget* owner,
                                       QString dialogTitle)
    : QObject(owner), m_platform(platform), m_owner(owner), m_title(std::move(dialogTitle)) {
    connect(&m_watcher, &QFutureWatcher<ImpedanceMeasurement>::finished, this,
            &ImpedanceFitRunner::finished);
}

void ImpedanceFitRunner::open() {
    if (busy())
        return;
    const QStringList paths = m_platform.askOpenPaths(
        m_owner, m_title,
        QStringLiteral("Impedance measurements (*.zma *.txt *.csv)|*.zma *.txt *.csv|"
                       "All files (*)|*"),
        false);
    if (paths.isEmpty())
        return;
    const QString path = paths.constFirst();
    m_fileName = QFileInfo(path).fileName();
    emit busyChanged(true, m_fileName);
    m_watcher.setFuture(QtConcurrent::run([path] { return measureImpedanceFile(path); }));
}

void ImpedanceFitRunner::finished() {
    const ImpedanceMeasurement m = m_watcher.result();
    emit busyChanged(false, m_fileName);
    if (!m.error.isEmpty()) {
        const QString message = m.fileName + QStringLiteral(": ") + m.error;
        emit refused(message);
        m_platform.showError(m_owner, message);
        return;
    }
    emit fitted(m);
}

}  // namespace sublumo
