// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/MessageBoxes.h"

namespace dravemo {

// Message boxes as Qt dialogs, kept above other windows and raised when shown.
class QtMessageBoxes : public MessageBoxes {
public:
    int Show(const QString& title, const QString& text, uint32_t flags) override;
};

}  // namespace dravemo
