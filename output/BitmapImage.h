// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

#include "capture/TBitmap.h"

namespace dravemo {

// An opaque 32-bit QImage (QImage::Format_RGB32) with the bitmap's colours, for Qt's
// clipboard and painting.
QImage BitmapToQImage(const TBitmap& bitmap);

}  // namespace dravemo
