#include "option_list.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

#include "enclosure/option_list_accessible.h"

namespace sublumo {

OptionList::OptionList(const QString& objectName, const QString& title,
                       const std::vector<std::string_view>& items, QWidget* parent)
    : QGroupBox(title, parent) {
    installOptionListAccessibility();
    setObjectName(objectName);
    setAccessibleName(title.trimmed());
    // Drawn over the chart: its own background keeps the chart's lines out of the title.
    setAutoFillBackground(true);
    m_list = new QListWidget(this);
    m_list->setObjectName(objectName + QStringLiteral("Items"));
    m_list->setAccessibleName(title.trimmed());
    m_list->setAccessibleDescription(QStringLiteral("Click or press Enter to choose"));
    for (std::string_view item : items)
        m_list->addItem(QString::fromUtf8(item.data(), static_cast<int>(item.size())));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(m_list);
    const int rows = m_list->sizeHintForRow(0) * static_cast<int>(items.size());
    m_list->setFixedHeight(rows + 2 * m_list->frameWidth() + 2);
    m_list->setFixedWidth(m_list->sizeHintForColumn(0) + 2 * m_list->frameWidth() + 8);
    adjustSize();
    hide();
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose(m_list->row(item)); });
    m_list->installEventFilter(this);
}

int OptionList::count() const {
    return m_list->count();
}

void OptionList::setItemEnabled(int row, bool enabled) {
    if (itemEnabled(row) == enabled)
        return;
    QListWidgetItem* item = m_list->item(row);
    item->setFlags(enabled ? item->flags() | Qt::ItemIsEnabled
                           : item->flags() & ~Qt::ItemIsEnabled);
    notifyItemEnabledChanged(m_list, row);
}

bool OptionList::itemEnabled(int row) const {
    return m_list->item(row)->flags().testFlag(Qt::ItemIsEnabled);
}

void OptionList::setCurrentRow(int row) {
    m_list->setCurrentRow(row);
}

int OptionList::currentRow() const {
    return m_list->currentRow();
}

void OptionList::choose(int row) {
    // Qt's list reports a click on a disabled item like any other.
    if (row >= 0 && row < count() && itemEnabled(row))
        emit chosen(row);
}

void OptionList::popUp() {
    show();
    raise();
    m_list->setFocus(Qt::OtherFocusReason);
}

bool OptionList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            choose(m_list->currentRow());
            return true;
        }
        if (key == Qt::Key_Escape) {
            hide();
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void OptionLists::toggle(OptionList* list) {
    const bool show = !list->isVisible();
    hideAll();
    if (show)
        list->popUp();
}

void OptionLists::hideAll() {
    for (OptionList* list : m_lists) list->hide();
}

}  // namespace sublumo
