// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/XcbScreenSource.h"

#include <xcb/randr.h>
#include <xcb/xfixes.h>

#include <algorithm>
#include <array>
#include <limits>

#include "platform/linux/XcbConnection.h"
#include "platform/linux/XcbImageReader.h"
#include "platform/linux/XcbWindows.h"

namespace dravemo {

namespace {

// Whether the server has the extension in at least the given version.
template <typename Reply, typename Cookie>
bool HasVersion(const XcbConnection& connection, xcb_extension_t* extension,
                Reply* (*replyOf)(xcb_connection_t*, Cookie, xcb_generic_error_t**),
                Cookie (*query)(xcb_connection_t*, uint32_t, uint32_t), uint32_t major,
                uint32_t minor) {
    const xcb_query_extension_reply_t* data = xcb_get_extension_data(connection.Get(), extension);
    if (!data || !data->present) return false;
    auto reply = connection.Wait(replyOf, query(connection.Get(), major, minor));
    return reply && (reply->major_version > major ||
                     (reply->major_version == major && reply->minor_version >= minor));
}

// X window ids are 29-bit numbers; anything else cannot name a window.
xcb_window_t ToXcb(WindowId window) {
    const auto id = static_cast<uint64_t>(window);
    return id <= std::numeric_limits<uint32_t>::max() ? static_cast<xcb_window_t>(id) : XCB_NONE;
}

WindowId FromXcb(xcb_window_t window) { return static_cast<WindowId>(window); }

}  // namespace

struct XcbScreenSource::Impl {
    Impl(const XcbScreenOptions& options)
        : connection(options.Display),
          reader(connection, options.AllowShm),
          windows(connection),
          // XFixes answers nothing before its version has been asked for.
          xfixes(HasVersion(connection, &xcb_xfixes_id, xcb_xfixes_query_version_reply,
                            xcb_xfixes_query_version, 4, 0)),
          randrMonitors(HasVersion(connection, &xcb_randr_id, xcb_randr_query_version_reply,
                                   xcb_randr_query_version, 1, 5)) {}

    XcbConnection connection;
    XcbImageReader reader;
    XcbWindows windows;
    bool xfixes;
    bool randrMonitors;
};

XcbScreenSource::XcbScreenSource(const XcbScreenOptions& options)
    : FImpl(std::make_unique<Impl>(options)) {}

XcbScreenSource::~XcbScreenSource() = default;

bool XcbScreenSource::UsesShm() const { return FImpl->reader.UsesShm(); }

void XcbScreenSource::CopyArea(ScreenPoint origin, const PixelBuffer& target) {
    FImpl->reader.Read(origin.X, origin.Y, target);
}

CursorImage XcbScreenSource::Cursor() {
    if (!FImpl->xfixes) return {};
    const XcbConnection& c = FImpl->connection;
    auto reply = c.Wait(xcb_xfixes_get_cursor_image_reply, xcb_xfixes_get_cursor_image(c.Get()));
    if (!reply) return {};
    CursorImage image;
    image.Width = reply->width;
    image.Height = reply->height;
    image.HotX = reply->xhot;
    image.HotY = reply->yhot;
    image.Position = {reply->x, reply->y};
    const uint32_t* pixels = xcb_xfixes_get_cursor_image_cursor_image(reply.get());
    const size_t count = static_cast<size_t>(image.Width) * image.Height;
    if (static_cast<size_t>(xcb_xfixes_get_cursor_image_cursor_image_length(reply.get())) < count) {
        return {};
    }
    image.Pixels.assign(pixels, pixels + count);
    return image;
}

ScreenPoint XcbScreenSource::CursorPosition() {
    const XcbConnection& c = FImpl->connection;
    auto reply = c.Wait(xcb_query_pointer_reply, xcb_query_pointer(c.Get(), c.Root()));
    if (!reply) throw std::runtime_error("The X server did not report the pointer position.");
    return {reply->root_x, reply->root_y};
}

std::vector<Monitor> XcbScreenSource::Monitors() {
    const XcbConnection& c = FImpl->connection;
    std::vector<Monitor> monitors;
    if (FImpl->randrMonitors) {
        auto reply =
            c.Wait(xcb_randr_get_monitors_reply, xcb_randr_get_monitors(c.Get(), c.Root(), 1));
        if (reply) {
            for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem;
                 xcb_randr_monitor_info_next(&it)) {
                const xcb_randr_monitor_info_t& m = *it.data;
                if (m.width == 0 || m.height == 0) continue;
                monitors.push_back({{m.x, m.y, m.width, m.height}, m.primary != 0});
            }
        }
    }
    if (monitors.empty()) {
        const auto [width, height] = c.RootSize();
        monitors.push_back({{0, 0, width, height}, true});
    }
    // Exactly one primary: RandR may name none (then the monitor at the origin, else the
    // first) and reports at most one.
    auto primary =
        std::find_if(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.Primary; });
    if (primary == monitors.end()) {
        primary = std::find_if(monitors.begin(), monitors.end(), [](const Monitor& m) {
            return m.Bounds.X <= 0 && m.Bounds.Y <= 0 && m.Bounds.X + m.Bounds.Width > 0 &&
                   m.Bounds.Y + m.Bounds.Height > 0;
        });
        if (primary == monitors.end()) primary = monitors.begin();
    }
    for (auto it = monitors.begin(); it != monitors.end(); ++it) it->Primary = it == primary;
    return monitors;
}

WindowId XcbScreenSource::ActiveWindow() { return FromXcb(FImpl->windows.Active()); }

WindowId XcbScreenSource::WindowAt(ScreenPoint point) {
    return FromXcb(FImpl->windows.At(point.X, point.Y));
}

std::optional<ScreenRect> XcbScreenSource::WindowFrame(WindowId window) {
    const xcb_window_t id = ToXcb(window);
    if (id == XCB_NONE) return std::nullopt;
    return FImpl->windows.Frame(id);
}

std::optional<ScreenColor> XcbScreenSource::PixelAt(ScreenPoint point) {
    const auto [width, height] = FImpl->connection.RootSize();
    if (point.X < 0 || point.Y < 0 || point.X >= width || point.Y >= height) return std::nullopt;
    std::array<uint8_t, 4> pixel{};
    FImpl->reader.Read(point.X, point.Y, PixelBuffer{pixel.data(), 1, 1, 4});
    return ScreenColor{pixel[2], pixel[1], pixel[0]};
}

}  // namespace dravemo
