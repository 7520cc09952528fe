#include "option_list_accessible.h"

#include <QAccessibleWidget>
#include <QListWidget>
#include <QPointer>
#include <vector>

#include "enclosure/option_list.h"

namespace sublumo {

namespace {

// One item of an option list. Qt's own item-view cells leave out whether an item is enabled, so
// a screen reader would offer an alignment that the driver does not allow.
class OptionItemAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    OptionItemAccessible(QListWidget* list, int row) : m_list(list), m_row(row) {}

    bool isValid() const override { return m_list && m_row < m_list->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent()->window(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_list);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return item()->text();
        if (t == QAccessible::Description)
            return m_list->accessibleDescription();
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect shown = m_list->visualItemRect(item());
        return QRect(m_list->viewport()->mapToGlobal(shown.topLeft()), shown.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.disabled = !enabled();
        s.selectable = enabled();
        s.focusable = enabled();
        s.selected = item()->isSelected();
        s.focused = m_list->currentRow() == m_row && m_list->hasFocus();
        s.invisible = !m_list->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    // A disabled item offers nothing to do.
    QStringList actionNames() const override {
        return enabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& name) override {
        if (name != pressAction())
            return;
        if (auto* options = qobject_cast<OptionList*>(m_list->parent()))
            options->choose(m_row);
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        return name == pressAction() ? QStringList{QStringLiteral("Return")} : QStringList{};
    }

private:
    QListWidgetItem* item() const { return m_list->item(m_row); }
    bool enabled() const { return item()->flags().testFlag(Qt::ItemIsEnabled); }

    QPointer<QListWidget> m_list;
    int m_row;
};

// The list itself, whose children are its items and nothing else.
class OptionListAccessible final : public QAccessibleWidget {
public:
    explicit OptionListAccessible(QListWidget* list) : QAccessibleWidget(list, QAccessible::List) {}
    ~OptionListAccessible() override {
        for (QAccessible::Id id : m_items) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return list()->count(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        // The items are fixed when the list is built, so each interface lives as long as it.
        while (static_cast<int>(m_items.size()) <= index) {
            auto* item = new OptionItemAccessible(list(), static_cast<int>(m_items.size()));
            m_items.push_back(QAccessible::registerAccessibleInterface(item));
        }
        return QAccessible::accessibleInterface(m_items[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < m_items.size(); ++i)
            if (QAccessible::accessibleInterface(m_items[i]) == child)
                return static_cast<int>(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QListWidgetItem* item = list()->itemAt(list()->viewport()->mapFromGlobal(QPoint(x, y)));
        return item == nullptr ? nullptr : child(list()->row(item));
    }
    QAccessibleInterface* focusChild() const override {
        return list()->hasFocus() ? child(list()->currentRow()) : nullptr;
    }

private:
    QListWidget* list() const { return static_cast<QListWidget*>(widget()); }

    mutable std::vector<QAccessible::Id> m_items;
};

QAccessibleInterface* optionListFactory(const QString&, QObject* object) {
    auto* list = qobject_cast<QListWidget*>(object);
    if (list == nullptr || qobject_cast<OptionList*>(list->parent()) == nullptr)
        return nullptr;
    return new OptionListAccessible(list);
}

}  // namespace

void installOptionListAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(optionListFactory);
        return true;
    }();
    (void)installed;
}

void notifyItemEnabledChanged(QListWidget* list, int row) {
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(list);
    if (table == nullptr || table->child(row) == nullptr)
        return;
    QAccessible::State changed;
    changed.disabled = true;
    QAccessibleStateChangeEvent event(table->child(row), changed);
    QAccessible::updateAccessibility(&event);
}

}  // namespace sublumo
