#include "limit_plot.h"

namespace sublumo {

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void drawLimitCurves(LimitPlot& plot, int curve, const enclosure::LimitChart& chart) {
    plot.clearCurve(curve);
    for (std::size_t i = 0; i < chart.curves.size() && i < 2; ++i) {
        const enclosure::LimitCurve& c = chart.curves[i];
        plot.setCurvePoints(curve, i == 0 ? CurvePart::Own : CurvePart::Companion, c.secondAxis,
                            c.frequency, c.value);
    }
}

void drawLimitFrame(LimitPlot& plot, const enclosure::LimitChart& chart) {
    QString second;
    for (const enclosure::LimitCurve& c : chart.curves)
        if (c.secondAxis)
            second = qs(c.name) + QStringLiteral(" (") + qs(c.unit) + QLatin1Char(')');
    plot.setAxes(qs(chart.axis), qs(chart.axisHint), second);
    std::vector<PlotLine> lines;
    for (const enclosure::ReferenceLine& line : chart.lines)
        lines.push_back({qs(line.name), line.value});
    plot.setReferenceLines(lines);
    const QString note = qs(chart.notApplicable);
    plot.setNote(note);
    describeChart(*plot.widget(), note, qs(chart.axisHint));
}

}  // namespace sublumo
