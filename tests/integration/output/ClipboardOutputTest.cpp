// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>
#include <thread>

#include "output/ClipboardOutput.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "tests/support/VirtualDisplay.h"
#include "tests/unit/output/OutputTestBitmaps.h"

namespace dravemo {
namespace {

// An X application on a private display; the clipboard is served from its event loop.
class X11ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "xcb");
        App = std::make_unique<QGuiApplication>(Argc, Argv);
    }
    void TearDown() override { App.reset(); }

    // Runs xclip to read the clipboard as `target`, serving the selection meanwhile.
    std::string ReadClipboard(const std::string& target) {
        test::ChildProcess xclip({"xclip", "-selection", "clipboard", "-t", target, "-o"},
                                 Display.Env(), true);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (xclip.Running() && std::chrono::steady_clock::now() < end) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_EQ(xclip.Wait(std::chrono::seconds(1)), 0) << xclip.Output();
        return xclip.Output();
    }

    test::VirtualDisplay Display{"640x480x24", false};
    int Argc = 1;
    char Name[8] = "test";
    char* Argv[2] = {Name, nullptr};
    std::unique_ptr<QGuiApplication> App;
    FakeMessageBoxes Boxes;
};

TEST_F(X11ClipboardTest, OtherProgramsReadTheImageExactly) {
    const TBitmap bitmap = test::NoiseBitmap(37, 23, TPixelFormat::pf32bit);
    BitmapToClipboard(bitmap, Boxes, QStringLiteral("Dravemo"));
    const test::DecodedImage png = test::DecodePngRgb(ReadClipboard("image/png"));
    ASSERT_EQ(png.Width, 37);
    ASSERT_EQ(png.Height, 23);
    EXPECT_EQ(png.Pixels, test::BitmapRgb(bitmap).Pixels);
    EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(X11ClipboardTest, OtherProgramsReadTheText) {
    TextToClipboard(QStringLiteral("1E90FF 색"), Boxes, QStringLiteral("Dravemo"));
    EXPECT_EQ(ReadClipboard("UTF8_STRING"), "1E90FF 색");
    EXPECT_TRUE(Boxes.Boxes.empty());
}

}  // namespace
}  // namespace dravemo
