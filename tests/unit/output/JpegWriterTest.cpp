// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "output/JpegWriter.h"
#include "tests/support/TempDir.h"
#include "tests/unit/output/OutputTestBitmaps.h"

namespace dravemo {
namespace {

// The markers of a JPEG file up to the start of the scan, with their segment data.
std::multimap<int, std::string> Segments(const std::string& file) {
    std::multimap<int, std::string> segments;
    EXPECT_EQ(file.substr(0, 2), "\xff\xd8");
    size_t at = 2;
    while (at + 4 <= file.size() && uint8_t(file[at]) == 0xFF) {
        const int marker = uint8_t(file[at + 1]);
        const size_t length = (size_t(uint8_t(file[at + 2])) << 8) | uint8_t(file[at + 3]);
        segments.emplace(marker, file.substr(at + 4, length - 2));
        if (marker == 0xDA) break;
        at += 2 + length;
    }
    return segments;
}

test::DecodedImage DecodeJpeg(const test::TempDir& dir, const std::string& name) {
    const std::string out = (dir / (name + ".ppm")).string();
    const test::RunResult r = test::Run({"djpeg", "-ppm", "-outfile", out, (dir / name).string()});
    EXPECT_EQ(r.Exit, 0) << r.Output;
    return test::ReadPnm(out);
}

class JpegFormatTest : public ::testing::TestWithParam<TPixelFormat> {};

TEST_P(JpegFormatTest, WritesBaselineThreeComponentJfif) {
    test::TempDir dir;
    TBitmap bitmap = test::PhotoBitmap(97, 61);
    if (GetParam() == TPixelFormat::pf8bit) {
        // A smooth ramp through a palette.
        bitmap = TBitmap(97, 61, TPixelFormat::pf8bit);
        for (int i = 0; i < 256; ++i)
            bitmap.Palette().push_back({uint8_t(i / 2), uint8_t(255 - i), uint8_t(i), 0});
        for (int y = 0; y < 61; ++y) {
            for (int x = 0; x < 97; ++x) bitmap.SetPixelIndex(x, y, (x + y) * 255 / 158);
        }
    } else {
        bitmap.SetPixelFormat(GetParam());
    }
    BitmapToJPGFile(bitmap, QString::fromStdString((dir / "a.jpg").string()), 90);

    const auto segments = Segments(test::ReadFile(dir / "a.jpg"));
    ASSERT_EQ(segments.count(0xE0), 1u);
    EXPECT_EQ(segments.find(0xE0)->second.substr(0, 5), std::string("JFIF\0", 5));
    for (int sof : {0xC1, 0xC2, 0xC3, 0xC9, 0xCA, 0xCB}) EXPECT_EQ(segments.count(sof), 0u) << sof;
    ASSERT_EQ(segments.count(0xC0), 1u);
    const std::string sof0 = segments.find(0xC0)->second;
    // Precision 8, height, width, three components.
    EXPECT_EQ(sof0.substr(0, 6), std::string("\x08\x00\x3d\x00\x61\x03", 6));

    const test::DecodedImage decoded = DecodeJpeg(dir, "a.jpg");
    ASSERT_EQ(decoded.Width, 97);
    ASSERT_EQ(decoded.Height, 61);
    EXPECT_GT(test::Psnr(decoded, test::BitmapRgb(bitmap)), 35);
}

INSTANTIATE_TEST_SUITE_P(Formats, JpegFormatTest,
                         ::testing::Values(TPixelFormat::pf32bit, TPixelFormat::pf24bit,
                                           TPixelFormat::pf8bit));

// The quality reaches the coder: 100 gives all-one quantisation tables and the closest
// picture, 60 a coarser one.
TEST(JpegWriterTest, AppliesTheQuality) {
    test::TempDir dir;
    const TBitmap bitmap = test::PhotoBitmap(80, 64);
    std::map<int, double> psnr;
    for (int quality : {60, 100}) {
        const std::string name = "q" + std::to_string(quality) + ".jpg";
        BitmapToJPGFile(bitmap, QString::fromStdString((dir / name).string()), quality);
        psnr[quality] = test::Psnr(DecodeJpeg(dir, name), test::BitmapRgb(bitmap));
        if (quality == 100) {
            const auto segments = Segments(test::ReadFile(dir / name));
            auto [first, last] = segments.equal_range(0xDB);
            ASSERT_NE(first, last);
            for (auto it = first; it != last; ++it) {
                // Each table: one byte of precision and number, then 64 one-byte values.
                const std::string& dqt = it->second;
                for (size_t t = 0; t + 65 <= dqt.size(); t += 65) {
                    EXPECT_EQ(dqt.substr(t + 1, 64), std::string(64, '\x01'));
                }
            }
        }
    }
    EXPECT_GT(psnr[100], psnr[60] + 3);
    EXPECT_GT(psnr[60], 30);
}

// libjpeg refuses images wider than 65500 pixels; its message reaches the caller and no file
// is created.
TEST(JpegWriterTest, ReportsCoderErrorsWithoutWritingAFile) {
    test::TempDir dir;
    const TBitmap bitmap(70000, 1, TPixelFormat::pf24bit);
    const auto path = dir / "wide.jpg";
    try {
        BitmapToJPGFile(bitmap, QString::fromStdString(path.string()), 90);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr(path.string()));
        EXPECT_THAT(e.what(), ::testing::HasSubstr("65500"));
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace dravemo
