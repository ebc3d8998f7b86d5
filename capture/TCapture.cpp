// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/TCapture.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

namespace dravemo {

namespace {

// Width and height of a rectangle without overflow; negative extents count as 0.
int64_t Extent(int32_t from, int32_t to) { return std::max<int64_t>(int64_t{to} - from, 0); }

int32_t Clamp32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

TRect ToRect(const ScreenRect& r) {
    return TRect{r.X, r.Y, Clamp32(int64_t{r.X} + std::max(r.Width, 0)),
                 Clamp32(int64_t{r.Y} + std::max(r.Height, 0))};
}

void RequireCanvas(const TBitmap& canvas) {
    if (canvas.PixelFormat() != TPixelFormat::pf32bit) {
        throw std::invalid_argument("The capture canvas must have 32 bits per pixel.");
    }
}

// Distance along one axis from a coordinate to the pixels from..to-1.
int64_t Gap(int64_t value, int64_t from, int64_t to) {
    if (value < from) return from - value;
    if (value >= to) return value - (to - 1);
    return 0;
}

// out = premultiplied source + destination * (255 - alpha) / 255, rounded to the nearest.
uint8_t Blend(uint32_t source, uint32_t alpha, uint8_t destination) {
    const uint32_t value = source + (destination * (255 - alpha) + 127) / 255;
    return static_cast<uint8_t>(std::min<uint32_t>(value, 255));
}

}  // namespace

void TCapture::CaptureToCanvas(TBitmap& canvas, const TRect& rect) {
    RequireCanvas(canvas);
    const auto width =
        static_cast<int32_t>(std::min<int64_t>(Extent(rect.Left, rect.Right), canvas.Width()));
    const auto height =
        static_cast<int32_t>(std::min<int64_t>(Extent(rect.Top, rect.Bottom), canvas.Height()));
    if (width > 0 && height > 0) {
        FScreen.CopyArea({rect.Left, rect.Top},
                         PixelBuffer{canvas.Bits(), width, height, canvas.Stride()});
    }
    if (FShowCursor) DrawMouse(canvas, rect.Left, rect.Top);
}

void TCapture::Capture(TBitmap& bitmap, const TRect& rect) { CaptureRect(bitmap, rect, false); }

void TCapture::CaptureRect(TBitmap& bitmap, const TRect& rect, bool onScreen) {
    const int64_t width = Extent(rect.Left, rect.Right);
    const int64_t height = Extent(rect.Top, rect.Bottom);
    if (width > std::numeric_limits<int>::max() || height > std::numeric_limits<int>::max()) {
        throw std::length_error("The image is too large (" + std::to_string(width) + " x " +
                                std::to_string(height) + " pixels).");
    }
    if (bitmap.PixelFormat() != TPixelFormat::pf32bit) bitmap = TBitmap();
    if (onScreen) {
        bitmap.SetSizeForOverwrite(static_cast<int>(width), static_cast<int>(height));
    } else {
        bitmap.SetSize(static_cast<int>(width), static_cast<int>(height));
    }
    CaptureToCanvas(bitmap, rect);
}

void TCapture::Capture(TBitmap& bitmap, TWindowId window, TRect& rect) {
    if (window == TWindowId{0}) {
        // A monitor is part of the screen: its grab covers every pixel.
        rect = MonitorAt(FScreen.Monitors(), CursorPos());
        CaptureRect(bitmap, rect, true);
        return;
    }
    if (const auto frame = FScreen.WindowFrame(window)) rect = ToRect(*frame);
    CaptureRect(bitmap, rect, false);
}

void TCapture::DrawMouse(TBitmap& canvas, int32_t left, int32_t top) {
    RequireCanvas(canvas);
    const CursorImage cursor = FScreen.Cursor();
    if (cursor.Empty() ||
        cursor.Pixels.size() < static_cast<size_t>(cursor.Width) * cursor.Height) {
        return;
    }
    // The canvas position of the cursor image's top-left pixel.
    const int64_t x0 = int64_t{cursor.Position.X} - cursor.HotX - left;
    const int64_t y0 = int64_t{cursor.Position.Y} - cursor.HotY - top;
    const int64_t firstRow = std::max<int64_t>(0, -y0);
    const int64_t lastRow = std::min<int64_t>(cursor.Height, canvas.Height() - y0);
    const int64_t firstColumn = std::max<int64_t>(0, -x0);
    const int64_t lastColumn = std::min<int64_t>(cursor.Width, canvas.Width() - x0);
    for (int64_t row = firstRow; row < lastRow; ++row) {
        uint8_t* line = canvas.ScanLine(static_cast<int>(y0 + row));
        const uint32_t* source = cursor.Pixels.data() + row * cursor.Width;
        for (int64_t column = firstColumn; column < lastColumn; ++column) {
            const uint32_t argb = source[column];
            const uint32_t alpha = argb >> 24;
            uint8_t* pixel = line + (x0 + column) * 4;
            pixel[0] = Blend(argb & 0xFF, alpha, pixel[0]);
            pixel[1] = Blend((argb >> 8) & 0xFF, alpha, pixel[1]);
            pixel[2] = Blend((argb >> 16) & 0xFF, alpha, pixel[2]);
        }
    }
}

TPoint TCapture::CursorPos() {
    const ScreenPoint p = FScreen.CursorPosition();
    return {p.X, p.Y};
}

std::optional<uint32_t> TCapture::PixelAt(TPoint point) {
    const auto colour = FScreen.PixelAt({point.X, point.Y});
    if (!colour) return std::nullopt;
    return (uint32_t{colour->Blue} << 16) | (uint32_t{colour->Green} << 8) | colour->Red;
}

TRect TCapture::MonitorAt(const std::vector<Monitor>& monitors, TPoint point) {
    if (monitors.empty()) throw std::runtime_error("The screen reports no monitor.");
    const Monitor* nearest = &monitors.front();
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (const Monitor& m : monitors) {
        const TRect bounds = ToRect(m.Bounds);
        const int64_t dx = Gap(point.X, bounds.Left, bounds.Right);
        const int64_t dy = Gap(point.Y, bounds.Top, bounds.Bottom);
        if (dx == 0 && dy == 0) return bounds;
        // Squared distance; exact for any gap below 2^26 pixels, and never overflows.
        const auto fx = static_cast<double>(dx), fy = static_cast<double>(dy);
        const double distance = fx * fx + fy * fy;
        if (distance < nearestDistance) {
            nearest = &m;
            nearestDistance = distance;
        }
    }
    return ToRect(nearest->Bounds);
}

}  // namespace dravemo
