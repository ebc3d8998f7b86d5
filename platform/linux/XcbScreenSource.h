// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "platform/ScreenSource.h"

namespace dravemo {

// How an XcbScreenSource connects.
struct XcbScreenOptions {
    // The X display to open; empty means $DISPLAY.
    std::string Display;
    // Read pixels through MIT-SHM when the server can share memory; false forces plain GetImage.
    bool AllowShm = true;
};

// The screen of an X server through XCB: root-window pixels (MIT-SHM or plain GetImage), the
// XFixes cursor, RandR monitors and the window manager's view of the windows.
class XcbScreenSource : public ScreenSource {
public:
    // Throws std::runtime_error when the display cannot be opened or its pixel format is not
    // 24-bit truecolour.
    explicit XcbScreenSource(const XcbScreenOptions& options = {});
    ~XcbScreenSource() override;

    void CopyArea(ScreenPoint origin, const PixelBuffer& target) override;
    CursorImage Cursor() override;
    ScreenPoint CursorPosition() override;
    std::vector<Monitor> Monitors() override;
    WindowId ActiveWindow() override;
    WindowId WindowAt(ScreenPoint point) override;
    std::optional<ScreenRect> WindowFrame(WindowId window) override;
    std::optional<ScreenColor> PixelAt(ScreenPoint point) override;

    // Whether pixel reads go through shared memory (final after the first read).
    bool UsesShm() const;

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

}  // namespace dravemo
