// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>

#include "app/CaptureInterfaces.h"
#include "platform/MessageBoxes.h"

namespace dravemo {

// The save targets of the running program: the image writers, the clipboard and the printer,
// and the windows and services of the other targets.
class ProgramCaptureDestinations : public CaptureDestinations {
public:
    // `applicationTitle` gives the title of the clipboard's failure message.
    ProgramCaptureDestinations(MessageBoxes& boxes, std::function<QString()> applicationTitle);

    void ToPNGFile(TBitmap& bitmap, const QString& path) override;
    void ToJPGFile(TBitmap& bitmap, const QString& path, int quality) override;
    void ToGIFFile(TBitmap& bitmap, const QString& path) override;
    void ToBMPFile(TBitmap& bitmap, const QString& path) override;
    void ToWebPFile(TBitmap& bitmap, const QString& path, int quality) override;
    void ToTXTFile(std::unique_ptr<TBitmap> bitmap) override;
    void ToClipboard(TBitmap& bitmap) override;
    void ToPrinter(TBitmap& bitmap, int pixelsPerInch) override;
    void ToFloating(TBitmap& bitmap, const TRect& rect) override;
    void Upload(TBitmap& bitmap) override;
    void RecordStart() override;
    void RecordStop() override;

private:
    MessageBoxes& FBoxes;
    std::function<QString()> FApplicationTitle;
};

}  // namespace dravemo
