// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "tests/e2e/DravemoSession.h"

#include <sys/stat.h>

#include <algorithm>
#include <sstream>

#include "platform/linux/SocketInstanceLocator.h"

namespace dravemo::test {

DravemoSession::DravemoSession(const std::string& screenSize) : display(screenSize) {
    ::chmod(runtime.Str().c_str(), 0700);
    std::filesystem::create_directories(Desktop());
}

ChildProcess::Env DravemoSession::Env() const {
    return {{"DISPLAY", display.Name()},
            {"HOME", home.Str()},
            {"XDG_RUNTIME_DIR", runtime.Str()},
            {"-XDG_CONFIG_HOME", ""},
            {"QT_QPA_PLATFORM", "xcb"},
            {"LANG", "en_US.UTF-8"},
            {"-LC_ALL", ""},
            {"-LC_MESSAGES", ""}};
}

std::unique_ptr<ChildProcess> DravemoSession::Start(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{DRAVEMO_BINARY};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return std::make_unique<ChildProcess>(argv, Env());
}

RunResult DravemoSession::Run(const std::vector<std::string>& arguments,
                              std::chrono::milliseconds timeout) {
    std::vector<std::string> argv{DRAVEMO_BINARY};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return test::Run(argv, Env(), timeout);
}

bool DravemoSession::WaitForInstance(std::chrono::milliseconds timeout) {
    SocketInstanceLocator locator(RuntimeFolder());
    if (!WaitUntil([&] { return locator.WindowExists(); }, timeout)) return false;
    // The socket listens before the start-up has run; a message that is ignored (WM_USER with
    // another parameter) is answered once the main window handles messages, after the start-up.
    try {
        SocketInstanceLocator patient(RuntimeFolder(), timeout);
        return patient.Send({0x0400, 0, {}}).has_value();
    } catch (const NoAnswerError&) {
        return false;
    }
}

std::vector<std::string> DravemoSession::VisibleWindows(const std::string& title) const {
    const RunResult r = test::Run({"xdotool", "search", "--onlyvisible", "--name", title}, Env());
    std::vector<std::string> ids;
    std::istringstream lines(r.Output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty()) ids.push_back(line);
    }
    return ids;
}

std::optional<int32_t> DravemoSession::Send(uint32_t message, uint32_t param,
                                            const QByteArray& payload) {
    // Generous: some requests wait for the user (a drag) or run slowly under the sanitizers.
    SocketInstanceLocator locator(RuntimeFolder(), std::chrono::minutes(2));
    return locator.Send({message, param, payload});
}

std::optional<int32_t> DravemoSession::SendCommand(const QString& json, uint32_t dwData) {
    QByteArray block;
    for (QChar c : json) {
        block.append(static_cast<char>(c.unicode() & 0xFF));
        block.append(static_cast<char>(c.unicode() >> 8));
    }
    block.append(2, '\0');
    return Send(0x004A, dwData, block);
}

void DravemoSession::WriteSettings(const std::string& valueLines) const {
    WriteFile(RegistryPath(),
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Orvantel\\Dravemo]\r\n" + valueLines +
                  "\r\n");
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace dravemo::test
