// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace dravemo::test {

// A CUPS scheduler of the test's own, with its configuration, spool and logs in a temporary
// folder and a Unix socket as its only address. While it lives, CUPS_SERVER points this
// process (and children) at it.
class PrivateCupsServer {
public:
    PrivateCupsServer();
    ~PrivateCupsServer();
    PrivateCupsServer(const PrivateCupsServer&) = delete;
    PrivateCupsServer& operator=(const PrivateCupsServer&) = delete;

    // Adds a queue whose jobs become a PDF file `output`, through the PDF filters, with a
    // letter page, the given resolution and the printable area 18 pt from the left and 36 pt
    // from the top edge. Made the default queue when asked.
    void AddPdfQueue(const std::string& name, const std::filesystem::path& output, int dpi,
                     bool makeDefault);
    void RemoveQueue(const std::string& name);
    // Waits until no job is pending; false on time-out.
    bool WaitForIdle();

    ChildProcess::Env Env() const { return {{"CUPS_SERVER", FSocket}}; }
    std::string ErrorLog() const;
    const TempDir& Dir() const { return FDir; }

private:
    void Admin(const std::vector<std::string>& args);
    TempDir FDir;
    std::string FSocket;
    std::string FPreviousServer;
    bool FHadPreviousServer = false;
    std::unique_ptr<ChildProcess> FDaemon;
};

}  // namespace dravemo::test
