// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>
#include <thread>

#include "platform/InstanceChannel.h"
#include "platform/linux/UniqueFd.h"

namespace dravemo {

// Receives the main window's messages on the Unix socket <runtime folder>/TFrmDravemo. A
// background thread accepts one connection at a time, refuses peers of another user id,
// reads the request and hands it to the user-interface thread; the reply is written once the
// handler has returned. The owner must hold the instance lock: a socket file found at start
// is stale and is replaced.
class SocketMessageServer : public MessageServer {
public:
    explicit SocketMessageServer(std::string folder);
    ~SocketMessageServer() override;
    void Listen(Handler handler) override;

private:
    struct Shared;
    void Run();
    void Serve(int connection);

    std::string FPath;
    UniqueFd FListen;
    UniqueFd FWake;
    std::shared_ptr<Shared> FShared;
    std::thread FThread;
};

}  // namespace dravemo
