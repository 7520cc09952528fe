#include "step_field.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

namespace sublumo {

namespace {

bool canTakeFocus(const QWidget* widget) {
    return widget != nullptr && widget->isVisibleTo(widget->window()) && widget->isEnabled() &&
           widget->focusPolicy() != Qt::NoFocus && !widget->property("readOnly").toBool();
}

}  // namespace

void moveFocusOn(QWidget* next, QWidget* alternative) {
    if (canTakeFocus(next))
        next->setFocus(Qt::TabFocusReason);
    else if (canTakeFocus(alternative))
        alternative->setFocus(Qt::TabFocusReason);
}

StepField::StepField(Range range, const QString& text, QWidget* parent)
    : QLineEdit(text, parent), m_range(range) {
    setMaxLength(range.maxLength);
    setInputMethodHints(Qt::ImhDigitsOnly);
}

void StepField::setEnterTarget(QWidget* next, QWidget* alternative) {
    m_next = next;
    m_alternative = alternative;
}

void StepField::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        step(key == Qt::Key_Up ? 1 : -1);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        moveFocusOn(m_next, m_alternative);
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.front().isPrint();
    if (printable && event->modifiers() == Qt::NoModifier) {
        const QChar c = typed.front();
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!digit || (c == QLatin1Char('0') && !m_range.zeroTypable))
            return;  // refused, as every other character
    }
    QLineEdit::keyPressEvent(event);
}

void StepField::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    // After the press has placed the cursor, so that the selection stays.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void StepField::step(int direction) {
    bool ok = false;
    const int value = text().toInt(&ok);
    const int from = ok ? value : m_range.minimum;
    const int stepped =
        std::clamp(from + direction * m_range.step, m_range.minimum, m_range.maximum);
    setText(QString::number(stepped));
}

}  // namespace sublumo
