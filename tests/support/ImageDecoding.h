// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

// Independent decoders for tests that check written images: libpng for PNG, a reader of the
// portable pixmaps that djpeg, dwebp, pdftoppm and ImageMagick write. Header-only; a test
// executable using the PNG part links libpng.

#include <png.h>

#include <array>
#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace dravemo::test {

// Decoded pixels, 8 bits per channel, rows top-down; Channels is 3 (RGB) or 4 (RGBA).
struct DecodedImage {
    int Width = 0;
    int Height = 0;
    int Channels = 3;
    std::vector<uint8_t> Pixels;

    bool Valid() const { return Width > 0 && Height > 0; }
    const uint8_t* At(int x, int y) const {
        return Pixels.data() + (static_cast<size_t>(y) * Width + x) * Channels;
    }
    // 0x00RRGGBB
    uint32_t Rgb(int x, int y) const {
        const uint8_t* p = At(x, y);
        return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
};

// Peak signal-to-noise ratio in dB over the RGB channels of two images of one size;
// 99 for identical images.
inline double Psnr(const DecodedImage& a, const DecodedImage& b) {
    double sum = 0;
    for (int y = 0; y < a.Height; ++y) {
        for (int x = 0; x < a.Width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const double d = double(a.At(x, y)[c]) - double(b.At(x, y)[c]);
                sum += d * d;
            }
        }
    }
    if (sum == 0) return 99;
    const double mse = sum / (3.0 * a.Width * a.Height);
    return 10 * std::log10(255.0 * 255.0 / mse);
}

// Reads a binary PPM (P6) or PAM (P7, RGB or RGB_ALPHA) with maxval 255; invalid on error.
inline DecodedImage ReadPnm(const std::filesystem::path& path) {
    const std::string data = ReadFile(path);
    DecodedImage image;
    std::istringstream in(data);
    std::string magic;
    in >> magic;
    int maxval = 0;
    if (magic == "P6") {
        auto next = [&in]() {
            std::string token;
            while (in >> token && token[0] == '#') std::getline(in, token);
            return std::stoi(token);
        };
        image.Width = next();
        image.Height = next();
        maxval = next();
        in.get();
    } else if (magic == "P7") {
        std::string key;
        while (in >> key && key != "ENDHDR") {
            if (key == "WIDTH")
                in >> image.Width;
            else if (key == "HEIGHT")
                in >> image.Height;
            else if (key == "DEPTH")
                in >> image.Channels;
            else if (key == "MAXVAL")
                in >> maxval;
            else
                std::getline(in, key);
        }
        in.get();
    } else {
        return {};
    }
    const size_t size = static_cast<size_t>(image.Width) * image.Height * image.Channels;
    const auto offset = static_cast<size_t>(in.tellg());
    if (maxval != 255 || (image.Channels != 3 && image.Channels != 4) ||
        data.size() < offset + size) {
        return {};
    }
    image.Pixels.assign(data.begin() + static_cast<std::ptrdiff_t>(offset),
                        data.begin() + static_cast<std::ptrdiff_t>(offset + size));
    return image;
}

// Decodes PNG bytes to 8-bit RGB with libpng's simplified interface; invalid on error.
inline DecodedImage DecodePngRgb(const std::string& bytes) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return {};
    png.format = PNG_FORMAT_RGB;
    DecodedImage image;
    image.Width = static_cast<int>(png.width);
    image.Height = static_cast<int>(png.height);
    image.Pixels.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.Pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        return {};
    }
    return image;
}

// A PNG as stored: header fields, palette and the rows exactly as coded (packed samples,
// after libpng has undone the filters and checked every CRC).
struct PngRaw {
    bool Ok = false;
    std::string Error;
    uint32_t Width = 0, Height = 0;
    int BitDepth = 0, ColorType = 0, Interlace = 0, Compression = 0, Filter = 0;
    std::vector<std::array<uint8_t, 3>> Palette;
    std::vector<std::vector<uint8_t>> Rows;
};

namespace detail {
struct PngMemoryReader {
    const std::string* Bytes;
    size_t Offset = 0;
    char Error[256] = {};
};
inline void PngRead(png_structp png, png_bytep out, png_size_t size) {
    auto* r = static_cast<PngMemoryReader*>(png_get_io_ptr(png));
    if (r->Offset + size > r->Bytes->size()) png_error(png, "truncated file");
    std::memcpy(out, r->Bytes->data() + r->Offset, size);
    r->Offset += size;
}
inline void PngFail(png_structp png, png_const_charp message) {
    auto* r = static_cast<PngMemoryReader*>(png_get_io_ptr(png));
    std::strncpy(r->Error, message, sizeof r->Error - 1);
    png_longjmp(png, 1);
}
// Reads with png_read_png; only plain data lives in this frame across setjmp.
inline bool ReadPngRaw(PngMemoryReader& reader, PngRaw& out) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_read_fn(png, &reader, PngRead);
    png_set_error_fn(png, png_get_error_ptr(png), PngFail, nullptr);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    out.Width = png_get_image_width(png, info);
    out.Height = png_get_image_height(png, info);
    out.BitDepth = png_get_bit_depth(png, info);
    out.ColorType = png_get_color_type(png, info);
    out.Interlace = png_get_interlace_type(png, info);
    out.Compression = png_get_compression_type(png, info);
    out.Filter = png_get_filter_type(png, info);
    png_colorp palette = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &palette, &count) & PNG_INFO_PLTE) {
        for (int i = 0; i < count; ++i) {
            out.Palette.push_back({palette[i].red, palette[i].green, palette[i].blue});
        }
    }
    const size_t rowBytes = png_get_rowbytes(png, info);
    png_bytepp rows = png_get_rows(png, info);
    for (uint32_t y = 0; y < out.Height; ++y) out.Rows.emplace_back(rows[y], rows[y] + rowBytes);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}
}  // namespace detail

inline PngRaw ReadPngRaw(const std::string& bytes) {
    PngRaw raw;
    detail::PngMemoryReader reader{&bytes};
    raw.Ok = detail::ReadPngRaw(reader, raw);
    raw.Error = reader.Error;
    return raw;
}

}  // namespace dravemo::test
