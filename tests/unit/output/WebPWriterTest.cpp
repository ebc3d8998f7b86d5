// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>

#include "output/WebPWriter.h"
#include "tests/support/TempDir.h"
#include "tests/unit/output/OutputTestBitmaps.h"

namespace dravemo {
namespace {

QString Q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

// Decodes with dwebp into RGBA.
test::DecodedImage DecodeWebP(const std::filesystem::path& file) {
    const std::string out = file.string() + ".pam";
    const test::RunResult r = test::Run({"dwebp", file.string(), "-pam", "-o", out});
    EXPECT_EQ(r.Exit, 0) << r.Output;
    return test::ReadPnm(out);
}

bool AllOpaque(const test::DecodedImage& image) {
    if (image.Channels != 4) return false;
    for (size_t i = 3; i < image.Pixels.size(); i += 4) {
        if (image.Pixels[i] != 255) return false;
    }
    return true;
}

test::DecodedImage Rgb(const test::DecodedImage& rgba) {
    test::DecodedImage rgb;
    rgb.Width = rgba.Width;
    rgb.Height = rgba.Height;
    for (size_t i = 0; i < rgba.Pixels.size(); i += 4) {
        rgb.Pixels.insert(rgb.Pixels.end(), rgba.Pixels.begin() + i, rgba.Pixels.begin() + i + 3);
    }
    return rgb;
}

// The kind of the first chunk in the RIFF container: "VP8L" lossless, "VP8 " lossy.
std::string Kind(const std::filesystem::path& file) { return test::ReadFile(file).substr(12, 4); }

// Quality 100: lossless, pixel-exact, opaque; the caller's 24-bit bitmap is now 32-bit with
// the same colours.
TEST(WebPWriterTest, WritesLosslessAtQuality100AndConvertsTheBitmap) {
    test::TempDir dir;
    TBitmap bitmap = test::NoiseBitmap(45, 31, TPixelFormat::pf24bit);
    const test::DecodedImage before = test::BitmapRgb(bitmap);
    BitmapToWebPFile(bitmap, Q(dir / "a.webp"), 100);

    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(test::BitmapRgb(bitmap).Pixels, before.Pixels);
    EXPECT_EQ(Kind(dir / "a.webp"), "VP8L");
    const test::DecodedImage decoded = DecodeWebP(dir / "a.webp");
    ASSERT_EQ(decoded.Width, 45);
    EXPECT_TRUE(AllOpaque(decoded));
    EXPECT_EQ(Rgb(decoded).Pixels, before.Pixels);
}

// Below 100: lossy at that quality. The capture's fourth bytes are 0, yet the file is opaque.
TEST(WebPWriterTest, WritesLossyOpaqueBelowQuality100) {
    test::TempDir dir;
    const TBitmap source = test::PhotoBitmap(120, 80);
    double psnr60 = 0, psnr90 = 0;
    for (int quality : {60, 90}) {
        TBitmap bitmap = source;
        const auto path = dir / ("q" + std::to_string(quality) + ".webp");
        BitmapToWebPFile(bitmap, Q(path), quality);
        EXPECT_EQ(Kind(path), "VP8 ");
        const test::DecodedImage decoded = DecodeWebP(path);
        ASSERT_EQ(decoded.Width, 120);
        EXPECT_TRUE(AllOpaque(decoded));
        (quality == 60 ? psnr60 : psnr90) = test::Psnr(Rgb(decoded), test::BitmapRgb(source));
    }
    EXPECT_GT(psnr90, 35);
    EXPECT_GT(psnr90, psnr60);
}

// Without a usable library nothing is written, nothing raised and the bitmap left alone;
// a library lacking the entry points counts as missing, and the next location is tried.
TEST(WebPWriterTest, LooksForTheLibraryInTurn) {
    test::TempDir dir;
    // A real shared library without the WebP entry points, under the WebP library's name.
    Dl_info zlib{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&zlibVersion), &zlib), 0);
    std::filesystem::copy_file(zlib.dli_fname, dir / "libwebp.so.7");
    const std::string impostor = (dir / "libwebp.so.7").string();
    struct Case {
        std::vector<std::string> Locations;
        bool Writes;
    };
    for (const Case& c : {Case{{(dir / "none" / "libwebp.so.7").string()}, false},
                          Case{{impostor}, false}, Case{{impostor, "libwebp.so.7"}, true}}) {
        TBitmap bitmap = test::NoiseBitmap(8, 8, TPixelFormat::pf24bit);
        const auto path = dir / "out.webp";
        std::filesystem::remove(path);
        EXPECT_NO_THROW(BitmapToWebPFile(bitmap, Q(path), 90, c.Locations));
        EXPECT_EQ(std::filesystem::exists(path), c.Writes) << c.Locations[0];
        EXPECT_EQ(bitmap.PixelFormat(), c.Writes ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
        EXPECT_EQ(WebPLibraryAvailable(c.Locations), c.Writes);
    }
    EXPECT_TRUE(WebPLibraryAvailable());
}

// An encoder that returns no data (WebP is limited to 16383 pixels a side) is an error, and
// the file already there stays as it was.
TEST(WebPWriterTest, RaisesWhenTheEncoderProducesNothing) {
    test::TempDir dir;
    const auto path = dir / "a.webp";
    TBitmap good = test::NoiseBitmap(4, 4, TPixelFormat::pf32bit);
    BitmapToWebPFile(good, Q(path), 100);
    const std::string before = test::ReadFile(path);
    ASSERT_FALSE(before.empty());

    TBitmap wide(16384, 1, TPixelFormat::pf32bit);
    try {
        BitmapToWebPFile(wide, Q(path), 100);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr(path.string()));
        EXPECT_THAT(e.what(), ::testing::HasSubstr("no data"));
    }
    EXPECT_EQ(test::ReadFile(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
}  // namespace dravemo
