#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "detailed_list.h"
#include "number_text.h"

namespace sublumo {

// The detailed list's cells: rows of the database library, each cell written when the view asks
// for it, shown in list order or in the order of the last sort.
class DetailedListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DetailedListModel(NumberFormat format, QObject* parent = nullptr);

    void setRows(database::DetailedRows rows);
    // False when the column holds a cell that is no number; the order is then left alone and
    // the caller rebuilds the table, which restores list order.
    bool sortByColumn(int column);

    const database::DetailedRows& rows() const { return m_rows; }
    // The row of `rows()` shown at `row`.
    std::size_t listRow(int row) const { return m_order[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    database::DetailedRows m_rows;     // in list order
    std::vector<std::size_t> m_order;  // shown row -> index into m_rows
};

}  // namespace sublumo
