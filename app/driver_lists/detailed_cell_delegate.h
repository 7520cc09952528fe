#pragma once

#include <QStyledItemDelegate>

namespace sublumo {

// Draws a detailed-list cell as the standard delegate does, but a plain cell (no selection,
// focus, hover or background) lays its one line of text out once and leaves the style out: the
// columns are fitted to their texts, so the standard delegate's elision pass, which lays every
// text out a second time, never changes anything here.
class DetailedCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // `coveredColumn`: a column another view draws over this one, left unpainted here.
    explicit DetailedCellDelegate(QObject* parent, int coveredColumn = -1)
        : QStyledItemDelegate(parent), m_coveredColumn(coveredColumn) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int m_coveredColumn;
};

}  // namespace sublumo
