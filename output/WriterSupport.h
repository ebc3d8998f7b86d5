// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "capture/TBitmap.h"

namespace dravemo {

// The error of an image writer: names the file and the reason.
std::runtime_error ImageWriteError(const QString& path, const std::string& reason);

// Refuses a bitmap a format cannot hold: an empty one, or one wider or higher than maxSide.
void RequireWritableSize(const TBitmap& bitmap, const QString& path, int maxSide);

// Replaces the file at `path` with the given bytes, so that a failure leaves the old file.
void WriteWholeFile(const QString& path, const std::vector<uint8_t>& bytes);

// The colours of an indexed bitmap for a file's colour table: its palette cut to the entries
// the depth can address, extended with black up to the highest index the pixels use (which the
// bitmap shows as black), and never empty.
std::vector<TPaletteEntry> IndexedColours(const TBitmap& bitmap);

}  // namespace dravemo
