// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include "app/CaptureInterfaces.h"
#include "capture/TCapture.h"
#include "platform/ScreenSource.h"
#include "platform/WindowActivation.h"

class QWidget;

namespace dravemo {

// The capture modes' image sources of the running program: the grabber for the screen,
// windows and the region, and the selection windows for the other modes.
class ProgramCaptureSources : public CaptureSources {
public:
    // The drag overlay freezes `screen`, belongs to `owner` (the main window) while it is open
    // and asks `activation` for the foreground.
    ProgramCaptureSources(TCapture& capture, std::function<TRect()> regionRect,
                          ScreenSource& screen, QWidget* owner, WindowActivation& activation);

    void SetShowCursor(bool show) override { FCapture.SetShowCursor(show); }
    void GrabFullScreen(TBitmap& bitmap, TRect& rect) override;
    TRect RegionRect() override { return FRegionRect(); }
    void GrabRect(TBitmap& bitmap, const TRect& rect) override { FCapture.Capture(bitmap, rect); }
    void GrabForegroundWindow(TBitmap& bitmap, TRect& rect) override;
    void GrabWindowUnderCursor(TBitmap& bitmap, TRect& rect) override;
    void GrabWebPage(TBitmap& bitmap) override;
    std::unique_ptr<TBitmap> DragSelect(TRect& rect) override;
    void CaptureColor() override;

private:
    TCapture& FCapture;
    std::function<TRect()> FRegionRect;
    ScreenSource& FScreen;
    QWidget* FOwner;
    WindowActivation& FActivation;
};

}  // namespace dravemo
