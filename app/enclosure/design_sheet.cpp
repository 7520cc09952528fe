#include "design_sheet.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <cmath>

namespace sublumo {

namespace {

constexpr double kMarginMm = 12.0;
const std::array<QColor, 3> kCurveColours = {QColor(0, 0, 200), QColor(200, 0, 0),
                                             QColor(0, 130, 0)};

struct Range {
    double low = 0;
    double high = 0;
};

Range frequencyRange(const SheetChart& chart) {
    Range r{INFINITY, -INFINITY};
    for (const SheetCurve& c : chart.curves)
        for (double f : c.frequency)
            if (f > 0) {
                r.low = std::min(r.low, f);
                r.high = std::max(r.high, f);
            }
    return r;
}

// Whole 10 dB steps around the curves.
Range levelRange(const SheetChart& chart) {
    Range r{INFINITY, -INFINITY};
    for (const SheetCurve& c : chart.curves)
        for (double v : c.value) {
            r.low = std::min(r.low, v);
            r.high = std::max(r.high, v);
        }
    r.low = std::floor(r.low / 10.0) * 10.0;
    r.high = std::max(r.low + 10.0, std::ceil(r.high / 10.0) * 10.0);
    return r;
}

// A text block; returns the height used. The font scales with the page so that a printer and
// the PDF show the same sheet.
double paintLines(QPainter& p, const QRectF& box, const QString& heading, const QStringList& lines,
                  double lineHeight) {
    QFont bold = p.font();
    bold.setBold(true);
    const QFont plain = p.font();
    p.setFont(bold);
    p.drawText(QRectF(box.left(), box.top(), box.width(), lineHeight), heading);
    p.setFont(plain);
    double y = box.top() + lineHeight * 1.2;
    // A long design line wraps within its column.
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    for (const QString& line : lines) {
        const QRectF room(box.left(), y, box.width(), box.height());
        const QRectF used = QFontMetricsF(plain, p.device()).boundingRect(room, flags, line);
        p.drawText(room, flags, line);
        y += std::max(lineHeight, used.height());
    }
    return y - box.top();
}

void paintChart(QPainter& p, const QRectF& box, const SheetChart& chart, double lineHeight) {
    const Range fr = frequencyRange(chart);
    if (!(fr.high > fr.low))
        return;
    const Range lr = levelRange(chart);
    const QRectF plot =
        box.adjusted(lineHeight * 3, lineHeight * 1.5, -lineHeight, -lineHeight * 2);
    auto x = [&](double f) {
        return plot.left() + plot.width() * std::log(f / fr.low) / std::log(fr.high / fr.low);
    };
    auto y = [&](double v) {
        return plot.bottom() - plot.height() * (v - lr.low) / (lr.high - lr.low);
    };
    p.drawText(QRectF(box.left(), box.top(), box.width(), lineHeight), chart.title);
    // The ticks' numbers alone keep the labels apart; the unit is in the title.
    const double slack = 1e-6;
    p.setPen(QPen(Qt::lightGray, 0));
    for (double f : {10.0, 20.0, 50.0, 100.0, 200.0, 500.0, 1000.0}) {
        if (f < fr.low * (1 - slack) || f > fr.high * (1 + slack))
            continue;
        p.drawLine(QPointF(x(f), plot.top()), QPointF(x(f), plot.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(x(f) - lineHeight * 2, plot.bottom(), lineHeight * 4, lineHeight),
                   Qt::AlignCenter, f >= 1000 ? QStringLiteral("1k") : QString::number(f));
        p.setPen(QPen(Qt::lightGray, 0));
    }
    for (double v = lr.low; v <= lr.high + 1e-9; v += 10.0) {
        p.drawLine(QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v)));
        p.setPen(Qt::black);
        p.drawText(QRectF(box.left(), y(v) - lineHeight / 2, lineHeight * 2.6, lineHeight),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
        p.setPen(QPen(Qt::lightGray, 0));
    }
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(plot);
    for (std::size_t c = 0; c < chart.curves.size(); ++c) {
        const SheetCurve& curve = chart.curves[c];
        QPainterPath path;
        for (std::size_t i = 0; i < curve.frequency.size(); ++i) {
            const QPointF point(x(curve.frequency[i]), y(curve.value[i]));
            i == 0 ? path.moveTo(point) : path.lineTo(point);
        }
        const QColor colour = kCurveColours[c % kCurveColours.size()];
        p.setPen(QPen(colour, lineHeight / 8));
        p.drawPath(path);
        // The legend under the chart, in the curve's colour.
        p.drawText(QRectF(plot.left() + c * plot.width() / 2, plot.bottom() + lineHeight,
                          plot.width() / 2, lineHeight),
                   QStringLiteral("— ") + curve.name);
    }
    p.setPen(Qt::black);
}

}  // namespace

QPageSize::PageSizeId sheetPageSize() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                      : QPageSize::A4;
}

void paintDesignSheet(QPainter& p, const QRectF& page, const DesignSheet& sheet) {
    // About 60 lines to the page height.
    const double line = page.height() / 62.0;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(line * 0.72)));
    p.setFont(font);
    QFont title = font;
    title.setPixelSize(static_cast<int>(line * 1.2));
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(page.left(), page.top(), page.width(), line * 1.6), sheet.title);
    p.setFont(font);

    const double top = page.top() + line * 2.2;
    const double half = page.width() / 2;
    const QRectF left(page.left(), top, half - line, page.height());
    const QRectF right(page.left() + half, top, half, page.height());
    const double driverHeight = paintLines(p, left, QStringLiteral("Driver"), sheet.driver, line);
    const double designHeight = paintLines(p, right, QStringLiteral("Design"), sheet.design, line);

    const double chartsTop = top + std::max(driverHeight, designHeight) + line;
    const double chartHeight = line * 20;
    paintChart(p, QRectF(page.left(), chartsTop, half - line / 2, chartHeight), sheet.response,
               line);
    paintChart(p, QRectF(page.left() + half + line / 2, chartsTop, half - line / 2, chartHeight),
               sheet.maximumSpl, line);
    paintLines(p, QRectF(page.left(), chartsTop + chartHeight + line, page.width(), page.height()),
               QStringLiteral("Build"), sheet.build, line);
}

QString writeDesignSheet(const DesignSheet& sheet, const QString& path) {
    // QSaveFile writes beside the target and renames over it only after commit().
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(sheetPageSize()));
        writer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                              QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(sheet.title);
        writer.setCreator(QStringLiteral("Sublumo"));
        QPainter painter(&writer);
        if (!painter.isActive())
            return QStringLiteral("The PDF could not be started.");
        paintDesignSheet(painter, QRectF(QPointF(0, 0), QSizeF(writer.width(), writer.height())),
                         sheet);
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

void printDesignSheet(const DesignSheet& sheet, QPrinter& printer) {
    QPainter painter(&printer);
    if (!painter.isActive())
        return;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    paintDesignSheet(painter, QRectF(QPointF(0, 0), page.size()), sheet);
}

}  // namespace sublumo
