// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <unistd.h>

#include <utility>

namespace dravemo {

// Owns a POSIX file descriptor and closes it when dropped.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : FFd(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(UniqueFd&& other) noexcept : FFd(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return FFd; }
    bool Valid() const { return FFd >= 0; }
    int Release() { return std::exchange(FFd, -1); }
    void Reset(int fd = -1) {
        if (FFd >= 0) ::close(FFd);
        FFd = fd;
    }

private:
    int FFd = -1;
};

}  // namespace dravemo
