#include "detailed_cell_delegate.h"

#include <QApplication>
#include <QPainter>
#include <utility>

namespace sublumo {

void DetailedCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    if (index.column() == m_coveredColumn)
        return;
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString text = std::exchange(cell.text, QString());
    const QWidget* widget = cell.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    // Background, selection, hover and focus frame as the style draws them, then the text
    // alone; a plain cell has none of them, and its text sits where the style would put it.
    constexpr QStyle::State kMarked =
        QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_MouseOver;
    const bool plain = !(cell.state & kMarked) && cell.backgroundBrush.style() == Qt::NoBrush;
    if (!plain)
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    if (text.isEmpty())
        return;
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = (plain ? cell.rect
                              : style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget))
                           .adjusted(margin, 0, -margin, 0);
    const QPalette::ColorGroup group = !(cell.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (cell.state & QStyle::State_Active) ? QPalette::Normal
                                                                             : QPalette::Inactive;
    const QPalette::ColorRole role = (cell.state & QStyle::State_Selected)
                                         ? QPalette::HighlightedText
                                         : QPalette::Text;
    painter->save();
    painter->setPen(cell.palette.color(group, role));
    painter->setFont(cell.font);
    painter->drawText(area, static_cast<int>(QStyle::visualAlignment(cell.direction,
                                                                      cell.displayAlignment)) |
                                Qt::TextSingleLine,
                      text);
    painter->restore();
}

}  // namespace sublumo
