// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <nlohmann/json_fwd.hpp>
#include <string>

namespace dravemo {

// What the commands of other programs do in the running instance.
struct CommandActions {
    std::function<void()> About;    // "about": open the home page
    std::function<void()> Capture;  // "capture": a capture request, as the hotkey makes one
};

// Handles one WM_COPYDATA block sent by another program: dwData must be 1 and the block a
// UTF-16 JSON object whose "command" names a known command. The result is 1 when the command
// ran and 0 for everything else, malformed input included.
int32_t HandleCopyData(uint32_t dwData, const QByteArray& block, const CommandActions& actions);

// The WM_COPYDATA block of a command text: UTF-16LE with a terminating NUL.
QByteArray CopyDataBlock(const QString& text);

// Looks `path` up in a JSON object (a member name, or names joined by '.') and reads the value
// as text; false (and an empty text) when there is no such value or it is not a text or number.
bool ReadJsonText(const nlohmann::json& object, const std::string& path, QString& text);

}  // namespace dravemo
