// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "output/BmpWriter.h"
#include "tests/support/TempDir.h"
#include "tests/unit/output/OutputTestBitmaps.h"

namespace dravemo {
namespace {

uint32_t Le32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) | (uint32_t(uint8_t(s[at + 1])) << 8) |
           (uint32_t(uint8_t(s[at + 2])) << 16) | (uint32_t(uint8_t(s[at + 3])) << 24);
}
uint16_t Le16(const std::string& s, size_t at) {
    return uint16_t(uint8_t(s[at]) | (uint8_t(s[at + 1]) << 8));
}

class BmpWriterTest : public ::testing::TestWithParam<TPixelFormat> {};

TEST_P(BmpWriterTest, KeepsTheDepthWithHeadersTableAndBottomUpRows) {
    const TPixelFormat format = GetParam();
    const bool indexed = TBitmap::BitsPerPixelOf(format) <= 8;
    const TBitmap bitmap =
        indexed ? test::IndexedBitmap(13, 7, format) : test::NoiseBitmap(13, 7, format);
    test::TempDir dir;
    const auto path = dir / "image.bmp";
    BitmapToBMPFile(bitmap, QString::fromStdString(path.string()));
    const std::string file = test::ReadFile(path);

    const uint32_t colours = indexed ? uint32_t(bitmap.Palette().size()) : 0;
    const uint32_t offset = 14 + 40 + 4 * colours;
    const uint32_t imageSize = uint32_t(bitmap.Stride()) * 7;
    ASSERT_EQ(file.size(), offset + imageSize);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(Le32(file, 2), file.size());
    EXPECT_EQ(Le32(file, 6), 0u);
    EXPECT_EQ(Le32(file, 10), offset);
    EXPECT_EQ(Le32(file, 14), 40u);
    EXPECT_EQ(Le32(file, 18), 13u);
    EXPECT_EQ(Le32(file, 22), 7u);  // positive height: bottom-up
    EXPECT_EQ(Le16(file, 26), 1);
    EXPECT_EQ(Le16(file, 28), bitmap.BitsPerPixel());
    EXPECT_EQ(Le32(file, 30), 0u);  // BI_RGB
    EXPECT_EQ(Le32(file, 34), imageSize);
    EXPECT_EQ(Le32(file, 46), colours);
    for (uint32_t i = 0; i < colours; ++i) {
        const TPaletteEntry& e = bitmap.Palette()[i];
        EXPECT_EQ(file.substr(54 + 4 * i, 4),
                  std::string({char(e.Blue), char(e.Green), char(e.Red), 0}))
            << i;
    }
    // The first stored row is the bitmap's bottom row; a 32-bit pixel's fourth byte is 0.
    for (int row = 0; row < 7; ++row) {
        std::string expected(reinterpret_cast<const char*>(bitmap.ScanLine(6 - row)),
                             bitmap.Stride());
        if (format == TPixelFormat::pf32bit) {
            for (size_t i = 3; i < expected.size(); i += 4) expected[i] = 0;
        }
        EXPECT_EQ(file.substr(offset + row * bitmap.Stride(), bitmap.Stride()), expected) << row;
    }

    const test::DecodedImage decoded =
        test::DecodeWithImageMagick(path.string(), (dir / "d.ppm").string());
    EXPECT_EQ(decoded.Pixels, test::BitmapRgb(bitmap).Pixels);
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpWriterTest,
                         ::testing::Values(TPixelFormat::pf1bit, TPixelFormat::pf4bit,
                                           TPixelFormat::pf8bit, TPixelFormat::pf24bit,
                                           TPixelFormat::pf32bit));

}  // namespace
}  // namespace dravemo
