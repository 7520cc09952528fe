#include "detailed_list_model.h"

#include <QApplication>
#include <QPalette>
#include <numeric>

namespace sublumo {

using database::detailedColumns;
using database::kDetailedColumnCount;
using database::kNameColumn;

DetailedListModel::DetailedListModel(NumberFormat format, QObject* parent)
    : QAbstractTableModel(parent), m_rows(format) {}

void DetailedListModel::setRows(database::DetailedRows rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_order.resize(m_rows.size());
    std::iota(m_order.begin(), m_order.end(), std::size_t{0});
    endResetModel();
}

bool DetailedListModel::sortByColumn(int column) {
    auto order = database::sortedRowOrder(m_rows, m_order, static_cast<std::size_t>(column));
    if (!order)
        return false;
    emit layoutAboutToBeChanged();
    m_order = std::move(*order);
    emit layoutChanged();
    return true;
}

int DetailedListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

int DetailedListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kDetailedColumnCount);
}

QVariant DetailedListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(
            m_rows.cell(listRow(index.row()), static_cast<std::size_t>(index.column())));
    // The name column stays fixed and is drawn like the header row.
    if (role == Qt::BackgroundRole && index.column() == static_cast<int>(kNameColumn))
        return QApplication::palette().toolTipBase();
    return {};
}

QVariant DetailedListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(kDetailedColumnCount))
        return QAbstractTableModel::headerData(section, orientation, role);
    const std::string_view header = detailedColumns()[section].header;
    return QString::fromUtf8(header.data(), static_cast<qsizetype>(header.size()));
}

}  // namespace sublumo
