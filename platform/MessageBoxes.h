// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>

namespace dravemo {

// Message box flags and answers, with the values the program has always stored and passed.
namespace mb {
constexpr uint32_t OK = 0x0;
constexpr uint32_t YESNO = 0x4;
constexpr uint32_t ICONERROR = 0x10;
constexpr uint32_t ICONQUESTION = 0x20;
constexpr uint32_t ICONINFORMATION = 0x40;
constexpr uint32_t DEFBUTTON2 = 0x100;
constexpr uint32_t SETFOREGROUND = 0x10000;
constexpr uint32_t TOPMOST = 0x40000;
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
}  // namespace mb

// Modal message boxes for the user, kept on top and raised.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows a modal box with the given title, text and mb:: flags (icon, buttons, default
    // button); returns the button pressed (mb::IDOK, mb::IDYES, mb::IDNO).
    virtual int Show(const QString& title, const QString& text, uint32_t flags) = 0;
};

}  // namespace dravemo
