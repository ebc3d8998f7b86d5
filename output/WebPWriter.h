// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "capture/TBitmap.h"

namespace dravemo {

// Writes the bitmap as a WebP file through the WebP codec library: lossless for a quality of
// 100 or more, lossy at that quality below (a negative one counts as 0). The bitmap is first
// converted in place to 32 bits per pixel; its pixels keep their colours. The encoder gets
// every pixel opaque.
//
// Without the library (or with one lacking an entry point) nothing is written and nothing is
// raised: the main window warns about the missing library when WebP is chosen. Any other
// failure, an encoder that produces no data included, throws std::runtime_error and leaves an
// existing file as it was.
void BitmapToWebPFile(TBitmap& bitmap, const QString& path, int quality);
// The same with the library looked for at the given locations (see WebPLibrary).
void BitmapToWebPFile(TBitmap& bitmap, const QString& path, int quality,
                      const std::vector<std::string>& libraryLocations);

// Whether the WebP codec library can be loaded with the entry points the writer uses.
bool WebPLibraryAvailable();
bool WebPLibraryAvailable(const std::vector<std::string>& libraryLocations);

}  // namespace dravemo
