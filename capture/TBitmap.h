// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace dravemo {

// Pixel formats of a bitmap. 32 bits is the capture format (bytes B, G, R, X per pixel);
// 24 bits is B, G, R; 8, 4 and 1 bits index a palette (high bits first within a byte).
enum class TPixelFormat { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

// One palette entry, in the byte order of a BMP colour table.
struct TPaletteEntry {
    uint8_t Blue = 0;
    uint8_t Green = 0;
    uint8_t Red = 0;
    uint8_t Reserved = 0;
    constexpr bool operator==(const TPaletteEntry&) const = default;
};

// An allocator whose resize leaves new elements default-initialised (for bytes: unset), so
// that pixels about to be overwritten are not zeroed first.
template <class T>
struct DefaultInitAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = DefaultInitAllocator<U>;
    };
    DefaultInitAllocator() = default;
    template <class U>
    DefaultInitAllocator(const DefaultInitAllocator<U>&) noexcept {}
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

// An in-memory raster image: width, height, pixel format, rows padded to 4 bytes, stored top
// to bottom. A capture creates one per request; destinations read it or take a copy.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Stride() const { return FStride; }
    TPixelFormat PixelFormat() const { return FFormat; }
    int BitsPerPixel() const { return BitsPerPixelOf(FFormat); }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }

    // Resizes to width x height, keeping the format; every pixel becomes 0. Negative sizes
    // count as 0.
    void SetSize(int width, int height);
    // Resizes like SetSize but leaves the pixels unset: for a caller that overwrites every one
    // of them at once.
    void SetSizeForOverwrite(int width, int height);
    // Converts the pixels in place to another format. Truecolour to indexed maps each pixel to
    // the nearest palette colour and needs a palette; indexed formats keep their palette.
    void SetPixelFormat(TPixelFormat format);

    uint8_t* ScanLine(int y) { return FPixels.data() + static_cast<size_t>(y) * FStride; }
    const uint8_t* ScanLine(int y) const {
        return FPixels.data() + static_cast<size_t>(y) * FStride;
    }
    uint8_t* Bits() { return FPixels.data(); }
    const uint8_t* Bits() const { return FPixels.data(); }

    std::vector<TPaletteEntry>& Palette() { return FPalette; }
    const std::vector<TPaletteEntry>& Palette() const { return FPalette; }

    // The colour of one pixel as 0x00RRGGBB, whatever the format.
    uint32_t PixelRGB(int x, int y) const;
    // Row y as R, G, B bytes, 3 * Width of them, whatever the format (indices through the
    // palette; an index beyond it is black).
    void RowRGB(int y, uint8_t* rgb) const;
    // Row y as 0x00RRGGBB values, Width of them, whatever the format.
    void RowXRGB(int y, uint32_t* xrgb) const;
    // Sets one pixel from 0x00RRGGBB; only for 24 and 32 bits.
    void SetPixelRGB(int x, int y, uint32_t rgb);
    // The palette index of one pixel of an indexed bitmap.
    int PixelIndex(int x, int y) const;
    void SetPixelIndex(int x, int y, int index);

    static int BitsPerPixelOf(TPixelFormat format);
    // Whether the format holds palette indices (1, 4 or 8 bits per pixel).
    static bool IsIndexed(TPixelFormat format);
    static int StrideOf(int width, TPixelFormat format);

private:
    // Bytes from one pixel to the next in a truecolour row: 4 for 32 bits, 3 for 24 bits.
    int TruecolourStep() const { return FFormat == TPixelFormat::pf32bit ? 4 : 3; }
    uint32_t PaletteRGB(int index) const;

    int FWidth = 0;
    int FHeight = 0;
    int FStride = 0;
    TPixelFormat FFormat = TPixelFormat::pf32bit;
    // Checks the size and sets the fields; the pixels are the caller's to size.
    size_t SetDimensions(int width, int height);

    std::vector<uint8_t, DefaultInitAllocator<uint8_t>> FPixels;
    std::vector<TPaletteEntry> FPalette;
};

}  // namespace dravemo
