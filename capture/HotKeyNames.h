// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace dravemo {

// The key names of the keys a hotkey can use, as the keyboard has always named them (Print
// Screen is "Sys Req", Delete "Del"), and the items of the hotkey dialog's key list, which
// go through those names.

// The name of a virtual key; empty for a key outside the hotkey list.
QString KeyName(int virtualKey);
// The virtual key of a name, compared without regard to case; 0 when no key has it.
int KeyOfName(const QString& name);

// The 50 items of the key list, in their order.
const QStringList& HotKeyItems();
// The index of the item that shows a key ("Sys Req" shows as "PrintScreen"); -1 when none.
int ItemOfKey(int virtualKey);
// The key of an item text ("PrintScreen" taken as "Sys Req"); 0 when it names no key.
int KeyOfItem(const QString& item);

}  // namespace dravemo
