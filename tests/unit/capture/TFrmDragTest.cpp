// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QBackingStore>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <cmath>
#include <functional>
#include <random>

#include "capture/DragSelection.h"
#include "capture/TFrmDrag.h"
#include "platform/fake/FakeWindowActivation.h"
#include "tests/unit/capture/CaptureChecks.h"
#include "tests/support/TestApplication.h"

namespace dravemo {
namespace {

using test::CompareWithScreen;
using test::MonitorOf;

// The desktop: a wide monitor left of the primary one, both starting below or at y = 0, so
// that the overlay (2240 x 100 pixels from (-1920, 0)) also holds pixels on no monitor.
constexpr int kDesktopLeft = -1920, kWidth = 2240, kHeight = 100;

// An overlay armed as the capture dispatch arms it, driven by mouse and key events in device
// pixels (converted to Qt's logical coordinates as the window system would).
class DragOverlay : public ::testing::Test {
protected:
    DragOverlay() {
        test::TestApplication();
        owner = std::make_unique<QWidget>();
        screen.Screens = {MonitorOf(-1920, 40, 1920, 60), MonitorOf(0, 0, 320, 100, true)};
    }
    void Open() {
        overlay = new TFrmDrag(owner.get(), screen, &activation);  // frees itself when it closes
        overlay->Capture(bitmap, rect);
        overlay->show();
        QCoreApplication::processEvents();
    }
    void Mouse(QEvent::Type type, TPoint p, Qt::MouseButton button = Qt::LeftButton) {
        const qreal ratio = overlay->devicePixelRatioF();
        MouseAt(type, QPointF(p.X / ratio, p.Y / ratio), button);
    }
    // A mouse event at a position in logical coordinates.
    void MouseAt(QEvent::Type type, QPointF local, Qt::MouseButton button = Qt::LeftButton) {
        const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : button;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, local, overlay->mapToGlobal(local), changed, held, Qt::NoModifier);
        QCoreApplication::sendEvent(overlay, &event);
        QCoreApplication::processEvents();
    }
    void Drag(TPoint from, TPoint to, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(QEvent::MouseButtonPress, from, button);
        Mouse(QEvent::MouseMove, {(from.X + to.X) / 2, (from.Y + to.Y) / 2}, button);
        Mouse(QEvent::MouseMove, to, button);
        if (overlay) Mouse(QEvent::MouseButtonRelease, to, button);
    }
    void Key(int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(overlay, &event);
        QCoreApplication::processEvents();
    }
    // Handles events (timers included) for `ms` milliseconds, or until the overlay has gone
    // when `untilClosed` is set. Events are handled here, outside any event loop, so that the
    // overlay's deletion after it closed is not postponed to the end of a loop.
    void Pump(int ms, bool untilClosed = false) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms && !(untilClosed && overlay.isNull())) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    bool WaitForClose() {
        Pump(2000, true);
        return overlay.isNull();
    }
    // What the overlay's window shows: its backing store, in device pixels.
    QImage Shown() const {
        QPaintDevice* device = overlay->backingStore()->paintDevice();
        if (device->devType() != QInternal::Image) return {};
        return static_cast<QImage*>(device)->copy();
    }
    // "" when the window shows the desktop as the fake screen had it, darkened outside
    // `selection` and black beyond the desktop; else the first difference.
    std::string CompareShown(const TRect& selection) const {
        const QImage shown = Shown().convertToFormat(QImage::Format_RGB32);
        if (shown.width() < kWidth || shown.height() < kHeight) return "window too small";
        for (int y = 0; y < shown.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
            for (int x = 0; x < shown.width(); ++x) {
                uint32_t expected = 0;
                if (x < kWidth && y < kHeight && screen.OnMonitor(kDesktopLeft + x, y)) {
                    expected = screen.PictureAt(kDesktopLeft + x, y);
                }
                if (!selection.Contains(x, y)) {
                    expected = (uint32_t{Darken(expected >> 16)} << 16) |
                               (uint32_t{Darken((expected >> 8) & 0xFF)} << 8) |
                               Darken(expected & 0xFF);
                }
                if ((line[x] & 0xFFFFFF) != expected) {
                    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                           std::to_string(line[x] & 0xFFFFFF) + ", expected " +
                           std::to_string(expected);
                }
            }
        }
        return "";
    }

    FakeScreenSource screen;
    FakeWindowActivation activation;
    // The main window's stand-in: it owns an overlay that a failed test left open.
    std::unique_ptr<QWidget> owner;
    QPointer<TFrmDrag> overlay;
    std::unique_ptr<TBitmap> bitmap;
    TRect rect{1, 2, 3, 4};
};

// The delivered image is the frozen pixels of the rectangle; its screen position counts from
// the leftmost monitor's x = -1920. Points beyond the desktop are held at its edges.
TEST_F(DragOverlay, ReleaseDeliversTheRectangleInScreenCoordinates) {
    struct Case {
        const char* name;
        TPoint from, to;
        TRect expected;
    };
    const Case cases[] = {
        {"down right", {100, 30}, {160, 70}, {-1820, 30, -1760, 70}},
        {"up left", {160, 70}, {100, 30}, {-1820, 30, -1760, 70}},
        {"one pixel", {1919, 40}, {1920, 41}, {-1, 40, 0, 41}},
        {"past the far corner", {2200, 90}, {2500, 300}, {280, 90, 320, 100}},
        {"past the near corner", {5, 5}, {-50, -70}, {-1920, 0, -1915, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rect = {1, 2, 3, 4};
        Open();
        EXPECT_EQ(FrmDrag, overlay.data());
        Drag(c.from, c.to);
        EXPECT_TRUE(overlay.isNull()) << "the overlay frees itself when it closes";
        EXPECT_EQ(FrmDrag, nullptr);
        EXPECT_EQ(rect, c.expected);
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap->Width(), c.expected.Width());
        EXPECT_EQ(bitmap->Height(), c.expected.Height());
        EXPECT_EQ(CompareWithScreen(*bitmap, screen, rect), "");
    }
}

// Monitors spanning more than a bitmap can hold make the capture fail with an error, which the
// dispatch reports; nothing is shown.
TEST_F(DragOverlay, ADesktopTooLargeForABitmapIsAnError) {
    screen.Screens = {MonitorOf(INT32_MIN, 0, 100, 100), MonitorOf(INT32_MAX - 100, 0, 100, 2)};
    auto armed = std::make_unique<TFrmDrag>(owner.get(), screen, &activation);
    EXPECT_THROW(armed->Capture(bitmap, rect), std::length_error);
    EXPECT_EQ(rect, (TRect{1, 2, 3, 4}));
    armed.reset();
    EXPECT_EQ(FrmDrag, nullptr);
}

// The window system reports whole logical pixels; at a fractional scale one of them covers
// more than one device pixel, and the pointer's physical position decides while it is there.
TEST_F(DragOverlay, WholeLogicalPixelsMapToThePointersDevicePixel) {
    const qreal ratio = test::TestApplication().devicePixelRatio();
    struct Case {
        const char* name;
        int device;         // where the pointer is (x and y, client pixels)
        int pointerOffset;  // how far it has moved on since the event
        int expected;
    };
    const int cell = qRound(std::floor(61 / ratio) * ratio);  // a device pixel Qt reports exactly
    const Case cases[] = {
        {"the pointer's pixel", 61, 0, 61},
        {"its neighbour", 62, 0, 62},
        {"pointer moved away: the nearest estimate", 61, 40, qRound(qRound(61 / ratio) * ratio)},
        {"an exact one", cell, 0, cell},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open();
        const QPointF reported(qRound(c.device / ratio), qRound(c.device / ratio));
        screen.Pointer = {kDesktopLeft + c.device + c.pointerOffset, c.device + c.pointerOffset};
        MouseAt(QEvent::MouseButtonPress, {0, 0});
        MouseAt(QEvent::MouseMove, reported);
        MouseAt(QEvent::MouseButtonRelease, reported);
        EXPECT_EQ(rect, (TRect{kDesktopLeft, 0, kDesktopLeft + c.expected, c.expected}));
    }
}

TEST_F(DragOverlay, ContentThatChangesAfterOpeningDoesNotReachTheImage) {
    Open();
    screen.SetPixel(-1820, 50, 0x123456);
    Drag({100, 50}, {102, 52});
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->PixelRGB(0, 0), FakeScreenSource::PatternAt(-1820, 50));
}

TEST_F(DragOverlay, ClickWithoutMovementAndOtherButtonsKeepTheOverlayOpen) {
    Open();
    Mouse(QEvent::MouseButtonPress, {50, 50});
    Mouse(QEvent::MouseButtonRelease, {50, 50});
    Drag({10, 10}, {90, 90}, Qt::RightButton);
    Drag({30, 10}, {30, 90});  // no width
    ASSERT_FALSE(overlay.isNull());
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_FALSE(overlay->Selecting());
    ASSERT_TRUE(bitmap);
    EXPECT_TRUE(bitmap->Empty());
    EXPECT_EQ(rect, (TRect{1, 2, 3, 4}));
    // A new drag still works.
    Drag({10, 50}, {20, 60});
    EXPECT_TRUE(overlay.isNull());
    EXPECT_EQ(rect, (TRect{-1910, 50, -1900, 60}));
}

// Esc, a close by the window manager and another window taking the activation all free the
// bitmap, leave the rectangle alone and close the overlay, also in the middle of a drag.
TEST_F(DragOverlay, CancelFreesTheBitmapAndKeepsTheRectangle) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Esc", [&] { Key(Qt::Key_Escape); }},
        {"closed by the window manager", [&] { overlay->close(); }},
        {"another window activated", [&] { activation.Active = 4242; }},
    };
    for (const auto& [name, cancel] : ways) {
        SCOPED_TRACE(name);
        Open();
        // The overlay asks for the foreground and keeps it until the test switches away.
        Pump(350);
        ASSERT_FALSE(overlay.isNull()) << "closed while active";
        Key(Qt::Key_A);
        Mouse(QEvent::MouseButtonPress, {100, 30});
        Mouse(QEvent::MouseMove, {150, 60});
        ASSERT_FALSE(overlay.isNull());
        cancel();
        EXPECT_TRUE(WaitForClose());
        EXPECT_FALSE(bitmap);
        EXPECT_EQ(rect, (TRect{1, 2, 3, 4}));
        EXPECT_EQ(FrmDrag, nullptr);
    }
}

// The overlay repaints only what a move changes; what it shows must still be, pixel for pixel,
// the whole picture composed anew: the frozen desktop darkened outside the selection.
TEST_F(DragOverlay, ShowsExactlyTheComposedPictureAfterEveryMove) {
    Open();
    ASSERT_EQ(CompareShown({}), "") << "before a drag";
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> x(-30, kWidth + 30), y(-30, kHeight + 30);
    const auto clamp = [](TPoint p) {
        return TPoint{std::clamp(p.X, 0, kWidth), std::clamp(p.Y, 0, kHeight)};
    };
    for (int drag = 0; drag < 4; ++drag) {
        const TPoint start{x(random), y(random)};
        Mouse(QEvent::MouseButtonPress, start);
        for (int move = 0; move < 12; ++move) {
            const TPoint to{x(random), y(random)};
            Mouse(QEvent::MouseMove, to);
            ASSERT_EQ(CompareShown(NormalizeRect(clamp(start), clamp(to))), "")
                << "drag " << drag << " move " << move;
        }
        // Releasing where it started selects nothing: all dark again, still open.
        Mouse(QEvent::MouseButtonRelease, start);
        ASSERT_EQ(CompareShown({}), "") << "after drag " << drag;
    }
}

}  // namespace
}  // namespace dravemo
