// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/MessageFraming.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace dravemo::framing {

namespace {

// Waits until fd is ready for `events`; false on time-out, error or a readable `cancel`.
bool WaitReady(int fd, short events, Deadline deadline, int cancel = -1) {
    while (true) {
        int timeout = -1;
        if (deadline) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                *deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            timeout = static_cast<int>(left.count());
        }
        pollfd p[2] = {{fd, events, 0}, {cancel, POLLIN, 0}};
        const int r = ::poll(p, cancel >= 0 ? 2 : 1, timeout);
        if (r > 0) return cancel < 0 || p[1].revents == 0;
        if (r == 0) return false;
        if (errno != EINTR) return false;
    }
}

}  // namespace

bool ReadExact(int fd, void* buffer, size_t n, Deadline deadline, int cancel) {
    auto* p = static_cast<unsigned char*>(buffer);
    while (n > 0) {
        if (!WaitReady(fd, POLLIN, deadline, cancel)) return false;
        const ssize_t r = ::read(fd, p, n);
        if (r == 0) return false;
        if (r < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return false;
        }
        p += r;
        n -= static_cast<size_t>(r);
    }
    return true;
}

bool WriteAll(int fd, const void* buffer, size_t n, Deadline deadline) {
    const auto* p = static_cast<const unsigned char*>(buffer);
    while (n > 0) {
        if (!WaitReady(fd, POLLOUT, deadline)) return false;
        const ssize_t r = ::send(fd, p, n, MSG_NOSIGNAL);
        if (r < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return false;
        }
        p += r;
        n -= static_cast<size_t>(r);
    }
    return true;
}

uint32_t DecodeU32(const unsigned char* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

void EncodeU32(uint32_t value, unsigned char* p) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::string EncodeRequest(const WindowMessage& message) {
    std::string out(kHeaderSize, '\0');
    auto* p = reinterpret_cast<unsigned char*>(out.data());
    EncodeU32(message.Message, p);
    EncodeU32(message.Param, p + 4);
    EncodeU32(static_cast<uint32_t>(message.Payload.size()), p + 8);
    out.append(message.Payload.constData(), static_cast<size_t>(message.Payload.size()));
    return out;
}

}  // namespace dravemo::framing
