// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "platform/ScreenSource.h"

namespace dravemo {

// A screen held in memory: monitors anywhere on the virtual desktop (also left of and above
// the origin), one picture across them, a cursor and a stack of windows. Pixels outside every
// monitor do not exist, as between monitors of different sizes.
class FakeScreenSource : public ScreenSource {
public:
    // A window of the fake desktop.
    struct Window {
        WindowId Id;
        ScreenRect Frame;
    };

    // The colour (0x00RRGGBB) of a pixel that was never set: different for every point within
    // 4096 pixels of another, negative coordinates included.
    static uint32_t PatternAt(int32_t x, int32_t y);
    void SetPixel(int32_t x, int32_t y, uint32_t rgb) { FPixels[{x, y}] = rgb; }
    // The colour of a pixel of the picture, monitor or not.
    uint32_t PictureAt(int32_t x, int32_t y) const;
    bool OnMonitor(int32_t x, int32_t y) const;

    void CopyArea(ScreenPoint origin, const PixelBuffer& target) override;
    CursorImage Cursor() override;
    ScreenPoint CursorPosition() override { return Pointer; }
    std::vector<Monitor> Monitors() override { return Screens; }
    WindowId ActiveWindow() override { return Active; }
    WindowId WindowAt(ScreenPoint point) override;
    std::optional<ScreenRect> WindowFrame(WindowId window) override;
    std::optional<ScreenColor> PixelAt(ScreenPoint point) override;

    std::vector<Monitor> Screens;
    // The cursor's shape; Cursor() reports it at Pointer.
    CursorImage Shape;
    ScreenPoint Pointer;
    // Bottom to top.
    std::vector<Window> Windows;
    WindowId Active = WindowId::None;
    // The window WindowAt reports where no other is; its frame spans all monitors.
    WindowId Desktop{1};

private:
    std::map<std::pair<int32_t, int32_t>, uint32_t> FPixels;
};

}  // namespace dravemo
