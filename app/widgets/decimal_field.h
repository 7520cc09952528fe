#pragma once

#include <QLineEdit>
#include <QPointer>

#include "number_text.h"

namespace sublumo {

class PlatformServices;

// A one-line field holding a non-negative decimal number in the locale's notation: "." and ","
// both type the separator, Up/Down step the value (Shift: tenths, Ctrl: hundredths), Enter
// moves on through the owner's cycle, and leaving the field tidies the number (".5" -> "0.5")
// or reports text that is not a number.
class DecimalField : public QLineEdit {
    Q_OBJECT
public:
    DecimalField(PlatformServices& platform, NumberFormat format, QWidget* parent = nullptr);

    // Where Enter sends the focus; `alternative` when `next` cannot take it. With no target,
    // Enter only emits enterPressed().
    void setEnterTarget(QWidget* next, QWidget* alternative = nullptr);

    NumberFormat numberFormat() const { return m_format; }

signals:
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    virtual bool allowsMinus() const { return false; }

private:
    // The typed characters that may enter the field, "." and "," as the separator.
    QString filtered(const QString& typed) const;
    void step(int key, Qt::KeyboardModifiers modifiers);
    void moveOn();
    void normalise();

    PlatformServices& m_platform;
    NumberFormat m_format;
    // Guarded: a target deleted before the next Enter is simply no target.
    QPointer<QWidget> m_next;
    QPointer<QWidget> m_alternative;
    // The accessible texts this field set itself; texts the owner sets are kept.
    QString m_autoAccessibleName;
    QString m_autoDescription;
};

// The same, but a minus sign may be typed and Down has no floor at zero.
class SignedDecimalField : public DecimalField {
    Q_OBJECT
public:
    using DecimalField::DecimalField;

protected:
    bool allowsMinus() const override { return true; }
};

}  // namespace sublumo
