#pragma once

#include <QToolButton>

class QMenu;

namespace sublumo {

// A button that opens its menu at once, on a click or on Space from the keyboard. A screen
// reader finds the menu as the button's child, as it finds a menu bar's menus under their items
// (Qt lists the menu of a tool button only when the button is split in two).
class MenuButton : public QToolButton {
    Q_OBJECT
public:
    MenuButton(QMenu* menu, QWidget* parent);
};

}  // namespace sublumo
