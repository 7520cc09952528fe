#include "detailed_cell_delegate.h"

#include <QApplication>
#include <QPainter>

namespace sublumo {

void DetailedCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    if (index.column() == m_coveredColumn)
        return;
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    // A selected, focused, hovered or coloured cell, one row of a screenful, is left to the
    // standard delegate, which draws its background, text and focus frame in the style's order.
    constexpr QStyle::State kMarked =
        QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_MouseOver;
    if ((cell.state & kMarked) || cell.backgroundBrush.style() != Qt::NoBrush) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // A plain cell has only its text, in the place and colour the style gives it.
    if (cell.text.isEmpty())
        return;
    const QWidget* widget = cell.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QPalette::ColorGroup group = !(cell.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (cell.state & QStyle::State_Active) ? QPalette::Normal
                                                                             : QPalette::Inactive;
    painter->save();
    painter->setPen(cell.palette.color(group, QPalette::Text));
    painter->setFont(cell.font);
    painter->drawText(
        cell.rect.adjusted(margin, 0, -margin, 0),
        static_cast<int>(QStyle::visualAlignment(cell.direction, cell.displayAlignment)) |
            Qt::TextSingleLine,
        cell.text);
    painter->restore();
}

}  // namespace sublumo
