// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/BitmapImage.h"

#include <stdexcept>

namespace dravemo {

QImage BitmapToQImage(const TBitmap& bitmap) {
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    if (image.isNull() && !bitmap.Empty()) throw std::runtime_error("Out of memory for the image");
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
        bitmap.RowXRGB(y, dst);
        for (int x = 0; x < bitmap.Width(); ++x) dst[x] |= 0xFF000000u;
    }
    return image;
}

}  // namespace dravemo
