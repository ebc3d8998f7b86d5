// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/TBitmap.h"

#include <limits>
#include <stdexcept>
#include <string>

namespace dravemo {

TBitmap::TBitmap(int width, int height, TPixelFormat format) : FFormat(format) {
    SetSize(width, height);
}

int TBitmap::BitsPerPixelOf(TPixelFormat format) {
    switch (format) {
        case TPixelFormat::pf1bit:
            return 1;
        case TPixelFormat::pf4bit:
            return 4;
        case TPixelFormat::pf8bit:
            return 8;
        case TPixelFormat::pf24bit:
            return 24;
        case TPixelFormat::pf32bit:
            return 32;
    }
    return 32;
}

int TBitmap::StrideOf(int width, TPixelFormat format) {
    const int64_t bits = static_cast<int64_t>(width) * BitsPerPixelOf(format);
    return static_cast<int>(((bits + 31) / 32) * 4);
}

size_t TBitmap::SetDimensions(int width, int height) {
    width = width < 0 ? 0 : width;
    height = height < 0 ? 0 : height;
    const int64_t stride = static_cast<int64_t>(StrideOf(width, FFormat));
    if (stride * height > std::numeric_limits<int32_t>::max()) {
        throw std::length_error("The image is too large (" + std::to_string(width) + " x " +
                                std::to_string(height) + " pixels).");
    }
    FWidth = width;
    FHeight = height;
    FStride = static_cast<int>(stride);
    return static_cast<size_t>(stride) * height;
}

void TBitmap::SetSize(int width, int height) { FPixels.assign(SetDimensions(width, height), 0); }

void TBitmap::SetSizeForOverwrite(int width, int height) {
    const size_t bytes = SetDimensions(width, height);
    FPixels.clear();
    FPixels.resize(bytes);
}

namespace {

// 0x00RRGGBB of a pixel stored as B, G, R bytes.
uint32_t RGBOfBGR(const uint8_t* p) { return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0]; }

}  // namespace

bool TBitmap::IsIndexed(TPixelFormat format) {
    return format == TPixelFormat::pf1bit || format == TPixelFormat::pf4bit ||
           format == TPixelFormat::pf8bit;
}

uint32_t TBitmap::PaletteRGB(int index) const {
    if (index >= static_cast<int>(FPalette.size())) return 0;
    const TPaletteEntry& e = FPalette[index];
    return (uint32_t{e.Red} << 16) | (uint32_t{e.Green} << 8) | e.Blue;
}

uint32_t TBitmap::PixelRGB(int x, int y) const {
    if (IsIndexed(FFormat)) return PaletteRGB(PixelIndex(x, y));
    return RGBOfBGR(ScanLine(y) + static_cast<size_t>(x) * TruecolourStep());
}

void TBitmap::RowRGB(int y, uint8_t* rgb) const {
    if (IsIndexed(FFormat)) {
        for (int x = 0; x < FWidth; ++x, rgb += 3) {
            const uint32_t c = PaletteRGB(PixelIndex(x, y));
            rgb[0] = static_cast<uint8_t>(c >> 16);
            rgb[1] = static_cast<uint8_t>(c >> 8);
            rgb[2] = static_cast<uint8_t>(c);
        }
        return;
    }
    const int step = TruecolourStep();
    const uint8_t* src = ScanLine(y);
    for (int x = 0; x < FWidth; ++x, src += step, rgb += 3) {
        rgb[0] = src[2];
        rgb[1] = src[1];
        rgb[2] = src[0];
    }
}

void TBitmap::RowXRGB(int y, uint32_t* xrgb) const {
    if (IsIndexed(FFormat)) {
        for (int x = 0; x < FWidth; ++x) xrgb[x] = PaletteRGB(PixelIndex(x, y));
        return;
    }
    const int step = TruecolourStep();
    const uint8_t* src = ScanLine(y);
    for (int x = 0; x < FWidth; ++x, src += step) xrgb[x] = RGBOfBGR(src);
}

void TBitmap::SetPixelRGB(int x, int y, uint32_t rgb) {
    if (IsIndexed(FFormat)) throw std::logic_error("SetPixelRGB needs a truecolour bitmap");
    uint8_t* p = ScanLine(y) + static_cast<size_t>(x) * TruecolourStep();
    p[0] = rgb & 0xFF;
    p[1] = (rgb >> 8) & 0xFF;
    p[2] = (rgb >> 16) & 0xFF;
}

int TBitmap::PixelIndex(int x, int y) const {
    const uint8_t* row = ScanLine(y);
    switch (FFormat) {
        case TPixelFormat::pf8bit:
            return row[x];
        case TPixelFormat::pf4bit:
            return (row[x / 2] >> ((x % 2) ? 0 : 4)) & 0x0F;
        case TPixelFormat::pf1bit:
            return (row[x / 8] >> (7 - x % 8)) & 0x01;
        default:
            throw std::logic_error("PixelIndex needs an indexed bitmap");
    }
}

void TBitmap::SetPixelIndex(int x, int y, int index) {
    uint8_t* row = ScanLine(y);
    switch (FFormat) {
        case TPixelFormat::pf8bit:
            row[x] = static_cast<uint8_t>(index);
            break;
        case TPixelFormat::pf4bit: {
            const int shift = (x % 2) ? 0 : 4;
            row[x / 2] =
                static_cast<uint8_t>((row[x / 2] & ~(0x0F << shift)) | ((index & 0x0F) << shift));
            break;
        }
        case TPixelFormat::pf1bit: {
            const int shift = 7 - x % 8;
            row[x / 8] =
                static_cast<uint8_t>((row[x / 8] & ~(1 << shift)) | ((index & 1) << shift));
            break;
        }
        default:
            throw std::logic_error("SetPixelIndex needs an indexed bitmap");
    }
}

namespace {

int NearestPaletteIndex(const std::vector<TPaletteEntry>& palette, uint32_t rgb) {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < palette.size(); ++i) {
        const int dr = r - palette[i].Red, dg = g - palette[i].Green, db = b - palette[i].Blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

}  // namespace

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == FFormat) return;
    if (IsIndexed(format) && FPalette.empty()) {
        throw std::logic_error("Converting to an indexed format needs a palette");
    }
    TBitmap converted(FWidth, FHeight, format);
    converted.FPalette = FPalette;
    const bool toIndexed = IsIndexed(format);
    const bool fromIndexed = IsIndexed(FFormat);
    for (int y = 0; y < FHeight; ++y) {
        for (int x = 0; x < FWidth; ++x) {
            if (toIndexed && fromIndexed) {
                converted.SetPixelIndex(x, y, PixelIndex(x, y));
            } else if (toIndexed) {
                converted.SetPixelIndex(x, y, NearestPaletteIndex(FPalette, PixelRGB(x, y)));
            } else {
                converted.SetPixelRGB(x, y, PixelRGB(x, y));
            }
        }
    }
    *this = std::move(converted);
}

}  // namespace dravemo
