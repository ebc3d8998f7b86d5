// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <xcb/shm.h>

#include <cstddef>
#include <cstdint>

#include "platform/linux/XcbConnection.h"

namespace dravemo {

// A System V shared-memory block attached both here and in the X server, so that the server
// can write images straight into it. Detached on both sides when dropped.
class XcbShmSegment {
public:
    // Creates a block of `size` bytes and attaches it to the server; throws std::runtime_error
    // when either fails (a remote display, or a server in another IPC namespace).
    XcbShmSegment(const XcbConnection& connection, size_t size);
    ~XcbShmSegment();
    XcbShmSegment(const XcbShmSegment&) = delete;
    XcbShmSegment& operator=(const XcbShmSegment&) = delete;

    xcb_shm_seg_t Id() const { return FSegment; }
    const uint8_t* Data() const { return FData; }
    size_t Size() const { return FSize; }

private:
    const XcbConnection& FConnection;
    size_t FSize = 0;
    const uint8_t* FData = nullptr;
    xcb_shm_seg_t FSegment = 0;
};

}  // namespace dravemo
