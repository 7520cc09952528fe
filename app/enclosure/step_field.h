#pragma once

#include <QLineEdit>
#include <QPointer>

namespace sublumo {

// A short whole-number field stepped by the arrow keys: the driver and vent counts (1..9, one
// digit) and the fill percentages (0..100 in steps of 5). Only digits and Backspace type; a
// click selects the text; Enter moves on through the owner's cycle.
class StepField : public QLineEdit {
    Q_OBJECT
public:
    struct Range {
        int minimum;
        int maximum;
        int step;
        int maxLength;
        bool zeroTypable;  // the counts refuse a typed 0
    };
    static constexpr Range kCount{1, 9, 1, 1, false};
    static constexpr Range kFill{0, 100, 5, 3, true};

    StepField(Range range, const QString& text, QWidget* parent = nullptr);

    // Where Enter sends the focus, `alternative` when `next` cannot take it.
    void setEnterTarget(QWidget* next, QWidget* alternative = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void step(int direction);

    Range m_range;
    QPointer<QWidget> m_next;
    QPointer<QWidget> m_alternative;
};

// Enter's move: to `next`, else `alternative`, else nowhere.
void moveFocusOn(QWidget* next, QWidget* alternative);

}  // namespace sublumo
