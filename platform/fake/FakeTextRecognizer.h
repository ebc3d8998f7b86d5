// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>

#include "platform/TextRecognizer.h"

namespace dravemo {

// A recogniser with a preset list of languages, or one that fails.
class FakeTextRecognizer : public TextRecognizer {
public:
    std::vector<Language> AvailableLanguages() override {
        if (Fails) throw std::runtime_error("recogniser failed");
        return Languages;
    }
    std::vector<Language> Languages;
    bool Fails = false;
};

}  // namespace dravemo
