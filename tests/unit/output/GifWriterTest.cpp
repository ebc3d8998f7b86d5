// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <set>

#include "output/GifWriter.h"
#include "tests/support/TempDir.h"
#include "tests/unit/output/OutputTestBitmaps.h"

namespace dravemo {
namespace {

test::DecodedImage WriteAndDecode(const TBitmap& bitmap, const test::TempDir& dir) {
    const auto path = dir / "image.gif";
    BitmapToGIFFile(bitmap, QString::fromStdString(path.string()));
    return test::DecodeWithImageMagick(path.string(), (dir / "decoded.ppm").string());
}

// Number of frames and of distinct colours as ImageMagick counts them.
std::string FramesAndColours(const std::filesystem::path& path) {
    return test::Run({"identify", "-format", "%n %k\n", path.string()}).Output;
}

std::set<uint32_t> Colours(const test::DecodedImage& image) {
    std::set<uint32_t> colours;
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) colours.insert(image.Rgb(x, y));
    }
    return colours;
}

// Horizontally neighbouring pixels that differ.
int Transitions(const test::DecodedImage& image) {
    int count = 0;
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 1; x < image.Width; ++x) count += image.Rgb(x, y) != image.Rgb(x - 1, y);
    }
    return count;
}

// The source mapped to the nearest of the given colours, without error diffusion.
test::DecodedImage NearestMapped(const test::DecodedImage& source,
                                 const std::set<uint32_t>& colours) {
    test::DecodedImage out = source;
    for (size_t i = 0; i < out.Pixels.size(); i += 3) {
        uint8_t* p = &out.Pixels[i];
        int best = std::numeric_limits<int>::max();
        uint32_t chosen = 0;
        for (uint32_t c : colours) {
            const int dr = p[0] - int(c >> 16), dg = p[1] - int((c >> 8) & 0xFF),
                      db = p[2] - int(c & 0xFF);
            const int d = dr * dr + dg * dg + db * db;
            if (d < best) best = d, chosen = c;
        }
        p[0] = uint8_t(chosen >> 16), p[1] = uint8_t(chosen >> 8), p[2] = uint8_t(chosen);
    }
    return out;
}

TEST(GifWriterTest, ReducesATruecolourPictureTo256DitheredColours) {
    test::TempDir dir;
    const TBitmap bitmap = test::PhotoBitmap(160, 120);
    const test::DecodedImage source = test::BitmapRgb(bitmap);
    ASSERT_GT(Colours(source).size(), 5000u);

    const test::DecodedImage decoded = WriteAndDecode(bitmap, dir);
    ASSERT_EQ(decoded.Width, 160);
    ASSERT_EQ(decoded.Height, 120);
    const std::string head = test::ReadFile(dir / "image.gif").substr(0, 6);
    EXPECT_TRUE(head == "GIF87a" || head == "GIF89a") << head;
    const std::set<uint32_t> colours = Colours(decoded);
    EXPECT_EQ(FramesAndColours(dir / "image.gif"), "1 " + std::to_string(colours.size()) + "\n");
    EXPECT_LE(colours.size(), 256u);
    EXPECT_GT(colours.size(), 200u);
    // Error diffusion costs a little signal-to-noise against plain mapping (about 31 dB here).
    EXPECT_GT(test::Psnr(decoded, source), 27);
    // Error diffusion scatters neighbouring colours where plain nearest-colour mapping with
    // the same palette leaves flat bands.
    EXPECT_GT(Transitions(decoded), 2 * Transitions(NearestMapped(source, colours)));
}

// A capture with no more than 256 colours keeps every pixel exactly.
TEST(GifWriterTest, KeepsAFewColouredCaptureExact) {
    test::TempDir dir;
    TBitmap bitmap = test::IndexedBitmap(70, 33, TPixelFormat::pf8bit);
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    ASSERT_EQ(Colours(test::BitmapRgb(bitmap)).size(), 256u);
    EXPECT_EQ(WriteAndDecode(bitmap, dir).Pixels, test::BitmapRgb(bitmap).Pixels);
}

class GifIndexedTest : public ::testing::TestWithParam<TPixelFormat> {};

TEST_P(GifIndexedTest, KeepsPaletteAndPixels) {
    test::TempDir dir;
    const TBitmap bitmap = test::IndexedBitmap(21, 9, GetParam());
    EXPECT_EQ(WriteAndDecode(bitmap, dir).Pixels, test::BitmapRgb(bitmap).Pixels);
    // The global colour table after the 13-byte header is the palette itself.
    const std::string file = test::ReadFile(dir / "image.gif");
    const size_t tableSize = size_t{2} << (uint8_t(file[10]) & 7);
    ASSERT_TRUE(uint8_t(file[10]) & 0x80) << "no global colour table";
    ASSERT_EQ(tableSize, std::max<size_t>(2, bitmap.Palette().size()));
    for (size_t i = 0; i < bitmap.Palette().size(); ++i) {
        const TPaletteEntry& e = bitmap.Palette()[i];
        EXPECT_EQ(file.substr(13 + 3 * i, 3),
                  std::string({char(e.Red), char(e.Green), char(e.Blue)}))
            << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, GifIndexedTest,
                         ::testing::Values(TPixelFormat::pf1bit, TPixelFormat::pf4bit,
                                           TPixelFormat::pf8bit));

TEST(GifWriterTest, RefusesAnImageTooWideForTheFormat) {
    test::TempDir dir;
    const TBitmap bitmap(65536, 1, TPixelFormat::pf8bit);
    EXPECT_THROW(BitmapToGIFFile(bitmap, QString::fromStdString((dir / "wide.gif").string())),
                 std::runtime_error);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace dravemo
