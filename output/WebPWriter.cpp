// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/WebPWriter.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "output/WebPLibrary.h"
#include "output/WriterSupport.h"

namespace dravemo {

namespace {

// The largest width and height a WebP image can have.
constexpr int kMaxWebPSide = 16383;

// A copy of a 32-bit bitmap's rows with every fourth byte 255: captures carry 0 there, which
// the encoder would take for a fully transparent image.
std::vector<uint8_t> OpaqueBgra(const TBitmap& bitmap) {
    const size_t rowBytes = static_cast<size_t>(bitmap.Width()) * 4;
    std::vector<uint8_t> pixels(rowBytes * static_cast<size_t>(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* dst = pixels.data() + rowBytes * static_cast<size_t>(y);
        std::memcpy(dst, bitmap.ScanLine(y), rowBytes);
        for (size_t i = 3; i < rowBytes; i += 4) dst[i] = 255;
    }
    return pixels;
}

}  // namespace

void BitmapToWebPFile(TBitmap& bitmap, const QString& path, int quality) {
    BitmapToWebPFile(bitmap, path, quality, WebPLibrary::DefaultLocations());
}

void BitmapToWebPFile(TBitmap& bitmap, const QString& path, int quality,
                      const std::vector<std::string>& libraryLocations) {
    const std::optional<WebPLibrary> library = WebPLibrary::Load(libraryLocations);
    if (!library) return;
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    RequireWritableSize(bitmap, path, std::numeric_limits<int>::max());
    const std::vector<uint8_t> pixels = OpaqueBgra(bitmap);
    const int stride = bitmap.Width() * 4;
    const std::vector<uint8_t> encoded =
        quality >= 100
            ? library->EncodeLossless(pixels.data(), bitmap.Width(), bitmap.Height(), stride)
            : library->EncodeLossy(pixels.data(), bitmap.Width(), bitmap.Height(), stride,
                                   static_cast<float>(std::max(quality, 0)));
    if (encoded.empty()) {
        const bool tooLarge = bitmap.Width() > kMaxWebPSide || bitmap.Height() > kMaxWebPSide;
        throw ImageWriteError(
            path, std::string("the WebP encoder produced no data") +
                      (tooLarge ? " (WebP images are at most 16383 pixels a side)" : ""));
    }
    WriteWholeFile(path, encoded);
}

bool WebPLibraryAvailable() { return WebPLibraryAvailable(WebPLibrary::DefaultLocations()); }

bool WebPLibraryAvailable(const std::vector<std::string>& libraryLocations) {
    return WebPLibrary::Load(libraryLocations).has_value();
}

}  // namespace dravemo
