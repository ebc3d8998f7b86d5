// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QStyledItemDelegate>

namespace dravemo {

// Draws the items of the hotkey dialog's key list: the prepared background (selection colours
// included), the text one pixel right of and below the item's top-left corner, and the focus
// rectangle when the item has the focus.
class HotKeyListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace dravemo
