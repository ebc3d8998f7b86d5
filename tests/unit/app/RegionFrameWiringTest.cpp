// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <QMouseEvent>

#include "capture/TFrmArea.h"
#include "tests/unit/app/MainWindowFixture.h"

namespace dravemo::test {
namespace {

// The region frame and its size dialog as the main window creates and drives them.
class RegionFrameWiring : public MainWindowFixture {
protected:
    RegionFrameWiring() {
        // A region of 200 x 120 whose window stands at (99, 60).
        for (const auto& [name, value] :
             {std::pair{"left", 99}, {"top", 60}, {"width", 200}, {"height", 120}}) {
            Store(QString::fromUtf8(name), RegValue::Dword(value));
        }
    }
    static void Choose(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        Q_EMIT list->activated(index);
    }
};

TEST_F(RegionFrameWiring, TheRegionModeShowsTheFrameAndOtherModesHideIt) {
    Store("area", RegValue::Dword(1));
    auto w = Create("/start");
    ASSERT_NE(w->FrmArea(), nullptr);
    EXPECT_TRUE(w->FrmArea()->isVisible()) << "the stored mode opens the frame at start-up";
    EXPECT_EQ(w->FrmArea()->parentWidget(), nullptr);
    Choose(w->ChkArea, 0);
    EXPECT_FALSE(w->FrmArea()->isVisible());
    Choose(w->ChkArea, 1);
    EXPECT_TRUE(w->FrmArea()->isVisible());
    Choose(w->ChkArea, 3);
    EXPECT_FALSE(w->FrmArea()->isVisible());
    EXPECT_EQ(Stored("area"), RegValue::Dword(3));
}

TEST_F(RegionFrameWiring, ARegionCaptureTakesTheFramesRectangle) {
    Store("area", RegValue::Dword(1));
    Store("saveto", RegValue::Dword(3));
    Store("mouse", RegValue::Dword(0));
    std::filesystem::create_directories(home / "Desktop");
    auto w = Create("/start");
    const TRect region = w->FrmArea()->GetRect();
    w->Start();
    ASSERT_TRUE(boxes.Boxes.empty()) << boxes.Boxes.front().Text.toStdString();
    const std::string bmp = ReadFile(home / "Desktop" / "D-001.bmp");
    ASSERT_GE(bmp.size(), 54u);
    const auto number = [&](size_t at) {
        return static_cast<int32_t>(static_cast<uint8_t>(bmp[at]) |
                                    static_cast<uint8_t>(bmp[at + 1]) << 8 |
                                    static_cast<uint8_t>(bmp[at + 2]) << 16 |
                                    static_cast<uint32_t>(static_cast<uint8_t>(bmp[at + 3])) << 24);
    };
    EXPECT_EQ(number(18), region.Width());
    EXPECT_EQ(std::abs(number(22)), region.Height());
    EXPECT_EQ(region.Width(), 200);
    EXPECT_EQ(region.Left, 105);
}

TEST_F(RegionFrameWiring, TheCloseButtonSelectsFullScreenWithoutTheModeHandler) {
    Store("area", RegValue::Dword(1));
    auto w = Create("/start");
    TFrmArea* frame = w->FrmArea();
    // A card the mode handler would replace with card 0.
    w->PnlMain->setCurrentIndex(2);
    const QPointF at(8, 8);
    QMouseEvent press(QEvent::MouseButtonPress, at, frame->BtnClose->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, frame->BtnClose->mapToGlobal(at),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame->BtnClose, &press);
    QCoreApplication::sendEvent(frame->BtnClose, &release);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(w->ChkArea->currentIndex(), 0);
    EXPECT_EQ(Stored("area"), RegValue::Dword(0));
    EXPECT_EQ(w->PnlMain->currentIndex(), 2);
    // "Hide" leaves the mode at region.
    Choose(w->ChkArea, 1);
    frame->PopClose->trigger();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(w->ChkArea->currentIndex(), 1);
    EXPECT_EQ(Stored("area"), RegValue::Dword(1));
}

TEST_F(RegionFrameWiring, TheLanguageSwitchTranslatesTheFrameAndTheSizeDialog) {
    auto w = Create("/start");
    EXPECT_EQ(w->FrmArea()->PopConfig->text(), "Setting");
    EXPECT_EQ(w->FrmSize()->GrpArea->title(), "Current state");
    w->ChkLangClick(w->MenuItem("ChkLangJa"));
    EXPECT_EQ(w->FrmArea()->PopConfig->text(), QString::fromUtf8("設定"));
    EXPECT_EQ(w->FrmArea()->PopClose->text(), QString::fromUtf8("隠す"));
    EXPECT_EQ(w->FrmSize()->GrpArea->title(), QString::fromUtf8("現在の状態"));
    EXPECT_EQ(w->FrmSize()->ApplyButton(1)->text(), QString::fromUtf8("適用"));
    EXPECT_EQ(w->FrmArea()->PopSize_1->text(), "320x240");
    // Back to English, the language of the tests that follow.
    w->ChkLangClick(w->MenuItem("ChkLangEn"));
    EXPECT_EQ(w->FrmSize()->GrpArea->title(), "Current state");
}

}  // namespace
}  // namespace dravemo::test
