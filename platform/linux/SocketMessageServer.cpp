// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/SocketMessageServer.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <cerrno>
#include <cstring>
#include <future>
#include <stdexcept>

#include "platform/linux/MessageFraming.h"

namespace dravemo {

namespace {
// How long a sender may take to deliver its request.
constexpr auto kRequestTimeout = std::chrono::seconds(5);
// Connections served at the same time; further ones are answered 0 at once.
constexpr size_t kMaxConnections = 32;

void Reply(int connection, int32_t result) {
    unsigned char bytes[4];
    framing::EncodeU32(static_cast<uint32_t>(result), bytes);
    framing::WriteAll(connection, bytes, sizeof bytes,
                      std::chrono::steady_clock::now() + kRequestTimeout);
}
}  // namespace

// State shared with calls queued on the user-interface thread, which may run after the
// server has gone.
struct SocketMessageServer::Shared {
    Handler handler;
    bool alive = true;  // read and cleared on the user-interface thread only
    std::atomic<bool> stopping{false};
};

SocketMessageServer::SocketMessageServer(std::string folder)
    : FPath(folder + "/" + framing::kSocketName), FShared(std::make_shared<Shared>()) {}

SocketMessageServer::~SocketMessageServer() {
    FShared->stopping = true;
    FShared->alive = false;
    if (FWake.Valid()) {
        // Stays readable: every thread waiting on it sees the stop.
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(FWake.Get(), &one, sizeof one);
    }
    if (FThread.joinable()) FThread.join();
    for (Connection& c : FConnections) c.thread.join();
    if (FListen.Valid()) ::unlink(FPath.c_str());
}

void SocketMessageServer::Listen(Handler handler) {
    FShared->handler = std::move(handler);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (FPath.size() >= sizeof address.sun_path) {
        throw std::runtime_error("The socket path is too long: " + FPath);
    }
    std::memcpy(address.sun_path, FPath.c_str(), FPath.size() + 1);
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd.Valid()) throw std::runtime_error("socket: " + std::string(std::strerror(errno)));
    ::unlink(FPath.c_str());
    if (::bind(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(FPath.c_str(), 0600) != 0 || ::listen(fd.Get(), 16) != 0) {
        throw std::runtime_error("Cannot listen on " + FPath + ": " + std::strerror(errno));
    }
    FListen = std::move(fd);
    FWake = UniqueFd(::eventfd(0, EFD_CLOEXEC));
    if (!FWake.Valid()) throw std::runtime_error("eventfd: " + std::string(std::strerror(errno)));
    FThread = std::thread([this] { Run(); });
}

void SocketMessageServer::Reap() {
    for (auto it = FConnections.begin(); it != FConnections.end();) {
        if (it->done) {
            it->thread.join();
            it = FConnections.erase(it);
        } else {
            ++it;
        }
    }
}

void SocketMessageServer::Run() {
    while (!FShared->stopping) {
        pollfd fds[2] = {{FListen.Get(), POLLIN, 0}, {FWake.Get(), POLLIN, 0}};
        // Wakes now and then to join finished connections even when nobody connects.
        if (::poll(fds, 2, FConnections.empty() ? -1 : 1000) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        Reap();
        if (fds[1].revents) return;
        if (!(fds[0].revents & POLLIN)) continue;
        UniqueFd connection(::accept4(FListen.Get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (!connection.Valid()) continue;
        if (FConnections.size() >= kMaxConnections) {
            ::send(connection.Get(), "\0\0\0\0", 4, MSG_NOSIGNAL | MSG_DONTWAIT);
            continue;
        }
        Connection& c = FConnections.emplace_back();
        c.thread = std::thread([this, &c, fd = std::make_shared<UniqueFd>(std::move(connection))] {
            Serve(fd->Get());
            fd->Reset();
            c.done = true;
        });
    }
}

void SocketMessageServer::Serve(int connection) {
    ucred peer{};
    socklen_t length = sizeof peer;
    if (::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 ||
        peer.uid != ::getuid()) {
        return;  // another user: closed without a reply
    }
    const auto deadline = std::chrono::steady_clock::now() + kRequestTimeout;
    const int stop = FWake.Get();
    unsigned char header[framing::kHeaderSize];
    if (!framing::ReadExact(connection, header, sizeof header, deadline, stop)) {
        Reply(connection, 0);
        return;
    }
    WindowMessage message;
    message.Message = framing::DecodeU32(header);
    message.Param = framing::DecodeU32(header + 4);
    const uint32_t size = framing::DecodeU32(header + 8);
    if (size > framing::kMaxPayload) {
        Reply(connection, 0);
        return;
    }
    message.Payload.resize(static_cast<qsizetype>(size));
    if (size > 0 && !framing::ReadExact(connection, message.Payload.data(), size, deadline, stop)) {
        Reply(connection, 0);
        return;
    }

    auto result = std::make_shared<std::promise<int32_t>>();
    std::future<int32_t> answer = result->get_future();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [shared = FShared, result, message]() {
            int32_t value = 0;
            try {
                if (shared->alive && shared->handler) value = shared->handler(message);
            } catch (...) {
                value = 0;
            }
            result->set_value(value);
        },
        Qt::QueuedConnection);
    // The sender waits as long as the handler runs (a modal selection, an upload). Once the
    // server stops, a handler that has not run never will: its sender gets 0.
    while (answer.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
        if (FShared->stopping) {
            Reply(connection, 0);
            return;
        }
    }
    int32_t value = 0;
    try {
        value = answer.get();
    } catch (const std::future_error&) {
        value = 0;  // the queued call was dropped with the application
    }
    Reply(connection, value);
}

}  // namespace dravemo
