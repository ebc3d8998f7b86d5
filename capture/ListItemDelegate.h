// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QStyledItemDelegate>

namespace dravemo {

// Draws the items of the program's drop-down lists: the prepared background (selection colours
// included), the text one pixel right of and below the item's top-left corner, and the focus
// rectangle when the item has the focus.
class ListItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace dravemo
