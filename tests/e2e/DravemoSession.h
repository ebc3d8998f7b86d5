// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "tests/support/VirtualDisplay.h"

namespace dravemo::test {

// One user's desktop for an end-to-end test: a private display with a window manager, a clean
// home folder and runtime folder, and the real dravemo binary started in them.
class DravemoSession {
public:
    // `screenSize` is the virtual screen as Xvfb takes it ("1280x800x24").
    explicit DravemoSession(const std::string& screenSize = "1280x800x24");

    ChildProcess::Env Env() const;
    // Starts dravemo with the arguments; it keeps running until stopped or the object goes.
    std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& arguments = {});
    // Runs dravemo with the arguments to its end.
    RunResult Run(const std::vector<std::string>& arguments,
                  std::chrono::milliseconds timeout = std::chrono::seconds(30));
    // Waits until a running instance answers on its socket.
    bool WaitForInstance(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // The ids of the visible windows whose title matches the regular expression.
    std::vector<std::string> VisibleWindows(const std::string& title = "^Dravemo$") const;

    std::optional<int32_t> Send(uint32_t message, uint32_t param, const QByteArray& payload = {});
    // Sends a command text as another program does (UTF-16 with its NUL, dwData 1).
    std::optional<int32_t> SendCommand(const QString& json, uint32_t dwData = 1);

    std::string RuntimeFolder() const { return (runtime / "dravemo").string(); }
    std::filesystem::path Home() const { return home.Path(); }
    std::filesystem::path Desktop() const { return home.Path() / "Desktop"; }
    std::filesystem::path RegistryPath() const {
        return home.Path() / ".config" / "dravemo" / "registry.reg";
    }
    // Writes settings into the user's registry file before the program starts.
    void WriteSettings(const std::string& valueLines) const;

    VirtualDisplay display;
    TempDir home;
    TempDir runtime;
};

// The file names in a folder, sorted.
std::vector<std::string> FilesIn(const std::filesystem::path& folder);

}  // namespace dravemo::test
