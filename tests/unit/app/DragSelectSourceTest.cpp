// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTimer>

#include "app/ProgramCaptureSources.h"
#include "capture/TFrmDrag.h"
#include "tests/unit/app/MainWindowFixture.h"

namespace dravemo::test {
namespace {

// Mode 2's image source: a fresh overlay per call, shown modally; its outcome is the result.
class DragSelectSource : public ::testing::Test {
protected:
    DragSelectSource() {
        TestApplication();
        owner = std::make_unique<QWidget>();
        screen.Screens = {{{-100, 0, 100, 50}, false}, {{0, 0, 200, 50}, true}};
    }
    // Runs `step` on the open overlay once its modal loop runs.
    static void WhenOpen(std::function<void(TFrmDrag&)> step) {
        QTimer::singleShot(0, [step] {
            if (FrmDrag) step(*FrmDrag);
        });
    }
    static void Mouse(TFrmDrag& overlay, QEvent::Type type, QPointF device) {
        const QPointF local = device / overlay.devicePixelRatioF();
        QMouseEvent event(type, local, overlay.mapToGlobal(local),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&overlay, &event);
    }

    FakeScreenSource screen;
    FakeWindowActivation activation;
    TCapture capture{screen};
    std::unique_ptr<QWidget> owner;
    ProgramCaptureSources sources{capture, [] { return TRect{}; }, screen, owner.get(), activation};
};

TEST_F(DragSelectSource, ReturnsTheDraggedPixelsAndTheirScreenRectangle) {
    WhenOpen([](TFrmDrag& overlay) {
        Mouse(overlay, QEvent::MouseButtonPress, {90, 10});
        Mouse(overlay, QEvent::MouseMove, {120, 30});
        Mouse(overlay, QEvent::MouseButtonRelease, {120, 30});
    });
    TRect rect;
    const auto bitmap = sources.DragSelect(rect);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(rect, (TRect{-10, 10, 20, 30}));
    ASSERT_EQ(bitmap->Width(), 30);
    EXPECT_EQ(bitmap->PixelRGB(29, 19), FakeScreenSource::PatternAt(19, 29));
    EXPECT_EQ(FrmDrag, nullptr);
}

// Esc, and an overlay destroyed under the modal loop (its owner going away), give nothing.
TEST_F(DragSelectSource, ReturnsNothingWhenTheOverlayEndsWithoutASelection) {
    const std::pair<const char*, std::function<void(TFrmDrag&)>> ends[] = {
        {"Esc",
         [](TFrmDrag& overlay) {
             QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QCoreApplication::sendEvent(&overlay, &key);
         }},
        {"destroyed", [](TFrmDrag& overlay) { overlay.deleteLater(); }},
    };
    for (const auto& [name, end] : ends) {
        SCOPED_TRACE(name);
        WhenOpen(end);
        TRect rect{1, 2, 3, 4};
        EXPECT_FALSE(sources.DragSelect(rect));
        EXPECT_EQ(rect, (TRect{1, 2, 3, 4}));
        EXPECT_EQ(FrmDrag, nullptr);
    }
}

}  // namespace
}  // namespace dravemo::test
