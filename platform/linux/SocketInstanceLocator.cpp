// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/SocketInstanceLocator.h"

#include <sys/socket.h>
#include <sys/un.h>

#include <cstring>

#include "platform/linux/MessageFraming.h"

namespace dravemo {

SocketInstanceLocator::SocketInstanceLocator(std::string folder)
    : FPath(folder + "/" + framing::kSocketName) {}

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
    const std::string request = framing::EncodeRequest(message);
    if (!framing::WriteAll(fd.Get(), request.data(), request.size(), std::nullopt)) {
        return std::nullopt;
    }
    // The window answers after it has handled the message, however long that takes.
    unsigned char reply[4];
    if (!framing::ReadExact(fd.Get(), reply, sizeof reply, std::nullopt)) return std::nullopt;
    return static_cast<int32_t>(framing::DecodeU32(reply));
}

}  // namespace dravemo
