// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

// Bitmaps the output tests write, and their expected colours. Header-only so that the
// integration tests can use it too.

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "capture/TBitmap.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ImageDecoding.h"

namespace dravemo::test {

// Random bytes in every pixel (and in the fourth byte of 32-bit pixels).
inline TBitmap NoiseBitmap(int width, int height, TPixelFormat format, unsigned seed = 1) {
    TBitmap bitmap(width, height, format);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bitmap.ScanLine(y);
        const int bytes = (width * bitmap.BitsPerPixel() + 7) / 8;
        for (int i = 0; i < bytes; ++i) row[i] = static_cast<uint8_t>(random());
    }
    return bitmap;
}

// A smooth photograph-like picture with thousands of colours, fourth byte 0 as in captures.
inline TBitmap PhotoBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit) {
    TBitmap bitmap(width, height, format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double fx = double(x) / width, fy = double(y) / height;
            const int r = static_cast<int>(255 * fx);
            const int g = static_cast<int>(255 * fy);
            const int b = static_cast<int>(127.5 + 127.5 * std::sin(6.0 * (fx + fy)));
            bitmap.SetPixelRGB(x, y, (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b));
        }
    }
    return bitmap;
}

// An indexed bitmap with a distinct palette of all its 2^depth entries and a pattern that
// uses every index.
inline TBitmap IndexedBitmap(int width, int height, TPixelFormat format) {
    TBitmap bitmap(width, height, format);
    const int count = 1 << bitmap.BitsPerPixel();
    for (int i = 0; i < count; ++i) {
        bitmap.Palette().push_back({static_cast<uint8_t>(i * 37 + 5), static_cast<uint8_t>(255 - i),
                                    static_cast<uint8_t>(i * 11 + 100), 0});
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) bitmap.SetPixelIndex(x, y, (x * 7 + y * 3) % count);
    }
    return bitmap;
}

// The bitmap's colours as an RGB image.
inline DecodedImage BitmapRgb(const TBitmap& bitmap) {
    DecodedImage image;
    image.Width = bitmap.Width();
    image.Height = bitmap.Height();
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const uint32_t c = bitmap.PixelRGB(x, y);
            image.Pixels.insert(image.Pixels.end(),
                                {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                 static_cast<uint8_t>(c)});
        }
    }
    return image;
}

// Decodes any image file with ImageMagick into RGB; invalid when it cannot.
inline DecodedImage DecodeWithImageMagick(const std::string& file, const std::string& scratch) {
    const RunResult r = Run({"convert", file, "-depth", "8", "ppm:" + scratch});
    if (r.Exit != 0) return {};
    return ReadPnm(scratch);
}

}  // namespace dravemo::test
