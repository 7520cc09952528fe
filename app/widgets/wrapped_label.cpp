#include "wrapped_label.h"

#include <QEvent>
#include <QFontMetrics>

namespace sublumo {

namespace {

// Breaks at blanks only, so that "Ca/Cm" or a model number stays whole; a word wider than the
// whole width is cut where the line is full. The blank at a break is dropped.
QString wrapped(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    const QStringList words = text.split(QLatin1Char(' '));
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString candidate = i == 0 ? words[i] : line + QLatin1Char(' ') + words[i];
        if (metrics.horizontalAdvance(candidate) <= width) {
            line = candidate;
            continue;
        }
        if (!line.isEmpty())
            lines << line;
        line = words[i];
        while (line.size() > 1 && metrics.horizontalAdvance(line) > width) {
            qsizetype fits = line.size() - 1;
            while (fits > 1 && metrics.horizontalAdvance(line.left(fits)) > width) --fits;
            lines << line.left(fits);
            line = line.mid(fits);
        }
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

WrappedLabel::WrappedLabel(const QString& text, QWidget* parent)
    : TextLabel(QString(), parent), m_fullText(text) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The width comes from the layout, the height from the lines the text needs there.
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    rewrap();
}

void WrappedLabel::setFullText(const QString& text) {
    m_fullText = text;
    rewrap();
}

void WrappedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    rewrap();
}

void WrappedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        rewrap();
}

int WrappedLabel::heightForWidth(int width) const {
    const QString lines = linesAt(width - (this->width() - contentsRect().width()));
    const int frame = height() - contentsRect().height();
    return frame +
           static_cast<int>(lines.count(QLatin1Char('\n')) + 1) * fontMetrics().lineSpacing();
}

QString WrappedLabel::linesAt(int textWidth) const {
    return textWidth > 0 ? wrapped(m_fullText, fontMetrics(), textWidth) : m_fullText;
}

void WrappedLabel::rewrap() {
    const QString shown = linesAt(contentsRect().width());
    if (shown != text())
        setText(shown);
}

}  // namespace sublumo
