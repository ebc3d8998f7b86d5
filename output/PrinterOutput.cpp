// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/PrinterOutput.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

#include "output/BitmapImage.h"

namespace dravemo {

namespace {

std::runtime_error PrintError(const QString& printer, const std::string& reason) {
    return std::runtime_error("Cannot print on \"" + printer.toStdString() + "\": " + reason);
}

// Printer dots per image pixel: whole, truncated, and never 0 (a printer coarser than the
// screen would otherwise get an empty page).
int DotsPerPixel(int printerDpi, int pixelsPerInch) {
    return std::max(1, printerDpi / pixelsPerInch);
}

}  // namespace

void BitmapToPrinter(const TBitmap& bitmap, int pixelsPerInch) {
    if (pixelsPerInch <= 0) {
        throw std::runtime_error("Cannot print: " + std::to_string(pixelsPerInch) +
                                 " is not a valid number of pixels per inch");
    }
    if (bitmap.Empty()) throw std::runtime_error("Cannot print: the image is empty");
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) throw std::runtime_error("Cannot print: there is no default printer");
    const QImage image = BitmapToQImage(bitmap);

    QPrinter printer(info, QPrinter::HighResolution);
    // Print on the paper the printer is set to, not on Qt's own default size.
    const QPageSize paper = info.defaultPageSize();
    if (paper.isValid()) printer.setPageSize(paper);
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintError(info.printerName(), "the print job cannot start");
    // Painter units are the printer's device units (its resolution per inch), counted from
    // the top-left of the printable area.
    const int fx = DotsPerPixel(printer.logicalDpiX(), pixelsPerInch);
    const int fy = DotsPerPixel(printer.logicalDpiY(), pixelsPerInch);
    const int64_t right = int64_t{image.width()} * fx, bottom = int64_t{image.height()} * fy;
    if (right > std::numeric_limits<int>::max() || bottom > std::numeric_limits<int>::max()) {
        throw PrintError(info.printerName(), "the image is too large to print");
    }
    // Keep the pixels sharp and uncompressed: no smoothing, no lossy image coding.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.drawImage(QRect(0, 0, static_cast<int>(right), static_cast<int>(bottom)), image);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        throw PrintError(info.printerName(), "the print job failed");
    }
}

}  // namespace dravemo
