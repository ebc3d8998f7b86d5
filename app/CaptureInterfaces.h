// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "capture/TBitmap.h"
#include "capture/TRect.h"

namespace dravemo {

// Capture modes: the index of the main window's mode list.
enum TCaptureMode : int {
    cmFullScreen = 0,
    cmRegion = 1,
    cmDrag = 2,
    cmActiveWindow = 3,
    cmWindowControl = 4,
    cmWebPage = 5,
    cmColorPicker = 6,
};

// Save targets: the index of the main window's target list.
enum TSaveTarget : int {
    stPNG = 0,
    stJPG = 1,
    stGIF = 2,
    stBMP = 3,
    stWebP = 4,
    stMP4 = 5,
    stTXT = 6,
    stClipboard = 7,
    stUpload = 8,
    stPrinter = 9,
    stFloating = 10,
};

// The capture sound choice: the digit of the checked sound menu item (0 when none is checked).
enum TSoundChoice : int { scNone = 1, scBefore = 2, scAfter = 3 };

// What a capture request reads from and shows through the main window.
class CaptureHost {
public:
    virtual ~CaptureHost() = default;
    virtual int SelectedMode() const = 0;    // -1 when nothing is selected
    virtual int SelectedTarget() const = 0;  // -1 when nothing is selected
    virtual int SoundChoice() const = 0;
    virtual bool IncludeCursor() const = 0;
    virtual QString JpegQualityText() const = 0;
    virtual QString WebpQualityText() const = 0;
    virtual int PixelsPerInch() const = 0;
    // The full path of the next output file with this extension; throws when it cannot be made.
    virtual QString NewFilename(const QString& ext) = 0;
    virtual void PlayCaptureSound() = 0;
    // A message box titled with the translated window caption.
    virtual void ShowMessage(const QString& text, uint32_t flags) = 0;
    // The general error display for an error nobody else handles.
    virtual void ReportError(const QString& message) = 0;
};

// How each capture mode obtains its image. Every operation throws on failure.
class CaptureSources {
public:
    virtual ~CaptureSources() = default;
    virtual void SetShowCursor(bool show) = 0;
    // The monitor nearest to the cursor; `rect` receives the grabbed area.
    virtual void GrabFullScreen(TBitmap& bitmap, TRect& rect) = 0;
    // The rectangle inside the region frame, in screen pixels.
    virtual TRect RegionRect() = 0;
    virtual void GrabRect(TBitmap& bitmap, const TRect& rect) = 0;
    virtual void GrabForegroundWindow(TBitmap& bitmap, TRect& rect) = 0;
    virtual void GrabWindowUnderCursor(TBitmap& bitmap, TRect& rect) = 0;
    virtual void GrabWebPage(TBitmap& bitmap) = 0;
    // Lets the user drag a rectangle over the frozen desktop; null when cancelled.
    virtual std::unique_ptr<TBitmap> DragSelect(TRect& rect) = 0;
    virtual void CaptureColor() = 0;
};

// Where a captured image goes. Every operation throws on failure.
class CaptureDestinations {
public:
    virtual ~CaptureDestinations() = default;
    virtual void ToPNGFile(TBitmap& bitmap, const QString& path) = 0;
    virtual void ToJPGFile(TBitmap& bitmap, const QString& path, int quality) = 0;
    virtual void ToGIFFile(TBitmap& bitmap, const QString& path) = 0;
    virtual void ToBMPFile(TBitmap& bitmap, const QString& path) = 0;
    virtual void ToWebPFile(TBitmap& bitmap, const QString& path, int quality) = 0;
    // Starts recognition and owns the bitmap from then on; the busy state ends when it is done.
    virtual void ToTXTFile(std::unique_ptr<TBitmap> bitmap) = 0;
    virtual void ToClipboard(TBitmap& bitmap) = 0;
    virtual void ToPrinter(TBitmap& bitmap, int pixelsPerInch) = 0;
    virtual void ToFloating(TBitmap& bitmap, const TRect& rect) = 0;
    // Returns when the upload has finished.
    virtual void Upload(TBitmap& bitmap) = 0;
    virtual void RecordStart() = 0;
    virtual void RecordStop() = 0;
};

}  // namespace dravemo
