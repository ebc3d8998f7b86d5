// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dravemo {

// A client of the X session manager: registers the program, asks never to be restarted by the
// session manager, answers every save-yourself at once without interaction, and reports only
// the requests that end the session (a save-yourself with shutdown, or die). A checkpoint
// (save-yourself without shutdown) changes nothing.
class XsmpClient {
public:
    // Connects to the session manager at `address` (its network identifiers, as in
    // $SESSION_MANAGER); `restartCommand` is what the session would run to start the program.
    // `onEnd` is called from the event loop, once per end of session. Throws
    // std::runtime_error when the session manager cannot be reached.
    XsmpClient(const std::string& address, const std::vector<std::string>& restartCommand,
               std::function<void()> onEnd);
    ~XsmpClient();
    XsmpClient(const XsmpClient&) = delete;
    XsmpClient& operator=(const XsmpClient&) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

}  // namespace dravemo
