// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdlib>
#include <memory>

#include "output/PrinterOutput.h"
#include "tests/integration/output/PrivateCupsServer.h"
#include "tests/unit/output/OutputTestBitmaps.h"

namespace dravemo {
namespace {

namespace fs = std::filesystem;

// The box of the page's non-white pixels.
struct Box {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

Box InkBox(const test::DecodedImage& page) {
    int left = page.Width, top = page.Height, right = -1, bottom = -1;
    for (int y = 0; y < page.Height; ++y) {
        for (int x = 0; x < page.Width; ++x) {
            const uint8_t* p = page.At(x, y);
            if (p[0] < 250 || p[1] < 250 || p[2] < 250) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? Box{} : Box{left, top, right - left + 1, bottom - top + 1};
}

// One private scheduler for the suite: CUPS clients keep the first server address they see.
class PrinterOutputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Server = std::make_unique<test::PrivateCupsServer>(); }
    static void TearDownTestSuite() { Server.reset(); }

    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        App = std::make_unique<QGuiApplication>(Argc, Argv);
    }

    // Prints on a fresh 600 dpi PDF queue made the default, and renders the page at 600 dpi.
    test::DecodedImage PrintAndRender(const TBitmap& bitmap, int pixelsPerInch) {
        const fs::path pdf = Server->Dir() / "out.pdf";
        fs::remove(pdf);
        Server->AddPdfQueue("Pdf600", pdf, 600, true);
        BitmapToPrinter(bitmap, pixelsPerInch);
        EXPECT_TRUE(Server->WaitForIdle());
        Server->RemoveQueue("Pdf600");
        EXPECT_GT(fs::exists(pdf) ? fs::file_size(pdf) : 0, 0u) << Server->ErrorLog();
        EXPECT_THAT(test::Run({"pdfinfo", pdf.string()}).Output,
                    ::testing::ContainsRegex("Pages: +1\n"));
        const fs::path page = Server->Dir() / "page";
        const test::RunResult r =
            test::Run({"pdftoppm", "-r", "600", "-singlefile", pdf.string(), page.string()});
        EXPECT_EQ(r.Exit, 0) << r.Output;
        return test::ReadPnm(page.string() + ".ppm");
    }

    static std::unique_ptr<test::PrivateCupsServer> Server;
    int Argc = 1;
    char Name[8] = "test";
    char* Argv[2] = {Name, nullptr};
    std::unique_ptr<QGuiApplication> App;
};

std::unique_ptr<test::PrivateCupsServer> PrinterOutputTest::Server;

TEST_F(PrinterOutputTest, RaisesWithoutADefaultPrinter) {
    try {
        BitmapToPrinter(test::NoiseBitmap(10, 10, TPixelFormat::pf32bit), 96);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr("no default printer"));
    }
}

// 600 dpi / 96 ppi is 6.25, truncated to 6: 100 x 50 pixels become 600 x 300 dots at the
// top-left of the printable area (18 pt = 150 dots from the left, 36 pt = 300 dots from the
// top), each pixel a 6 x 6 square of its colour.
TEST_F(PrinterOutputTest, PrintsWholeDotsPerPixelAtTheTopLeft) {
    const TBitmap bitmap = test::NoiseBitmap(100, 50, TPixelFormat::pf32bit);
    const test::DecodedImage page = PrintAndRender(bitmap, 96);
    ASSERT_EQ(page.Width, 5100);  // letter at 600 dpi
    const Box box = InkBox(page);
    EXPECT_EQ(box.Left, 150);
    EXPECT_EQ(box.Top, 300);
    // The renderer also paints the pixel on the image's right and bottom boundary.
    EXPECT_THAT(box.Width, ::testing::AnyOf(600, 601));
    EXPECT_THAT(box.Height, ::testing::AnyOf(300, 301));
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 100; ++x) {
            const uint32_t expected = bitmap.PixelRGB(x, y);
            const uint32_t actual = page.Rgb(150 + 6 * x + 3, 300 + 6 * y + 3);
            for (int shift : {0, 8, 16}) {
                ASSERT_LE(std::abs(int((expected >> shift) & 0xFF) - int((actual >> shift) & 0xFF)),
                          2)
                    << x << "," << y;
            }
        }
    }
}

// More pixels per inch than the printer has dots: still one dot per pixel, not an empty page.
TEST_F(PrinterOutputTest, PrintsOneDotPerPixelOnACoarsePrinter) {
    const TBitmap bitmap = test::NoiseBitmap(100, 50, TPixelFormat::pf32bit);
    Server->AddPdfQueue("Probe", Server->Dir() / "probe.pdf", 600, true);
    // Device units per inch of the printer as Qt drives it.
    const int dpi = QPrinter(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution).resolution();
    Server->RemoveQueue("Probe");
    ASSERT_GT(dpi, 0);
    const Box box = InkBox(PrintAndRender(bitmap, dpi + 1));
    EXPECT_EQ(box.Left, 150);
    EXPECT_EQ(box.Top, 300);
    // 100 x 50 dots of 1/dpi inch, rendered at 600 per inch (plus the boundary pixel).
    const int width = 100 * 600 / dpi, height = 50 * 600 / dpi;
    EXPECT_THAT(box.Width, ::testing::AnyOf(width, width + 1)) << dpi;
    EXPECT_THAT(box.Height, ::testing::AnyOf(height, height + 1)) << dpi;
}

}  // namespace
}  // namespace dravemo
