// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "capture/TBitmap.h"

namespace dravemo {

// Writes the bitmap as a baseline JPEG (three components) at the given quality (1 to 100,
// values outside are clamped by the coder), replacing any file of that name. Throws
// std::runtime_error on failure, leaving an existing file as it was.
void BitmapToJPGFile(const TBitmap& bitmap, const QString& path, int quality);

}  // namespace dravemo
