#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QRectF;

namespace sublumo {

// One curve of a sheet chart, in Hz and dB.
struct SheetCurve {
    QString name;
    std::vector<double> frequency;
    std::vector<double> value;
};

struct SheetChart {
    QString title;
    std::vector<SheetCurve> curves;
};

// Everything the one-page design sheet shows, as texts and curves.
struct DesignSheet {
    QString title;
    QStringList driver;  // "fs: 25 Hz"
    QStringList design;  // the design's inputs and values
    QStringList build;   // volumes, sizes, cut list, vent
    SheetChart response;
    SheetChart maximumSpl;
};

// A4, or Letter where the locale measures in inches.
QPageSize::PageSizeId sheetPageSize();

// Draws the sheet into `page` (device coordinates).
void paintDesignSheet(QPainter& painter, const QRectF& page, const DesignSheet& sheet);

// Writes the sheet as a one-page PDF, all or nothing; the system's error text on failure.
QString writeDesignSheet(const DesignSheet& sheet, const QString& path);

// The same page on a printer the user has chosen.
void printDesignSheet(const DesignSheet& sheet, QPrinter& printer);

}  // namespace sublumo
