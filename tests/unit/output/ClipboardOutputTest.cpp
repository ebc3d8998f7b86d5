// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <memory>

#include "output/ClipboardOutput.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "services/Translation.h"
#include "tests/unit/output/OutputTestBitmaps.h"

namespace dravemo {
namespace {

const QString kTitle = QStringLiteral("Dravemo");
const QString kBlockedText = QStringLiteral("클립보드 사용을 방지하는 프로그램이 실행중입니다.");

// An application on the offscreen platform, whose clipboard lives in the process.
class OffscreenApplication {
public:
    OffscreenApplication() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        App = std::make_unique<QGuiApplication>(Argc, Argv);
    }
    int Argc = 1;
    char Name[8] = "test";
    char* Argv[2] = {Name, nullptr};
    std::unique_ptr<QGuiApplication> App;
};

// Without an application there is no clipboard: the user is told (in the current language),
// nothing is raised.
TEST(ClipboardOutputTest, ReportsAnUnavailableClipboardInAMessageBox) {
    ASSERT_EQ(QGuiApplication::instance(), nullptr);
    FakeMessageBoxes boxes;
    EXPECT_NO_THROW(BitmapToClipboard(test::PhotoBitmap(4, 4), boxes, kTitle));
    EXPECT_NO_THROW(TextToClipboard(QStringLiteral("FFFFFF"), boxes, kTitle));
    ASSERT_EQ(boxes.Boxes.size(), 2u);
    for (const auto& box : boxes.Boxes) {
        EXPECT_EQ(box.Title, TranslateText(kTitle));
        EXPECT_EQ(box.Text, TranslateText(kBlockedText));
        EXPECT_EQ(box.Flags, mb::OK | mb::ICONINFORMATION | mb::SETFOREGROUND | mb::TOPMOST);
    }
}

TEST(ClipboardOutputTest, PutsImagesAndTextOnTheClipboard) {
    OffscreenApplication app;
    FakeMessageBoxes boxes;
    for (TPixelFormat format :
         {TPixelFormat::pf32bit, TPixelFormat::pf24bit, TPixelFormat::pf4bit}) {
        const TBitmap bitmap = format == TPixelFormat::pf4bit ? test::IndexedBitmap(9, 5, format)
                                                              : test::NoiseBitmap(9, 5, format);
        BitmapToClipboard(bitmap, boxes, kTitle);
        const QImage image = QGuiApplication::clipboard()->image();
        ASSERT_EQ(image.size(), QSize(9, 5));
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 9; ++x) {
                ASSERT_EQ(image.pixel(x, y), 0xFF000000u | bitmap.PixelRGB(x, y)) << x << "," << y;
            }
        }
    }
    TextToClipboard(QStringLiteral("00FF7F 색"), boxes, kTitle);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("00FF7F 색"));
    EXPECT_TRUE(boxes.Boxes.empty());
}

}  // namespace
}  // namespace dravemo
