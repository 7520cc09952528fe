#include "decimal_field.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QVariant>

#include "platform/platform_services.h"

namespace sublumo {

namespace {

// One conversion error box at a time: while it is up, the focus moves through other fields,
// and none of them may open a second one.
bool conversionErrorShowing = false;

bool canTakeFocus(const QWidget* widget) {
    return widget != nullptr && widget->isVisibleTo(widget->window()) && widget->isEnabled() &&
           widget->focusPolicy() != Qt::NoFocus && !widget->property("readOnly").toBool();
}

// Ctrl or Ctrl+Shift with a letter is a shortcut (select all, copy, paste ...), not typing;
// Ctrl+Alt is AltGr on many keyboards and types characters.
bool isShortcut(const QKeyEvent* event) {
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return held == Qt::ControlModifier || held == Qt::MetaModifier;
}

bool isTyping(const QKeyEvent* event) {
    return !event->text().isEmpty() && event->text().front().isPrint() && !isShortcut(event);
}

}  // namespace

DecimalField::DecimalField(PlatformServices& platform, NumberFormat format, QWidget* parent)
    : QLineEdit(QStringLiteral("0"), parent), m_platform(platform), m_format(format) {
    setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    // The owner names the field after its parameter; that name is what a screen reader says
    // unless the owner gives a better one.
    connect(this, &QObject::objectNameChanged, this, [this](const QString& name) {
        if (accessibleName().isEmpty() || accessibleName() == m_autoAccessibleName)
            setAccessibleName(name);
        m_autoAccessibleName = name;
    });
}

void DecimalField::setEnterTarget(QWidget* next, QWidget* alternative) {
    m_next = next;
    m_alternative = alternative;
}

QString DecimalField::filtered(const QString& typed) const {
    QString kept;
    for (const QChar c : typed) {
        if (c.isDigit() && c.unicode() < 128)
            kept += c;
        else if (c == QLatin1Char('.') || c == QLatin1Char(','))
            kept += QLatin1Char(m_format.decimalSeparator);
        else if (c == QLatin1Char('-') && allowsMinus())
            kept += c;
    }
    return kept;
}

void DecimalField::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        step(key, event->modifiers());
        event->accept();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();  // never inserted, and no default button behind the field reacts
        emit enterPressed();
        moveOn();
        return;
    }
    if (!isTyping(event)) {
        QLineEdit::keyPressEvent(event);  // editing, navigation and shortcuts
        return;
    }
    const QString kept = filtered(event->text());
    event->accept();
    if (kept.isEmpty())
        return;
    if (kept == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The separator replaces the typed "." or ",", inserted as if that key had been pressed.
    QKeyEvent replaced(event->type(), key, event->modifiers(), kept, event->isAutoRepeat(),
                       static_cast<quint16>(event->count()));
    QLineEdit::keyPressEvent(&replaced);
}

void DecimalField::inputMethodEvent(QInputMethodEvent* event) {
    // Text composed by an input method is typing too and goes through the same filter.
    const QString kept = filtered(event->commitString());
    if (kept == event->commitString()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent replaced(event->preeditString(), event->attributes());
    replaced.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&replaced);
}

void DecimalField::step(int key, Qt::KeyboardModifiers modifiers) {
    if (isReadOnly())
        return;
    const std::optional<double> parsed = parseDecimal(text().toStdString(), m_format);
    if (!parsed)
        return;
    const double v = *parsed;
    // Plain steps land on whole numbers, Shift on tenths, Ctrl (which wins) on hundredths.
    int decimals = 0;
    if (modifiers & Qt::ControlModifier)
        decimals = 2;
    else if (modifiers & Qt::ShiftModifier)
        decimals = 1;
    const double unit = decimals == 0 ? 1.0 : decimals == 1 ? 0.1 : 0.01;
    double result = 0.0;
    if (key == Qt::Key_Up)
        result = decimals == 0 ? roundScaled(v + 1.0, 0) : roundScaled(v, decimals) + unit;
    else if (allowsMinus() || v > unit)
        result = decimals == 0 ? roundScaled(v - 1.0, 0) : roundScaled(v, decimals) - unit;
    setText(QString::fromStdString(formatNumber(result, m_format)));
}

void DecimalField::moveOn() {
    if (canTakeFocus(m_next.data()))
        m_next->setFocus(Qt::TabFocusReason);
    else if (canTakeFocus(m_alternative.data()))
        m_alternative->setFocus(Qt::TabFocusReason);
}

void DecimalField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Switching to another window or opening a menu does not leave the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    normalise();
}

void DecimalField::normalise() {
    // A field switched off or hidden while it had the focus (an option turned off, a design
    // opened) is left as it is: the message would be about a field the user cannot reach.
    if (isReadOnly() || !isEnabled() || !isVisible() || conversionErrorShowing)
        return;
    const QString current = text();
    const std::optional<double> parsed = parseDecimal(current.toStdString(), m_format);
    if (!parsed) {
        conversionErrorShowing = true;
        m_platform.showError(
            this, QStringLiteral("'%1' is not a valid floating point value").arg(current));
        conversionErrorShowing = false;
        return;
    }
    if (*parsed <= 0.0)
        return;
    const QChar separator = QLatin1Char(m_format.decimalSeparator);
    QString tidy = current.trimmed();
    for (QChar& c : tidy)
        if (!c.isDigit())
            c = separator;
    if (tidy.startsWith(separator))
        tidy.prepend(QLatin1Char('0'));
    setText(tidy);
}

bool DecimalField::event(QEvent* event) {
    // The tooltip is the field's hint; a screen reader gets it unless the owner gave another.
    if (event->type() == QEvent::ToolTipChange) {
        if (accessibleDescription().isEmpty() || accessibleDescription() == m_autoDescription)
            setAccessibleDescription(toolTip());
        m_autoDescription = toolTip();
    }
    return QLineEdit::event(event);
}

}  // namespace sublumo
