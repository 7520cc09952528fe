#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include "impedance_fit.h"

class QWidget;

namespace sublumo {

class PlatformServices;
namespace database {
struct CurveReadResult;
}

// A measured impedance read from a file and fitted; `error` says why there is no fit.
struct ImpedanceMeasurement {
    QString fileName;
    tools::ImpedanceCurve curve;
    tools::ImpedanceFit fit;
    QString error;
};

// The points of a curve file as the fitter takes them.
tools::ImpedanceCurve impedanceCurveOf(const database::CurveReadResult& read);

// Reads and fits the file at `path`: the work of the runner's thread, here for tests to call.
ImpedanceMeasurement measureImpedanceFile(const QString& path);

// "Open impedance..." and its kin: asks the platform for a file, reads and fits it off the GUI
// thread so the window stays responsive, then hands a fit on or shows why there is none. One
// file at a time; a second request while one runs is ignored.
class ImpedanceFitRunner : public QObject {
    Q_OBJECT
public:
    ImpedanceFitRunner(PlatformServices& platform, QWidget* owner, QString dialogTitle);

    void open();
    bool busy() const { return m_watcher.isRunning(); }

signals:
    void busyChanged(bool busy, const QString& fileName);
    void fitted(const ImpedanceMeasurement& measurement);
    void refused(const QString& message);

private:
    void finished();

    PlatformServices& m_platform;
    QWidget* m_owner;
    QString m_title;
    QString m_fileName;
    QFutureWatcher<ImpedanceMeasurement> m_watcher;
};

}  // namespace sublumo
