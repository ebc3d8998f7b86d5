// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "capture/TBitmap.h"

namespace dravemo {

// Writes the bitmap as a single-image GIF without transparency, replacing any file of that
// name. Indexed bitmaps keep their palette; truecolour ones are reduced to at most 256 colours
// (see QuantizeColours). Throws std::runtime_error on failure, leaving an existing file as it
// was.
void BitmapToGIFFile(const TBitmap& bitmap, const QString& path);

}  // namespace dravemo
