// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <vector>

namespace dravemo {

// The system's optical character recognition.
class TextRecognizer {
public:
    // One language the recogniser can read.
    struct Language {
        QString Tag;          // the recogniser's own name of the language
        QString DisplayName;  // what the user sees
    };
    virtual ~TextRecognizer() = default;
    // The languages recognition is available for, in the system's order; empty when there is
    // no recogniser. Throws std::runtime_error when the recogniser fails.
    virtual std::vector<Language> AvailableLanguages() = 0;
};

}  // namespace dravemo
