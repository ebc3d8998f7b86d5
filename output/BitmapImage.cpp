// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/BitmapImage.h"

#include <stdexcept>

namespace dravemo {

QImage BitmapToQImage(const TBitmap& bitmap) {
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    if (image.isNull() && !bitmap.Empty()) throw std::runtime_error("Out of memory for the image");
    const TPixelFormat format = bitmap.PixelFormat();
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uint8_t* src = bitmap.ScanLine(y);
        if (format == TPixelFormat::pf32bit || format == TPixelFormat::pf24bit) {
            const int step = format == TPixelFormat::pf32bit ? 4 : 3;
            for (int x = 0; x < bitmap.Width(); ++x, src += step)
                dst[x] = qRgb(src[2], src[1], src[0]);
        } else {
            for (int x = 0; x < bitmap.Width(); ++x) dst[x] = 0xFF000000u | bitmap.PixelRGB(x, y);
        }
    }
    return image;
}

}  // namespace dravemo
