#include "driver_lists/text_list_model.h"

#include <utility>

namespace sublumo {

TextListModel::TextListModel(Count count, Text text, QObject* parent)
    : QAbstractListModel(parent), m_count(std::move(count)), m_text(std::move(text)) {}

int TextListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_count());
}

QVariant TextListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return textAt(index.row());
    return {};
}

QString TextListModel::textAt(int row) const {
    if (row < 0 || row >= rowCount())
        return {};
    const std::string_view text = m_text(static_cast<std::size_t>(row));
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace sublumo
