// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zlib.h>

#include "output/PngWriter.h"
#include "tests/support/TempDir.h"
#include "tests/unit/output/OutputTestBitmaps.h"

namespace dravemo {
namespace {

using test::DecodePngRgb;
using test::ReadPngRaw;

struct Chunk {
    std::string Type;
    std::string Data;
};

uint32_t BigEndian32(const std::string& s, size_t at) {
    return (uint32_t(uint8_t(s[at])) << 24) | (uint32_t(uint8_t(s[at + 1])) << 16) |
           (uint32_t(uint8_t(s[at + 2])) << 8) | uint32_t(uint8_t(s[at + 3]));
}

// Splits a PNG file into its chunks by their length fields; fails the test when the lengths
// do not lead exactly to the end of the file.
std::vector<Chunk> Chunks(const std::string& file) {
    EXPECT_EQ(file.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::vector<Chunk> chunks;
    size_t at = 8;
    while (at + 12 <= file.size()) {
        const uint32_t length = BigEndian32(file, at);
        if (at + 12 + length > file.size()) break;
        chunks.push_back({file.substr(at + 4, 4), file.substr(at + 8, length)});
        at += 12 + length;
    }
    EXPECT_EQ(at, file.size()) << "chunk lengths do not add up to the file";
    return chunks;
}

std::string Inflate(const std::string& data) {
    z_stream z{};
    inflateInit(&z);
    std::string out;
    std::vector<char> buffer(1 << 16);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    int result = Z_OK;
    while (result == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer.data());
        z.avail_out = static_cast<uInt>(buffer.size());
        result = inflate(&z, Z_NO_FLUSH);
        out.append(buffer.data(), buffer.size() - z.avail_out);
    }
    inflateEnd(&z);
    EXPECT_EQ(result, Z_STREAM_END);
    return out;
}

std::string DeflateLevel7(const std::string& data) {
    z_stream z{};
    deflateInit2(&z, 7, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, data.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string ChunkTypes(const std::vector<Chunk>& chunks) {
    std::string types;
    for (const Chunk& c : chunks) types += (types.empty() ? "" : " ") + c.Type;
    return types;
}

std::string AllIdat(const std::vector<Chunk>& chunks) {
    std::string data;
    for (const Chunk& c : chunks) {
        if (c.Type == "IDAT") data += c.Data;
    }
    return data;
}

// A desktop-like picture: flat panels with rows of dark "text" strokes, fourth byte 0.
TBitmap DesktopBitmap(int width, int height, TPixelFormat format) {
    TBitmap bitmap(width, height, format);
    static constexpr uint32_t kPanels[] = {0xF0F0F0, 0x283C5A, 0xC8D2DC};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool stroke = y % 20 < 12 && x % 160 < 120 && (x * 7 + y * 13) % 5 < 2;
            bitmap.SetPixelRGB(x, y, stroke ? 0x141414 : kPanels[(x / 160 + y / 100) % 3]);
        }
    }
    return bitmap;
}

struct TruecolourCase {
    const char* Name;
    TBitmap (*Make)(int width, int height, TPixelFormat format);
    int Width;
    int Height;
    TPixelFormat Format;
};

class PngTruecolourTest : public ::testing::TestWithParam<TruecolourCase> {};

// Noise is incompressible, so that its data spans several IDAT chunks; the photo and the
// desktop show whether the file stays as small as zlib's level 7 makes it.
TEST_P(PngTruecolourTest, WritesSubFilteredRgbInBoundedIdatChunks) {
    const TruecolourCase& c = GetParam();
    test::TempDir dir;
    const TBitmap bitmap = c.Make(c.Width, c.Height, c.Format);
    const QString path = QString::fromStdString((dir / "picture.png").string());
    BitmapToPNGFile(bitmap, path);
    const std::string file = test::ReadFile(dir / "picture.png");

    const std::vector<Chunk> chunks = Chunks(file);
    ASSERT_GE(chunks.size(), 3u);
    std::string expected = "IHDR";
    for (size_t i = 1; i + 1 < chunks.size(); ++i) expected += " IDAT";
    EXPECT_EQ(ChunkTypes(chunks), expected + " IEND");
    // Width, height, 8 bits, colour type 2, compression 0, filter method 0, no interlace.
    std::string header;
    for (const int value : {c.Width, c.Height}) {
        for (int shift = 24; shift >= 0; shift -= 8) header += char((value >> shift) & 0xFF);
    }
    EXPECT_EQ(chunks[0].Data, header + std::string("\x08\x02\0\0\0", 5));
    for (size_t i = 1; i + 1 < chunks.size(); ++i) {
        EXPECT_LE(chunks[i].Data.size(), 65535u) << "IDAT " << i;
    }
    EXPECT_EQ(chunks.back().Data, "");

    const std::string compressed = AllIdat(chunks);
    // A zlib stream with a 32 KiB window, whose decompressed rows all carry the Sub filter.
    ASSERT_GE(compressed.size(), 2u);
    EXPECT_EQ(compressed[0], '\x78');
    const std::string filtered = Inflate(compressed);
    const size_t rowBytes = 1 + static_cast<size_t>(c.Width) * 3;
    ASSERT_EQ(filtered.size(), rowBytes * c.Height);
    for (int y = 0; y < c.Height; ++y) {
        ASSERT_EQ(filtered[y * rowBytes], 1) << "filter of row " << y;
    }
    EXPECT_LE(double(compressed.size()), 1.01 * double(DeflateLevel7(filtered).size()));

    const test::DecodedImage decoded = DecodePngRgb(file);
    ASSERT_TRUE(decoded.Valid());
    EXPECT_EQ(decoded.Pixels, test::BitmapRgb(bitmap).Pixels);
}

TBitmap Noise(int width, int height, TPixelFormat format) {
    return test::NoiseBitmap(width, height, format);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PngTruecolourTest,
    ::testing::Values(TruecolourCase{"Noise24", Noise, 301, 200, TPixelFormat::pf24bit},
                      TruecolourCase{"Noise32", Noise, 301, 200, TPixelFormat::pf32bit},
                      TruecolourCase{"Photo32", test::PhotoBitmap, 640, 400,
                                     TPixelFormat::pf32bit},
                      TruecolourCase{"Desktop24", DesktopBitmap, 643, 400, TPixelFormat::pf24bit},
                      TruecolourCase{"Desktop32", DesktopBitmap, 640, 400,
                                     TPixelFormat::pf32bit}),
    [](const auto& info) { return std::string(info.param.Name); });

class PngIndexedTest : public ::testing::TestWithParam<TPixelFormat> {};

// Indexed bitmaps of a width that leaves the last byte of each row partly used.
TEST_P(PngIndexedTest, KeepsDepthPaletteAndIndices) {
    test::TempDir dir;
    const TBitmap bitmap = test::IndexedBitmap(13, 6, GetParam());
    BitmapToPNGFile(bitmap, QString::fromStdString((dir / "indexed.png").string()));
    const std::string file = test::ReadFile(dir / "indexed.png");

    EXPECT_EQ(ChunkTypes(Chunks(file)), "IHDR PLTE IDAT IEND");
    const test::PngRaw raw = ReadPngRaw(file);
    ASSERT_TRUE(raw.Ok) << raw.Error;
    EXPECT_EQ(raw.ColorType, PNG_COLOR_TYPE_PALETTE);
    EXPECT_EQ(raw.BitDepth, bitmap.BitsPerPixel());
    EXPECT_EQ(raw.Interlace, 0);
    ASSERT_EQ(raw.Palette.size(), bitmap.Palette().size());
    for (size_t i = 0; i < raw.Palette.size(); ++i) {
        const TPaletteEntry& e = bitmap.Palette()[i];
        EXPECT_EQ(raw.Palette[i], (std::array<uint8_t, 3>{e.Red, e.Green, e.Blue})) << i;
    }
    const int depth = raw.BitDepth;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 13; ++x) {
            const int bit = x * depth;
            const int index = (raw.Rows[y][bit / 8] >> (8 - depth - bit % 8)) & ((1 << depth) - 1);
            ASSERT_EQ(index, bitmap.PixelIndex(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(DecodePngRgb(file).Pixels, test::BitmapRgb(bitmap).Pixels);
}

INSTANTIATE_TEST_SUITE_P(Depths, PngIndexedTest,
                         ::testing::Values(TPixelFormat::pf1bit, TPixelFormat::pf4bit,
                                           TPixelFormat::pf8bit));

// A palette that does not fit the pixels: entries beyond the depth are dropped, indices beyond
// the palette get black (as the bitmap shows them), so the file stays valid.
TEST(PngWriterTest, FitsAMismatchedPaletteToThePixels) {
    test::TempDir dir;
    struct Case {
        TPixelFormat Format;
        size_t PaletteSize;
        int HighestIndex;
        size_t ExpectedEntries;
    };
    for (const Case& c : {Case{TPixelFormat::pf8bit, 2, 9, 10}, Case{TPixelFormat::pf1bit, 5, 1, 2},
                          Case{TPixelFormat::pf4bit, 0, 0, 1}}) {
        TBitmap bitmap(4, 2, c.Format);
        for (size_t i = 0; i < c.PaletteSize; ++i) {
            bitmap.Palette().push_back(
                {uint8_t(10 * i + 1), uint8_t(20 * i + 2), uint8_t(30 * i + 3), 0});
        }
        bitmap.SetPixelIndex(3, 1, c.HighestIndex);
        const auto path = dir / "palette.png";
        BitmapToPNGFile(bitmap, QString::fromStdString(path.string()));
        const std::string file = test::ReadFile(path);
        const test::PngRaw raw = ReadPngRaw(file);
        ASSERT_TRUE(raw.Ok) << raw.Error;
        EXPECT_EQ(raw.Palette.size(), c.ExpectedEntries);
        EXPECT_EQ(DecodePngRgb(file).Pixels, test::BitmapRgb(bitmap).Pixels);
    }
}

}  // namespace
}  // namespace dravemo
