// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "app/ProgramCaptureSources.h"

#include <stdexcept>

namespace dravemo {

ProgramCaptureSources::ProgramCaptureSources(TCapture& capture, std::function<TRect()> regionRect)
    : FCapture(capture), FRegionRect(std::move(regionRect)) {}

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

std::unique_ptr<TBitmap> ProgramCaptureSources::DragSelect(TRect& /*rect*/) {
    throw std::runtime_error("The drag selection is not available in this version of Dravemo.");
}

void ProgramCaptureSources::CaptureColor() {
    throw std::runtime_error("The colour picker is not available in this version of Dravemo.");
}

}  // namespace dravemo
