// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/XcbImageReader.h"

#include <sys/socket.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>
#include <string>

namespace dravemo {

namespace {

constexpr uint32_t kAllPlanes = ~0u;
// Shared blocks grow in steps of this size, so that slightly larger requests reuse them.
constexpr size_t kSegmentStep = size_t{1} << 20;

// Refuses screens whose pixels are not B, G, R, X bytes of 32 bits.
void CheckPixelFormat(const XcbConnection& connection) {
    const xcb_setup_t* setup = xcb_get_setup(connection.Get());
    const xcb_screen_t& screen = connection.Screen();
    const std::string depth = std::to_string(screen.root_depth);
    int bitsPerPixel = 0;
    const xcb_format_t* formats = xcb_setup_pixmap_formats(setup);
    for (int i = 0; i < xcb_setup_pixmap_formats_length(setup); ++i) {
        if (formats[i].depth == screen.root_depth) bitsPerPixel = formats[i].bits_per_pixel;
    }
    const xcb_visualtype_t* visual = nullptr;
    for (auto d = xcb_screen_allowed_depths_iterator(&screen); d.rem; xcb_depth_next(&d)) {
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
            if (v.data->visual_id == screen.root_visual) visual = v.data;
        }
    }
    const bool truecolour = visual && visual->red_mask == 0xFF0000 &&
                            visual->green_mask == 0x00FF00 && visual->blue_mask == 0x0000FF;
    if ((screen.root_depth != 24 && screen.root_depth != 32) || bitsPerPixel != 32 || !truecolour ||
        setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST ||
        std::endian::native != std::endian::little) {
        throw std::runtime_error("The X screen's pixel format (depth " + depth +
                                 ") is not supported; a 24-bit truecolour screen is needed.");
    }
}

// Whether the server runs on this machine: only then can it see our shared memory. Over TCP
// (a remote display, or one forwarded by ssh) a segment number could name someone else's block.
bool OverLocalSocket(const XcbConnection& connection) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    return ::getpeername(xcb_get_file_descriptor(connection.Get()),
                         reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
           address.ss_family == AF_UNIX;
}

// Copies rows of 32-bit pixels, clearing the unused fourth byte.
void CopyPixels(const uint8_t* source, int width, int height, uint8_t* target, int64_t stride) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* s = source + static_cast<int64_t>(y) * width * 4;
        uint8_t* t = target + y * stride;
        for (int x = 0; x < width; ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, s + static_cast<size_t>(x) * 4, 4);
            pixel &= 0x00FFFFFF;
            std::memcpy(t + static_cast<size_t>(x) * 4, &pixel, 4);
        }
    }
}

}  // namespace

XcbImageReader::XcbImageReader(const XcbConnection& connection, bool allowShm)
    : FConnection(connection) {
    CheckPixelFormat(connection);
    if (allowShm && OverLocalSocket(connection)) {
        const xcb_query_extension_reply_t* shm =
            xcb_get_extension_data(connection.Get(), &xcb_shm_id);
        if (shm && shm->present) {
            FShm = connection.Wait(xcb_shm_query_version_reply,
                                   xcb_shm_query_version(connection.Get())) != nullptr;
        }
    }
}

void XcbImageReader::Read(int64_t x, int64_t y, const PixelBuffer& target) {
    if (target.Width <= 0 || target.Height <= 0) return;
    if (!target.Data || target.Stride < static_cast<int64_t>(target.Width) * 4) {
        throw std::invalid_argument("The pixel buffer is too small for its width.");
    }
    const auto [rootWidth, rootHeight] = FConnection.RootSize();
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(x + target.Width, rootWidth);
    const int64_t bottom = std::min<int64_t>(y + target.Height, rootHeight);
    if (right <= left || bottom <= top) return;
    uint8_t* destination = target.Data + (top - y) * target.Stride + (left - x) * 4;
    const int width = static_cast<int>(right - left);
    const int height = static_cast<int>(bottom - top);
    if (FShm && HasSegment(static_cast<size_t>(width) * height * 4)) {
        ReadShm(static_cast<int>(left), static_cast<int>(top), width, height, destination,
                target.Stride);
    } else {
        ReadPlain(static_cast<int>(left), static_cast<int>(top), width, height, destination,
                  target.Stride);
    }
}

bool XcbImageReader::HasSegment(size_t bytes) {
    if (FSegment && FSegment->Size() >= bytes) return true;
    FSegment.reset();
    try {
        FSegment = std::make_unique<XcbShmSegment>(
            FConnection, (bytes + kSegmentStep - 1) / kSegmentStep * kSegmentStep);
        return true;
    } catch (const std::runtime_error&) {
        // The server cannot share memory with this process: plain reads from now on.
        FConnection.ThrowIfBroken();
        FShm = false;
        return false;
    }
}

void XcbImageReader::ReadShm(int x, int y, int width, int height, uint8_t* target, int64_t stride) {
    const size_t bytes = static_cast<size_t>(width) * height * 4;
    auto reply = FConnection.Wait(
        xcb_shm_get_image_reply,
        xcb_shm_get_image(FConnection.Get(), FConnection.Root(), static_cast<int16_t>(x),
                          static_cast<int16_t>(y), static_cast<uint16_t>(width),
                          static_cast<uint16_t>(height), kAllPlanes, XCB_IMAGE_FORMAT_Z_PIXMAP,
                          FSegment->Id(), 0));
    if (!reply || reply->size < bytes) {
        throw std::runtime_error("The X server refused a shared-memory screen read.");
    }
    CopyPixels(FSegment->Data(), width, height, target, stride);
}

void XcbImageReader::ReadPlain(int x, int y, int width, int height, uint8_t* target,
                               int64_t stride) {
    auto reply = FConnection.Wait(
        xcb_get_image_reply,
        xcb_get_image(FConnection.Get(), XCB_IMAGE_FORMAT_Z_PIXMAP, FConnection.Root(),
                      static_cast<int16_t>(x), static_cast<int16_t>(y),
                      static_cast<uint16_t>(width), static_cast<uint16_t>(height), kAllPlanes));
    const size_t bytes = static_cast<size_t>(width) * height * 4;
    if (!reply || static_cast<size_t>(xcb_get_image_data_length(reply.get())) < bytes) {
        throw std::runtime_error("The X server refused to read the screen.");
    }
    CopyPixels(xcb_get_image_data(reply.get()), width, height, target, stride);
}

}  // namespace dravemo
