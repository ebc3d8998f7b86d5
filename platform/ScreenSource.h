// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace dravemo {

// A point of the screen in physical pixels.
struct ScreenPoint {
    int32_t X = 0;
    int32_t Y = 0;
    constexpr bool operator==(const ScreenPoint&) const = default;
};

// A rectangle of the screen in physical pixels: origin and size.
struct ScreenRect {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    constexpr bool operator==(const ScreenRect&) const = default;
};

// A caller-owned block of 32-bit pixels, bytes B, G, R, X, rows top-down, `Stride` bytes apart
// (at least 4 * Width).
struct PixelBuffer {
    uint8_t* Data = nullptr;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Stride = 0;
};

// The current mouse cursor: premultiplied ARGB pixels (alpha in the top byte), row-major,
// Width x Height; the hot spot inside it and the hot spot's screen position.
struct CursorImage {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t HotX = 0;
    int32_t HotY = 0;
    ScreenPoint Position;
    std::vector<uint32_t> Pixels;
    bool Empty() const { return Width <= 0 || Height <= 0; }
};

// One monitor of the screen.
struct Monitor {
    ScreenRect Bounds;
    bool Primary = false;
};

// One pixel's colour.
struct ScreenColor {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    constexpr bool operator==(const ScreenColor&) const = default;
};

// A window of the desktop, opaque to the program; None means no window.
enum class WindowId : uint64_t { None = 0 };

// Read access to what the screen shows: pixels, cursor, monitors and windows. All coordinates
// are physical pixels of the whole screen. Failures of the display connection throw
// std::runtime_error.
class ScreenSource {
public:
    virtual ~ScreenSource() = default;

    // Copies the screen rectangle at `origin` of the target's size into `target`; pixels of
    // the rectangle that lie outside the screen are left as they were.
    virtual void CopyArea(ScreenPoint origin, const PixelBuffer& target) = 0;
    // The current cursor shape and position; empty when no cursor image is available.
    virtual CursorImage Cursor() = 0;
    // The mouse pointer's position.
    virtual ScreenPoint CursorPosition() = 0;
    // The monitors, in the system's order, exactly one flagged primary; never empty.
    virtual std::vector<Monitor> Monitors() = 0;
    // The window that has the keyboard focus as the desktop reports it; None when none.
    virtual WindowId ActiveWindow() = 0;
    // The innermost visible window under the point, window-manager decorations counting as
    // their client window; the desktop's own window when no other is there.
    virtual WindowId WindowAt(ScreenPoint point) = 0;
    // The window's visible frame (without invisible borders and shadows); nullopt when the
    // window does not exist.
    virtual std::optional<ScreenRect> WindowFrame(WindowId window) = 0;
    // The colour of one screen pixel; nullopt outside the screen.
    virtual std::optional<ScreenColor> PixelAt(ScreenPoint point) = 0;
};

}  // namespace dravemo
