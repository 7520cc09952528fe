#pragma once

#include "text_label.h"

namespace sublumo {

// A label that reports clicks and double-clicks: captions and unit labels act as switches.
class ClickableLabel : public TextLabel {
    Q_OBJECT
public:
    using TextLabel::TextLabel;

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // A label given the focus (Tab) acts on Space or Enter as on a click.
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace sublumo
