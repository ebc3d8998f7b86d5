// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/FlockInstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace dravemo {

FlockInstanceLock::FlockInstanceLock(std::string folder) : FPath(folder + "/DravemoMutex") {}

bool FlockInstanceLock::TryAcquire() {
    if (FFd.Valid()) return true;
    UniqueFd fd(::open(FPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!fd.Valid()) {
        throw std::runtime_error("Cannot open " + FPath + ": " + std::strerror(errno));
    }
    while (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno == EWOULDBLOCK) return false;
        throw std::runtime_error("Cannot lock " + FPath + ": " + std::strerror(errno));
    }
    FFd = std::move(fd);  // held until the process ends
    return true;
}

}  // namespace dravemo
