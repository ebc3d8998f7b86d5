// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/ConsoleProcesses.h"
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

// What the program entry needs before the user interface exists: finding a running instance
// and the instance lock.
struct InstancePorts {
    std::unique_ptr<InstanceLock> Lock;
    std::unique_ptr<InstanceLocator> Locator;
};
// Throws std::runtime_error when the per-user runtime folder cannot be used.
InstancePorts CreateInstancePorts();

// Where this user's instance keeps its files, as the command-line help names them.
struct ProgramLocations {
    std::string SettingsFile;
    std::string MessageSocket;
};
// Computes the paths only: creates and contacts nothing.
ProgramLocations DescribeLocations();

// The adapters of the running program, made once the application object exists.
struct DesktopPorts {
    std::unique_ptr<Registry> Reg;
    std::unique_ptr<LoginAutostart> Autostart;
    std::unique_ptr<Desktop> Shell;
    std::unique_ptr<MessageBoxes> Boxes;
    std::unique_ptr<SoundPlayer> Sound;
    std::unique_ptr<WindowActivation> Activation;
    std::unique_ptr<ScreenSource> Screen;
    std::unique_ptr<SessionEvents> Session;
    std::unique_ptr<MessageServer> Server;
    std::unique_ptr<TextRecognizer> Ocr;
    std::unique_ptr<HotKeys> Keys;
    std::unique_ptr<ConsoleProcesses> Processes;
    std::function<std::unique_ptr<TrayIcon>()> MakeTrayIcon;
};
// Throws std::runtime_error when an adapter cannot work here (no display, say).
DesktopPorts CreateDesktopPorts();

}  // namespace dravemo
