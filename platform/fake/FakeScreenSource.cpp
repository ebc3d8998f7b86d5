// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/fake/FakeScreenSource.h"

#include <algorithm>
#include <cstdint>

namespace dravemo {

uint32_t FakeScreenSource::PatternAt(int32_t x, int32_t y) {
    const auto ux = static_cast<uint32_t>(x), uy = static_cast<uint32_t>(y);
    const uint32_t red = ((ux >> 8) & 0x0F) | (((uy >> 8) & 0x0F) << 4);
    return (red << 16) | ((uy & 0xFF) << 8) | (ux & 0xFF);
}

uint32_t FakeScreenSource::PictureAt(int32_t x, int32_t y) const {
    const auto it = FPixels.find({x, y});
    return it != FPixels.end() ? it->second : PatternAt(x, y);
}

bool FakeScreenSource::OnMonitor(int32_t x, int32_t y) const {
    return std::any_of(Screens.begin(), Screens.end(), [&](const Monitor& m) {
        return x >= m.Bounds.X && int64_t{x} - m.Bounds.X < m.Bounds.Width && y >= m.Bounds.Y &&
               int64_t{y} - m.Bounds.Y < m.Bounds.Height;
    });
}

void FakeScreenSource::CopyArea(ScreenPoint origin, const PixelBuffer& target) {
    for (int32_t row = 0; row < target.Height; ++row) {
        uint8_t* line = target.Data + static_cast<int64_t>(row) * target.Stride;
        for (int32_t column = 0; column < target.Width; ++column) {
            const int64_t x = int64_t{origin.X} + column, y = int64_t{origin.Y} + row;
            if (x > INT32_MAX || y > INT32_MAX) continue;
            if (!OnMonitor(static_cast<int32_t>(x), static_cast<int32_t>(y))) continue;
            const uint32_t rgb = PictureAt(static_cast<int32_t>(x), static_cast<int32_t>(y));
            uint8_t* p = line + static_cast<int64_t>(column) * 4;
            p[0] = rgb & 0xFF;
            p[1] = (rgb >> 8) & 0xFF;
            p[2] = (rgb >> 16) & 0xFF;
            p[3] = 0;
        }
    }
}

CursorImage FakeScreenSource::Cursor() {
    CursorImage image = Shape;
    image.Position = Pointer;
    return image;
}

WindowId FakeScreenSource::WindowAt(ScreenPoint point) {
    // From the top of the stack down.
    for (size_t i = Windows.size(); i-- > 0;) {
        const ScreenRect& f = Windows[i].Frame;
        if (point.X >= f.X && int64_t{point.X} - f.X < f.Width && point.Y >= f.Y &&
            int64_t{point.Y} - f.Y < f.Height) {
            return Windows[i].Id;
        }
    }
    return Desktop;
}

std::optional<ScreenRect> FakeScreenSource::WindowFrame(WindowId window) {
    if (window == WindowId::None) return std::nullopt;
    for (const Window& w : Windows) {
        if (w.Id == window) return w.Frame;
    }
    if (window != Desktop || Screens.empty()) return std::nullopt;
    int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (const Monitor& m : Screens) {
        left = std::min(left, m.Bounds.X);
        top = std::min(top, m.Bounds.Y);
        right = std::max(right, m.Bounds.X + m.Bounds.Width);
        bottom = std::max(bottom, m.Bounds.Y + m.Bounds.Height);
    }
    return ScreenRect{left, top, right - left, bottom - top};
}

std::optional<ScreenColor> FakeScreenSource::PixelAt(ScreenPoint point) {
    if (!OnMonitor(point.X, point.Y)) return std::nullopt;
    const uint32_t rgb = PictureAt(point.X, point.Y);
    return ScreenColor{static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                       static_cast<uint8_t>(rgb)};
}

}  // namespace dravemo
