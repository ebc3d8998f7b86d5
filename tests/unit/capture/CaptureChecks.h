// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "capture/TBitmap.h"
#include "capture/TRect.h"
#include "platform/fake/FakeScreenSource.h"

namespace dravemo::test {

// Compares a grab of `rect` with the fake screen: pixels on a monitor must show the picture,
// the others `offScreen`. Returns "" or a description of the first difference.
inline std::string CompareWithScreen(const TBitmap& image, const FakeScreenSource& screen,
                                     const TRect& rect, uint32_t offScreen = 0) {
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const int32_t sx = rect.Left + x, sy = rect.Top + y;
            const uint32_t expected =
                screen.OnMonitor(sx, sy) ? screen.PictureAt(sx, sy) : offScreen;
            if (image.PixelRGB(x, y) != expected) {
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") of screen (" +
                       std::to_string(sx) + ", " + std::to_string(sy) + ") is " +
                       std::to_string(image.PixelRGB(x, y)) + ", expected " +
                       std::to_string(expected);
            }
        }
    }
    return "";
}

// Monitor with bounds given as left, top, width, height.
inline Monitor MonitorOf(int32_t left, int32_t top, int32_t width, int32_t height,
                         bool primary = false) {
    return Monitor{ScreenRect{left, top, width, height}, primary};
}

}  // namespace dravemo::test
