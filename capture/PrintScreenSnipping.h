// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Registry.h"

namespace dravemo {

// Records whether the desktop's own Print Screen tool should take the key
// ("Control Panel\Keyboard", "PrintScreenKeyForSnippingEnabled"). Only the setting is written;
// the desktop's key bindings are never changed. Errors are ignored.
void SetPrintScreenSnipping(Registry& registry, int value);

}  // namespace dravemo
