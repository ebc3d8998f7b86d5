// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "app/ProgramCaptureDestinations.h"

#include <stdexcept>

#include "output/BmpWriter.h"
#include "output/ClipboardOutput.h"
#include "output/GifWriter.h"
#include "output/JpegWriter.h"
#include "output/PngWriter.h"
#include "output/PrinterOutput.h"
#include "output/WebPWriter.h"

namespace dravemo {

namespace {
[[noreturn]] void NotAvailable(const char* what) {
    throw std::runtime_error(std::string(what) + " is not available in this version of Dravemo.");
}
}  // namespace

ProgramCaptureDestinations::ProgramCaptureDestinations(MessageBoxes& boxes,
                                                       std::function<QString()> applicationTitle)
    : FBoxes(boxes), FApplicationTitle(std::move(applicationTitle)) {}

void ProgramCaptureDestinations::ToPNGFile(TBitmap& bitmap, const QString& path) {
    BitmapToPNGFile(bitmap, path);
}
void ProgramCaptureDestinations::ToJPGFile(TBitmap& bitmap, const QString& path, int quality) {
    BitmapToJPGFile(bitmap, path, quality);
}
void ProgramCaptureDestinations::ToGIFFile(TBitmap& bitmap, const QString& path) {
    BitmapToGIFFile(bitmap, path);
}
void ProgramCaptureDestinations::ToBMPFile(TBitmap& bitmap, const QString& path) {
    BitmapToBMPFile(bitmap, path);
}
void ProgramCaptureDestinations::ToWebPFile(TBitmap& bitmap, const QString& path, int quality) {
    BitmapToWebPFile(bitmap, path, quality);
}
void ProgramCaptureDestinations::ToClipboard(TBitmap& bitmap) {
    BitmapToClipboard(bitmap, FBoxes, FApplicationTitle());
}
void ProgramCaptureDestinations::ToPrinter(TBitmap& bitmap, int pixelsPerInch) {
    BitmapToPrinter(bitmap, pixelsPerInch);
}

void ProgramCaptureDestinations::ToTXTFile(std::unique_ptr<TBitmap> /*bitmap*/) {
    NotAvailable("Text recognition");
}
void ProgramCaptureDestinations::ToFloating(TBitmap& /*bitmap*/, const TRect& /*rect*/) {
    NotAvailable("The floating window");
}
void ProgramCaptureDestinations::Upload(TBitmap& /*bitmap*/) { NotAvailable("The upload"); }
void ProgramCaptureDestinations::RecordStart() { NotAvailable("Screen recording"); }
void ProgramCaptureDestinations::RecordStop() {}

}  // namespace dravemo
