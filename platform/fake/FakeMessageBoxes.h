// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "platform/MessageBoxes.h"

namespace dravemo {

// Records every message box instead of showing it and answers with a preset button.
class FakeMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString Title;
        QString Text;
        uint32_t Flags;
    };
    int Show(const QString& title, const QString& text, uint32_t flags) override {
        Boxes.push_back({title, text, flags});
        return Answer;
    }
    std::vector<Shown> Boxes;
    int Answer = mb::IDOK;
};

}  // namespace dravemo
