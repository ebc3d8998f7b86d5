// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "output/BmpWriter.h"
#include "output/GifWriter.h"
#include "output/JpegWriter.h"
#include "output/PngWriter.h"
#include "output/WebPWriter.h"
#include "tests/support/TempDir.h"
#include "tests/unit/output/OutputTestBitmaps.h"

namespace dravemo {
namespace {

namespace fs = std::filesystem;

struct Writer {
    std::string Name;
    std::function<void(const TBitmap&, const QString&)> Write;
};

std::ostream& operator<<(std::ostream& out, const Writer& w) { return out << w.Name; }

const Writer kWriters[] = {
    {"png", [](const TBitmap& b, const QString& p) { BitmapToPNGFile(b, p); }},
    {"jpg", [](const TBitmap& b, const QString& p) { BitmapToJPGFile(b, p, 90); }},
    {"gif", [](const TBitmap& b, const QString& p) { BitmapToGIFFile(b, p); }},
    {"bmp", [](const TBitmap& b, const QString& p) { BitmapToBMPFile(b, p); }},
    {"webp",
     [](const TBitmap& b, const QString& p) {
         TBitmap copy = b;
         BitmapToWebPFile(copy, p, 90);
     }},
};

class FileReplacementTest : public ::testing::TestWithParam<Writer> {
protected:
    QString Path(const fs::path& p) const { return QString::fromStdString(p.string()); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(Dir.Path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    test::TempDir Dir;
    const TBitmap First = test::PhotoBitmap(40, 30);
    const TBitmap Second = test::NoiseBitmap(23, 17, TPixelFormat::pf32bit);
};

// An existing file is replaced by exactly what a fresh write gives.
TEST_P(FileReplacementTest, ReplacesAnExistingFile) {
    const fs::path target = Dir / ("image." + GetParam().Name);
    GetParam().Write(First, Path(target));
    GetParam().Write(Second, Path(target));
    GetParam().Write(Second, Path(Dir / "fresh"));
    EXPECT_EQ(test::ReadFile(target), test::ReadFile(Dir / "fresh"));
    EXPECT_THAT(Names(), ::testing::ElementsAre("fresh", "image." + GetParam().Name));
}

// A failed write leaves the good file as it was, and no temporary file behind: refused input,
// and a file that cannot take the place of the target (a folder is in the way).
TEST_P(FileReplacementTest, FailureLeavesTheOldFileAndNoTemporary) {
    const fs::path target = Dir / "good";
    GetParam().Write(First, Path(target));
    const std::string good = test::ReadFile(target);
    ASSERT_FALSE(good.empty());
    EXPECT_THROW(GetParam().Write(TBitmap(0, 0), Path(target)), std::runtime_error);
    EXPECT_EQ(test::ReadFile(target), good);

    fs::create_directory(Dir / "folder");
    EXPECT_THROW(GetParam().Write(Second, Path(Dir / "folder")), std::runtime_error);
    EXPECT_TRUE(fs::is_directory(Dir / "folder"));
    EXPECT_THAT(Names(), ::testing::ElementsAre("folder", "good"));
}

// The message of a file that cannot be created names it.
TEST_P(FileReplacementTest, NamesTheFileItCannotCreate) {
    const fs::path target = Dir / "missing" / ("image." + GetParam().Name);
    try {
        GetParam().Write(First, Path(target));
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr(target.string()));
    }
    EXPECT_TRUE(fs::is_empty(Dir.Path()));
}

INSTANTIATE_TEST_SUITE_P(Writers, FileReplacementTest, ::testing::ValuesIn(kWriters),
                         [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace dravemo
