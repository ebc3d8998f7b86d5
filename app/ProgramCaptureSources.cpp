// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "app/ProgramCaptureSources.h"

#include <stdexcept>

#include "capture/TFrmDrag.h"

namespace dravemo {

ProgramCaptureSources::ProgramCaptureSources(TCapture& capture, std::function<TRect()> regionRect,
                                             ScreenSource& screen, QWidget* owner,
                                             WindowActivation& activation)
    : FCapture(capture),
      FRegionRect(std::move(regionRect)),
      FScreen(screen),
      FOwner(owner),
      FActivation(activation) {}

void ProgramCaptureSources::GrabFullScreen(TBitmap& bitmap, TRect& rect) {
    FCapture.Capture(bitmap, TWindowId::None, rect);
}

void ProgramCaptureSources::GrabForegroundWindow(TBitmap& bitmap, TRect& rect) {
    FCapture.Capture(bitmap, FCapture.ForegroundWindow(), rect);
}

void ProgramCaptureSources::GrabWindowUnderCursor(TBitmap& bitmap, TRect& rect) {
    FCapture.Capture(bitmap, FCapture.WindowFromPoint(FCapture.CursorPos()), rect);
}

void ProgramCaptureSources::GrabWebPage(TBitmap& /*bitmap*/) {
    throw std::runtime_error("Web page capture is not available in this version of Dravemo.");
}

std::unique_ptr<TBitmap> ProgramCaptureSources::DragSelect(TRect& rect) {
    std::unique_ptr<TBitmap> bitmap;
    auto overlay = std::make_unique<TFrmDrag>(FOwner, FScreen, &FActivation);
    overlay->Capture(bitmap, rect);
    // From here on the overlay deletes itself when its modal loop ends. A loop ended from
    // outside (the program quitting) delivered nothing, whatever the variable holds.
    if (overlay.release()->exec() != QDialog::Accepted) bitmap.reset();
    return bitmap;
}

void ProgramCaptureSources::CaptureColor() {
    throw std::runtime_error("The colour picker is not available in this version of Dravemo.");
}

}  // namespace dravemo
