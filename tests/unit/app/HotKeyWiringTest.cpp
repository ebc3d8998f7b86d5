// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The hotkey dialog as the main window creates, opens, translates and frees it.
#include <QAction>

#include "capture/TFrmHotKey.h"
#include "tests/unit/app/MainWindowFixture.h"

namespace dravemo::test {
namespace {

using HotKeyWiring = MainWindowFixture;

TEST_F(HotKeyWiring, TheHotKeyCapturesUntilTheWindowGoes) {
    std::filesystem::create_directories(home / "Desktop");
    auto w = Create("/start");
    ASSERT_NE(w->FrmHotKey, nullptr);
    const int id = w->FrmHotKey->HotKeyID();
    EXPECT_EQ(hotkeys.Registered, (std::map<int, FakeHotKeys::Key>{{id, {0u, 0x2Cu}}}));
    hotkeys.Press(id);
    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_TRUE(std::filesystem::exists(home / "Desktop" / "D-001.png"));
    w.reset();
    EXPECT_TRUE(hotkeys.Registered.empty());
    EXPECT_FALSE(hotkeys.HasHandler());
}

TEST_F(HotKeyWiring, AKeyInUseAtStartUpIsReportedInTheUsersLanguage) {
    hotkeys.Taken.insert({0u, 0x2Cu});
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TFrmHotKey*>(QApplication::activeModalWidget());
        modal = dialog != nullptr;
        if (dialog) dialog->BtnNo->click();
    });
    auto w = Create();
    EXPECT_TRUE(modal) << "the dialog is shown during the start-up";
    ASSERT_EQ(boxes.Boxes.size(), 2u);
    EXPECT_EQ(boxes.Boxes[0].Title, "Hotkey setting");
    EXPECT_EQ(boxes.Boxes[0].Text,
              "An unknown program is using the shortcut key.\n\nPlease change the shortcut key.");
    EXPECT_EQ(boxes.Boxes[0].Flags, 0x10u);
    // Cancel tried the stored key again, which is still taken.
    EXPECT_EQ(boxes.Boxes[1].Text,
              "The capture function does not work because the shortcut key is not set.");
    EXPECT_TRUE(hotkeys.Registered.empty());
    EXPECT_TRUE(tray->Shown) << "the program runs on without a hotkey";
}

TEST_F(HotKeyWiring, TheMenuItemShowsTheDialogModallyOrBringsItToTheFront) {
    auto w = Create();
    bool modal = false;
    QTimer::singleShot(0, [&] {
        modal = QApplication::activeModalWidget() == w->FrmHotKey;
        w->FrmHotKey->BtnNo->click();
    });
    w->MenuItem("N1")->trigger();
    EXPECT_TRUE(modal);
    EXPECT_FALSE(w->FrmHotKey->isVisible());

    w->FrmHotKey->show();
    w->N1Click();  // returns at once: no second modal loop
    EXPECT_EQ(activation.Requests.back(), static_cast<uintptr_t>(w->FrmHotKey->winId()));
}

TEST_F(HotKeyWiring, TheLanguageSwitchTranslatesTheDialog) {
    auto w = Create();
    EXPECT_EQ(w->FrmHotKey->windowTitle(), "Hotkey setting");
    w->MenuItem("ChkLangJa")->trigger();
    EXPECT_EQ(w->FrmHotKey->windowTitle(), "ショートカットキー設定");
    EXPECT_EQ(w->FrmHotKey->BtnNo->text(), "キャンセル");
    EXPECT_EQ(w->FrmHotKey->GrpConfig->title(), "設定");
    // And back, which also leaves the next tests in English.
    w->MenuItem("ChkLangEn")->trigger();
    EXPECT_EQ(w->FrmHotKey->windowTitle(), "Hotkey setting");
}

}  // namespace
}  // namespace dravemo::test
