#include "menu_button.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMenu>

namespace sublumo {

namespace {

class MenuButtonAccessible : public QAccessibleWidget {
public:
    explicit MenuButtonAccessible(QToolButton* button)
        : QAccessibleWidget(button, QAccessible::ButtonMenu) {}

    int childCount() const override { return menu() != nullptr ? 1 : 0; }

    QAccessibleInterface* child(int index) const override {
        return index == 0 && menu() != nullptr ? QAccessible::queryAccessibleInterface(menu())
                                               : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && menu() != nullptr && child->object() == menu() ? 0 : -1;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.hasPopup = true;
        return state;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled())
            names.prepend(showMenuAction());
        return names;
    }

    // Queued: the menu runs its own event loop, and the screen reader's call returns first.
    void doAction(const QString& name) override {
        if (name == showMenuAction() && widget()->isEnabled())
            QMetaObject::invokeMethod(button(), &QToolButton::showMenu, Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(name);
    }

private:
    QToolButton* button() const { return static_cast<QToolButton*>(widget()); }
    QMenu* menu() const { return button()->menu(); }
};

QAccessibleInterface* makeAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(MenuButton::staticMetaObject.className()))
        return new MenuButtonAccessible(static_cast<MenuButton*>(object));
    return nullptr;
}

}  // namespace

MenuButton::MenuButton(QMenu* menu, QWidget* parent) : QToolButton(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(makeAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    setMenu(menu);
    setPopupMode(QToolButton::InstantPopup);
    setFocusPolicy(Qt::StrongFocus);
}

}  // namespace sublumo
