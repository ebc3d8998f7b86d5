// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/ListItemDelegate.h"

#include <QApplication>
#include <QPainter>

namespace dravemo {

void ListItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
    painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
    painter->setFont(option.font);
    const QRect text = option.rect.adjusted(1, 1, 0, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignTop, index.data(Qt::DisplayRole).toString());
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.rect = option.rect;
        focus.state = option.state;
        focus.backgroundColor = palette.highlight().color();
        QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
    }
}

}  // namespace dravemo
