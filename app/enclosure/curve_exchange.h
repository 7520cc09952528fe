#pragma once

#include <QObject>
#include <vector>

#include "curve_files.h"

namespace sublumo {

class EnclosurePage;
class PlatformServices;

// The curves of the chart on show as they leave the program, one header each (the current
// design's conditions and label, or a stored design's).
struct ChartCurves {
    database::CurveKind kind = database::CurveKind::Response;
    std::vector<database::NamedCurve> curves;
    std::vector<database::CurveFileHeader> headers;
};

// The Enclosure page's exchange with other programs: the chart's curves written as FRD, ZMA or
// CSV files, and measurements read from such files and drawn over the designs. Every dialog and
// message goes through the platform.
class CurveExchange : public QObject {
    Q_OBJECT
public:
    CurveExchange(PlatformServices& platform, EnclosurePage& page);

    // The current design and every stored one, as the chart on show draws them: the response
    // with the phase of its transfer function, or the limit kind's own curve (the impedance with
    // its phase).
    ChartCurves shownCurves() const;

    void exportCurves(bool csv);
    void openMeasurement();

private:
    bool writeAll(const std::vector<std::string>& paths, const std::vector<std::string>& files);

    PlatformServices& m_platform;
    EnclosurePage& m_page;
};

}  // namespace sublumo
