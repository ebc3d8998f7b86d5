// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>

#include "capture/TFrmArea.h"
#include "platform/fake/FakeScreenSource.h"
#include "tests/unit/capture/MemorySettings.h"
#include "tests/support/TestApplication.h"

namespace dravemo {
namespace {

// The region frame over settings in memory and a fake screen. Positions and sizes are chosen
// so that they are whole logical pixels at the scales the tests run at (1 and 1.5).
class RegionFrame : public ::testing::Test {
protected:
    RegionFrame() {
        test::TestApplication();
        // The offscreen platform has no window shapes and says so on every change.
        static const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (message == QLatin1String("This plugin does not support setting window masks"))
                    return;
                if (previous) previous(type, context, message);
            });
        // 1278 x 798: the default corner (399, 219) is a multiple of 3.
        screen.Screens = {{{0, 0, 1278, 798}, true}};
    }
    void Create() {
        size = std::make_unique<TFrmSize>(settings);
        frame =
            std::make_unique<TFrmArea>(*size, settings, screen,
                                       TAreaHooks{[this] { return recording; }, [this] { ++stops; },
                                                  [this] { ++fullScreen; }});
    }
    void Store(int left, int top, int width, int height) {
        settings.Values = {{"left", left}, {"top", top}, {"width", width}, {"height", height}};
    }
    TStoredPlacement Stored() const {
        return {settings.Value("left"), settings.Value("top"), settings.Value("width"),
                settings.Value("height")};
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(frame.get(), &event);
    }
    void Click(QWidget* target, QEvent::Type type, Qt::MouseButton button) {
        const QPointF local(8, 8);
        QMouseEvent event(type, local, target->mapToGlobal(local), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
    bool Exact() const { return frame->Grid().Exact(); }
    int Header() const { return frame->HeaderHeight(); }

    test::MemorySettings settings;
    FakeScreenSource screen;
    bool recording = false;
    int stops = 0;
    int fullScreen = 0;
    std::unique_ptr<TFrmSize> size;
    std::unique_ptr<TFrmArea> frame;
};

TEST_F(RegionFrame, AFirstStartPlacesTheDefaultRegionAndStoresIt) {
    Create();
    const double scale = frame->devicePixelRatioF();
    EXPECT_EQ(Header(), qRound(25 * scale));
    EXPECT_EQ(frame->GetRect(), RectOfSize(405, 219 + Header() + 6, 480, 360));
    EXPECT_EQ(frame->WindowRect(), RectOfSize(399, 219, 492, Header() + 372));
    EXPECT_EQ(Stored(), (TStoredPlacement{399, 219, 480, 360}));
    EXPECT_EQ(frame->PopSize_1->text(), "320x240");
    EXPECT_EQ(frame->PopSize_2->text(), "640x480");
    EXPECT_EQ(frame->PopSize_3->text(), "720x480");
    EXPECT_EQ(frame->LblSize->text(), "480x360");
    EXPECT_EQ(size->EditWidth->Value(), 480);
    EXPECT_EQ(size->EditHeight->Value(), 360);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(frame->TmrColor->isActive());
    EXPECT_TRUE(frame->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(frame->parentWidget(), nullptr);
    EXPECT_EQ(frame->windowTitle(), QString::fromUtf8("영역지정 - Dravemo"));
}

TEST_F(RegionFrame, AStoredRegionIsRestoredOnlyStrictlyInsideTheDesktop) {
    struct Case {
        const char* what;
        std::vector<Monitor> monitors;
        TStoredPlacement stored;
        bool kept;
    };
    const std::vector<Monitor> one = {{{0, 0, 1278, 798}, true}};
    const std::vector<Monitor> leftAndAbove = {{{-1920, -300, 1920, 1080}, false},
                                               {{0, 0, 1278, 798}, true}};
    const Case cases[] = {
        {"inside", one, {99, 60, 200, 120}, true},
        {"on a monitor left of and above the primary", leftAndAbove, {-1899, -150, 480, 360}, true},
        {"on a monitor that has been removed", one, {-1899, -150, 480, 360}, false},
        {"touching the left edge", one, {0, 60, 200, 120}, false},
        {"touching the bottom edge", one, {99, 678, 200, 120}, false},
        {"without a size", one, {99, 60, 0, 120}, false},
    };
    for (const Case& c : cases) {
        screen.Screens = c.monitors;
        Store(c.stored.Left, c.stored.Top, c.stored.Width, c.stored.Height);
        Create();
        const TStoredPlacement expected = c.kept ? c.stored : TStoredPlacement{399, 219, 480, 360};
        EXPECT_EQ(frame->GetRect(), RectOfSize(expected.Left + 6, expected.Top + Header() + 6,
                                               expected.Width, expected.Height))
            << c.what;
        EXPECT_EQ(Stored(), expected) << c.what;
        frame.reset();
    }
}

TEST_F(RegionFrame, ResizingFillsTheCurrentSizeFieldsTheLabelAndTheShape) {
    Store(99, 60, 480, 360);
    Create();
    // Below the fields' range: the fields and the label show 64, the region stays as asked.
    frame->SetSize(30, 20, 0);
    EXPECT_EQ(size->EditWidth->Value(), 64);
    EXPECT_EQ(size->EditHeight->Value(), 64);
    EXPECT_EQ(frame->LblSize->text(), "64x64");
    if (Exact()) {
        EXPECT_EQ(frame->GetRect(), RectOfSize(105, 60 + Header() + 6, 30, 20));
    }
    EXPECT_EQ(Stored().Width, frame->GetRect().Width());
    // The smallest region is 2 x 2.
    frame->SetSize(1, -5, 0);
    EXPECT_GE(frame->GetRect().Width(), 2);
    EXPECT_GE(frame->GetRect().Height(), 2);
    if (Exact()) {
        EXPECT_EQ(frame->WindowRect(), RectOfSize(99, 60, 14, Header() + 14));
    }
    frame->SetSize(600, 402, 0);
    EXPECT_EQ(frame->LblSize->text(), "600x402");
    EXPECT_EQ(Stored(), (TStoredPlacement{99, 60, 600, 402}));

    // The shape: the whole window less a hole whose edges fall on the physical border lines.
    const TRect window = frame->WindowRect();
    const QRegion hole = QRegion(frame->rect()) - frame->mask();
    ASSERT_EQ(hole.rectCount(), 1);
    const QRect inside = hole.boundingRect();
    const PixelGrid local(frame->devicePixelRatioF());
    EXPECT_EQ(frame->mask().boundingRect(), frame->rect());
    EXPECT_EQ(local.PhysicalLength(inside.left()), 6);
    EXPECT_EQ(local.PhysicalLength(inside.top()), Header() + 6);
    EXPECT_EQ(local.PhysicalLength(inside.right() + 1), window.Width() - 6);
    EXPECT_EQ(local.PhysicalLength(inside.bottom() + 1), window.Height() - 6);
}

TEST_F(RegionFrame, HeaderPartsHideAsTheWindowNarrows) {
    Store(99, 60, 480, 360);
    Create();
    for (int width : {281, 280, 101, 100, 53, 52}) {
        frame->SetSize(width, 100, 0);
        const int window = frame->WindowRect().Width();
        if (Exact()) {
            EXPECT_EQ(window, width + 12);
        }
        EXPECT_EQ(frame->PnlRec->isVisibleTo(frame.get()), window > 292) << window;
        EXPECT_EQ(frame->PnlClose->isVisibleTo(frame.get()), window > 112) << window;
        EXPECT_EQ(frame->LblSize->isVisibleTo(frame.get()), window > 64) << window;
        EXPECT_EQ(frame->LvlRecTime->width(), frame->PnlRec->width());
    }
}

TEST_F(RegionFrame, MenuItemsShowCustomSizesAndApplyThem) {
    settings.Values = {{"left", 99},    {"top", 60},      {"width", 480},
                       {"height", 360}, {"width_2", 800}, {"height_2", 600}};
    Create();
    EXPECT_EQ(frame->PopSize_2->text(), "800x600");
    // A size numbered 1 to 3 renames its item; 0 renames none.
    frame->SetSize(500, 400, 2);
    EXPECT_EQ(frame->PopSize_2->text(), "500x400");
    frame->SetSize(300, 200, 0);
    EXPECT_EQ(frame->PopSize_1->text(), "320x240");
    EXPECT_EQ(frame->PopSize_2->text(), "500x400");
    // The items apply the dialog's fields as they are now, without renaming.
    size->WidthField(1)->SetValue(333);
    frame->PopSize_1->trigger();
    EXPECT_EQ(frame->PopSize_1->text(), "320x240");
    if (Exact()) {
        EXPECT_EQ(frame->GetRect().Width(), 333);
    }
    EXPECT_EQ(frame->GetRect().Height(), 240);
    // The dialog's apply button of custom size 3 resizes the frame and renames item 3.
    size->WidthField(3)->SetValue(240);
    size->HeightField(3)->SetValue(180);
    size->ApplyButton(3)->click();
    EXPECT_EQ(frame->GetRect().Width(), 240);
    EXPECT_EQ(frame->GetRect().Height(), 180);
    EXPECT_EQ(frame->PopSize_3->text(), "240x180");
    EXPECT_EQ(settings.Value("width_3"), 240);
    // "Setting" shows the dialog; "Hide" hides the frame and leaves the mode alone.
    frame->PopConfig->trigger();
    EXPECT_TRUE(size->isVisible());
    frame->show();
    frame->PopClose->trigger();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(fullScreen, 0);
    EXPECT_FALSE(settings.Has("area"));
}

TEST_F(RegionFrame, KeysResizeAndMoveTheWindow) {
    Store(99, 60, 480, 360);
    Create();
    frame->show();
    const TRect start = frame->WindowRect();
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        int dx, dy, dw, dh;  // the step at scale 1
    };
    const Case cases[] = {
        {Qt::Key_Right, Qt::ShiftModifier, 0, 0, 1, 0},
        {Qt::Key_Down, Qt::ShiftModifier, 0, 0, 0, 1},
        {Qt::Key_Left, Qt::ShiftModifier, 0, 0, -1, 0},
        {Qt::Key_Up, Qt::ShiftModifier, 0, 0, 0, -1},
        {Qt::Key_Right, Qt::ControlModifier, 0, 0, 10, 0},
        {Qt::Key_Up, Qt::ControlModifier, 0, 0, 0, -10},
        {Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier, 0, 0, 1, 0},
        {Qt::Key_Right, Qt::NoModifier, 1, 0, 0, 0},
        {Qt::Key_Up, Qt::NoModifier, 0, -1, 0, 0},
        {Qt::Key_Right, Qt::AltModifier, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const TRect before = frame->WindowRect();
        Key(c.key, c.modifiers);
        const TRect after = frame->WindowRect();
        const int moved[] = {after.Left - before.Left, after.Top - before.Top,
                             after.Width() - before.Width(), after.Height() - before.Height()};
        const int expected[] = {c.dx, c.dy, c.dw, c.dh};
        for (int i = 0; i < 4; ++i) {
            if (Exact()) {
                EXPECT_EQ(moved[i], expected[i]) << c.key << " " << c.modifiers << " part " << i;
            } else {
                // At another scale the step is the nearest whole logical one, in the same
                // direction.
                EXPECT_EQ(moved[i] > 0, expected[i] > 0) << c.key << " part " << i;
                EXPECT_EQ(moved[i] < 0, expected[i] < 0) << c.key << " part " << i;
                EXPECT_LE(std::abs(moved[i] - expected[i]), 4) << c.key << " part " << i;
            }
        }
    }
    // The moves are not stored at once; the next resize stores them.
    const TRect moved = frame->WindowRect();
    EXPECT_NE(moved.Left, start.Left);
    EXPECT_EQ(Stored().Left, start.Left);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Stored().Left, moved.Left);
    EXPECT_EQ(Stored().Top, moved.Top);
}

TEST_F(RegionFrame, TheBorderAnswersResizeZonesUnlessRecording) {
    Store(99, 60, 480, 360);
    Create();
    const TRect w = frame->WindowRect();
    const int header = Header();
    struct Case {
        int x, y;
        THitZone zone;
    };
    for (const Case& c :
         {Case{0, header, htTopLeft}, Case{w.Width() / 2, header + 5, htTop},
          Case{w.Width() - 1, header + 2, htTopRight}, Case{5, 200, htLeft},
          Case{w.Width() - 5, 200, htRight}, Case{w.Width() - 6, 200, htCaption},
          Case{3, w.Height() - 1, htBottomLeft}, Case{200, w.Height() - 5, htBottom},
          Case{w.Width() - 1, w.Height() - 1, htBottomRight}, Case{w.Width(), 200, htNowhere}}) {
        EXPECT_EQ(frame->HitTestAt(c.x, c.y), c.zone) << c.x << ", " << c.y;
    }
    recording = true;
    EXPECT_EQ(frame->HitTestAt(0, header), htClient);
    EXPECT_EQ(frame->HitTestAt(w.Width() - 1, w.Height() - 1), htClient);
    EXPECT_EQ(frame->HitTestAt(-1, 0), htNowhere);
}

TEST_F(RegionFrame, ShowingPulsesTheBorderAndClosingStopsAndStores) {
    Store(99, 60, 480, 360);
    Create();
    frame->show();
    EXPECT_TRUE(frame->TmrColor->isActive());
    EXPECT_EQ(frame->TmrColor->interval(), 100);
    for (int red : {255, 242, 229, 217}) {
        frame->TmrColorTimer();
        EXPECT_EQ(frame->ShpBack->BrushColor(), static_cast<uint32_t>(red));
        EXPECT_EQ(frame->ShpBack->PenColor(), 0x0000FFu) << "the outline stays red";
    }
    Key(Qt::Key_Right);
    settings.Writes.clear();
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(frame->TmrColor->isActive());
    EXPECT_EQ(settings.Writes, (QStringList{"width", "height", "left", "top"}));
    EXPECT_EQ(Stored().Left, frame->WindowRect().Left);
    EXPECT_EQ(stops, 0);
    // The frame keeps answering while hidden.
    EXPECT_EQ(frame->GetRect().Width(), 480);
    // Closing during a recording stops it.
    frame->show();
    recording = true;
    frame->close();
    EXPECT_EQ(stops, 1);
}

TEST_F(RegionFrame, TheCloseButtonSwitchesToFullScreen) {
    Store(99, 60, 480, 360);
    Create();
    frame->show();
    Click(frame->BtnClose, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_TRUE(frame->isVisible()) << "a press alone does nothing";
    Click(frame->BtnClose, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(fullScreen, 1);
    EXPECT_EQ(settings.Value("area"), 0);
    // A right press on any header part opens the header menu.
    frame->show();
    Click(frame->LblSize, QEvent::MouseButtonPress, Qt::RightButton);
    EXPECT_TRUE(frame->PopSize->isVisible());
    frame->PopSize->hide();
}

TEST_F(RegionFrame, TheTimeLabelTakesTheRecordingLook) {
    Create();
    EXPECT_EQ(frame->LvlRecTime->text(), "[REC] 00:00:00");
    frame->RecordingStarted();
    frame->ShowRecordingTime("01:02:03.45");
    EXPECT_EQ(frame->LvlRecTime->text(), "[REC] 01:02:03");
    EXPECT_TRUE(frame->LvlRecTime->font().bold());
    EXPECT_EQ(frame->LvlRecTime->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    frame->RecordingEnded();
    EXPECT_EQ(frame->LvlRecTime->text(), "[REC] 00:00:00");
    EXPECT_FALSE(frame->LvlRecTime->font().bold());
    EXPECT_EQ(frame->LvlRecTime->palette().color(QPalette::WindowText), QColor(128, 0, 0));
}

}  // namespace
}  // namespace dravemo
