// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>

#include "platform/Desktop.h"
#include "platform/HotKeys.h"
#include "platform/InstanceChannel.h"
#include "platform/LoginAutostart.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"
#include "platform/ScreenSource.h"
#include "platform/SessionEvents.h"
#include "platform/SoundPlayer.h"
#include "platform/TextRecognizer.h"
#include "platform/TrayIcon.h"
#include "platform/WindowActivation.h"

namespace dravemo {

// The platform services the main window and everything it owns use, handed in by the program
// entry (the real adapters) or by a test (fakes).
struct ProgramPorts {
    Registry& Reg;
    LoginAutostart& Autostart;
    Desktop& Shell;
    MessageBoxes& Boxes;
    SoundPlayer& Sound;
    WindowActivation& Activation;
    ScreenSource& Screen;
    TextRecognizer& Ocr;
    HotKeys& Keys;
    // Makes the notification-area icon when the start-up sequence reaches it.
    std::function<std::unique_ptr<TrayIcon>()> MakeTrayIcon;
    // Whether the WebP codec library and the recording encoder can be found.
    std::function<bool()> HasWebPLibrary;
    std::function<bool()> HasEncoder;
    // Lets the user choose a folder, starting at `folder`; true with the choice in `folder`,
    // false when cancelled.
    std::function<bool(QString& folder)> SelectFolder;
};

}  // namespace dravemo
