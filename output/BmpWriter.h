// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "capture/TBitmap.h"

namespace dravemo {

// Writes the bitmap as an uncompressed Windows BMP of its own depth (file header, 40-byte info
// header, colour table for indexed bitmaps, rows bottom-up), replacing any file of that name.
// Throws std::runtime_error on failure, leaving an existing file as it was.
void BitmapToBMPFile(const TBitmap& bitmap, const QString& path);

}  // namespace dravemo
