// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TextRecognizer.h"

namespace dravemo {

// A system without a recogniser: no languages.
class NoTextRecognizer : public TextRecognizer {
public:
    std::vector<Language> AvailableLanguages() override { return {}; }
};

}  // namespace dravemo
