// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/PlatformFactory.h"
#include "platform/linux/FlockInstanceLock.h"
#include "platform/linux/MessageFraming.h"
#include "platform/linux/NoTextRecognizer.h"
#include "platform/linux/PosixConsoleProcesses.h"
#include "platform/linux/PosixSessionEvents.h"
#include "platform/linux/QtMessageBoxes.h"
#include "platform/linux/QtSoundPlayer.h"
#include "platform/linux/QtTrayIcon.h"
#include "platform/linux/RegistryFile.h"
#include "platform/linux/RuntimeFolder.h"
#include "platform/linux/SocketInstanceLocator.h"
#include "platform/linux/SocketMessageServer.h"
#include "platform/linux/X11WindowActivation.h"
#include "platform/linux/XcbHotKeys.h"
#include "platform/linux/XcbScreenSource.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/linux/XdgDesktop.h"

namespace dravemo {

InstancePorts CreateInstancePorts() {
    const std::string folder = RuntimeFolder();
    return {std::make_unique<FlockInstanceLock>(folder),
            std::make_unique<SocketInstanceLocator>(folder)};
}

ProgramLocations DescribeLocations() {
    return {RegistryFile::DefaultPath().toStdString(),
            RuntimeFolderPath() + "/" + framing::kSocketName};
}

DesktopPorts CreateDesktopPorts() {
    DesktopPorts ports;
    ports.Reg = std::make_unique<RegistryFile>(RegistryFile::DefaultPath());
    ports.Autostart = std::make_unique<XdgAutostart>();
    ports.Shell = std::make_unique<XdgDesktop>();
    ports.Boxes = std::make_unique<QtMessageBoxes>();
    ports.Sound = std::make_unique<QtSoundPlayer>();
    ports.Activation = std::make_unique<X11WindowActivation>();
    ports.Screen = std::make_unique<XcbScreenSource>();
    ports.Session = std::make_unique<PosixSessionEvents>();
    ports.Server = std::make_unique<SocketMessageServer>(RuntimeFolder());
    ports.Ocr = std::make_unique<NoTextRecognizer>();
    ports.Keys = std::make_unique<XcbHotKeys>();
    ports.Processes = std::make_unique<PosixConsoleProcesses>();
    ports.MakeTrayIcon = [] { return std::make_unique<QtTrayIcon>(); };
    return ports;
}

}  // namespace dravemo
