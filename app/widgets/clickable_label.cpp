#include "clickable_label.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace sublumo {

// Taken here, so that a click on a label is not a click on the panel behind it as well.
void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    TextLabel::mouseReleaseEvent(event);
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    TextLabel::mouseDoubleClickEvent(event);
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit clicked();
        event->accept();
        return;
    }
    TextLabel::keyPressEvent(event);
}

}  // namespace sublumo
