// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/SocketInstanceLocator.h"

#include <sys/socket.h>
#include <sys/un.h>

#include <cstring>

#include "platform/linux/MessageFraming.h"

namespace dravemo {

SocketInstanceLocator::SocketInstanceLocator(std::string folder, std::chrono::milliseconds timeout)
    : FPath(folder + "/" + framing::kSocketName), FTimeout(timeout) {}

UniqueFd SocketInstanceLocator::Connect() const {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (FPath.size() >= sizeof address.sun_path) return {};
    std::memcpy(address.sun_path, FPath.c_str(), FPath.size() + 1);
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd.Valid()) return {};
    if (::connect(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return {};
    return fd;
}

bool SocketInstanceLocator::WindowExists() { return Connect().Valid(); }

std::optional<int32_t> SocketInstanceLocator::Send(const WindowMessage& message) {
    if (static_cast<uint64_t>(message.Payload.size()) > framing::kMaxPayload) return std::nullopt;
    UniqueFd fd = Connect();
    if (!fd.Valid()) return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + FTimeout;
    const std::string request = framing::EncodeRequest(message);
    const auto seconds = std::to_string((FTimeout.count() + 999) / 1000);
    if (!framing::WriteAll(fd.Get(), request.data(), request.size(), deadline)) {
        throw NoAnswerError("The running Dravemo did not take the request within " + seconds +
                            " s.");
    }
    // The window answers after it has handled the message.
    unsigned char reply[4];
    if (!framing::ReadExact(fd.Get(), reply, sizeof reply, deadline)) {
        throw NoAnswerError(std::chrono::steady_clock::now() >= deadline
                                ? "The running Dravemo did not answer within " + seconds + " s."
                                : "The running Dravemo closed the connection without an answer.");
    }
    return static_cast<int32_t>(framing::DecodeU32(reply));
}

}  // namespace dravemo
