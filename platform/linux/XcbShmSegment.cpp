// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/XcbShmSegment.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

namespace dravemo {

XcbShmSegment::XcbShmSegment(const XcbConnection& connection, size_t size)
    : FConnection(connection), FSize(size) {
    const int id = ::shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
    if (id < 0) {
        throw std::runtime_error(std::string("Cannot create a shared-memory image: ") +
                                 std::strerror(errno));
    }
    void* address = ::shmat(id, nullptr, SHM_RDONLY);
    if (reinterpret_cast<intptr_t>(address) == -1) {
        const int error = errno;
        ::shmctl(id, IPC_RMID, nullptr);
        throw std::runtime_error(std::string("Cannot map a shared-memory image: ") +
                                 std::strerror(error));
    }
    FSegment = xcb_generate_id(connection.Get());
    bool attached = false;
    try {
        attached = connection.Succeeded(
            xcb_shm_attach_checked(connection.Get(), FSegment, static_cast<uint32_t>(id), 0));
    } catch (...) {
        ::shmctl(id, IPC_RMID, nullptr);
        ::shmdt(address);
        throw;
    }
    // Marked for removal at once: the kernel frees the block when both sides have detached,
    // however this process ends.
    ::shmctl(id, IPC_RMID, nullptr);
    if (!attached) {
        ::shmdt(address);
        throw std::runtime_error("The X server cannot attach shared memory of this process.");
    }
    FData = static_cast<const uint8_t*>(address);
}

XcbShmSegment::~XcbShmSegment() {
    xcb_shm_detach(FConnection.Get(), FSegment);
    xcb_flush(FConnection.Get());
    ::shmdt(FData);
}

}  // namespace dravemo
