// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/ScreenSource.h"
#include "platform/linux/XcbConnection.h"
#include "platform/linux/XcbShmSegment.h"

namespace dravemo {

// Reads rectangles of the root window as 32-bit B, G, R, 0 pixels: through one reused MIT-SHM
// block when the server can share memory with this process, else with plain GetImage (one
// 1920 x 1080 read costs about 1-2 ms the first way and 50-80 ms the second).
class XcbImageReader {
public:
    // Throws std::runtime_error when the screen is not 24-bit truecolour in 32-bit pixels.
    XcbImageReader(const XcbConnection& connection, bool allowShm);

    // Copies the root rectangle at (x, y) of the target's size into the target; the part that
    // lies outside the root window stays as it was. Throws std::invalid_argument for a
    // malformed buffer, std::runtime_error when the server fails.
    void Read(int64_t x, int64_t y, const PixelBuffer& target);
    // Whether reads go through shared memory (decided for good by the first read).
    bool UsesShm() const { return FShm; }

private:
    // Makes sure a shared block of at least `bytes` is attached; false when the server cannot
    // share memory with this process, which switches to plain reads for good.
    bool HasSegment(size_t bytes);
    void ReadShm(int x, int y, int width, int height, uint8_t* target, int64_t stride);
    void ReadPlain(int x, int y, int width, int height, uint8_t* target, int64_t stride);

    const XcbConnection& FConnection;
    bool FShm = false;
    std::unique_ptr<XcbShmSegment> FSegment;
};

}  // namespace dravemo
