// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "capture/TBitmap.h"

namespace dravemo {

// Writes the bitmap as a PNG file, replacing any file of that name. Truecolour bitmaps give
// 8-bit RGB (colour type 2, any fourth byte dropped); indexed bitmaps give an indexed PNG
// (colour type 3) of their own depth with their palette. Throws std::runtime_error on failure,
// leaving an existing file as it was.
void BitmapToPNGFile(const TBitmap& bitmap, const QString& path);

}  // namespace dravemo
