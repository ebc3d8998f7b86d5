// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/PrintScreenSnipping.h"

#include <exception>

namespace dravemo {

void SetPrintScreenSnipping(Registry& registry, int value) {
    try {
        registry.Write(QStringLiteral("Control Panel\\Keyboard"),
                       QStringLiteral("PrintScreenKeyForSnippingEnabled"), RegValue::Dword(value));
    } catch (const std::exception&) {
        // Nothing depends on it: the program's own hotkey works either way.
    }
}

}  // namespace dravemo
