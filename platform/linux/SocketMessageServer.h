// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/InstanceChannel.h"
#include "platform/linux/UniqueFd.h"

namespace dravemo {

// Receives the main window's messages on the Unix socket <runtime folder>/TFrmDravemo. A
// background thread accepts connections and gives each its own thread, which refuses peers of
// another user id, reads the request and hands it to the user-interface thread; the reply is
// written once the handler has returned. A handler that runs a modal loop (a drag selection, a
// message box) therefore never keeps other senders waiting: their requests are handled inside
// that loop. The owner must hold the instance lock: a socket file found at start is stale and
// is replaced.
class SocketMessageServer : public MessageServer {
public:
    explicit SocketMessageServer(std::string folder);
    ~SocketMessageServer() override;
    void Listen(Handler handler) override;

private:
    struct Shared;
    struct Connection {
        std::thread thread;
        std::atomic<bool> done{false};
    };
    void Run();
    void Serve(int connection);
    // Joins the threads of connections that are finished.
    void Reap();

    std::string FPath;
    UniqueFd FListen;
    UniqueFd FWake;
    std::shared_ptr<Shared> FShared;
    std::thread FThread;
    std::list<Connection> FConnections;  // touched by the accepting thread only
};

}  // namespace dravemo
