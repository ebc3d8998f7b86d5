// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <stdexcept>

#include "app/MenuGroups.h"
#include "platform/ProgramFiles.h"
#include "tests/unit/app/MainWindowFixture.h"

namespace dravemo {
namespace {

using MainWindow = test::MainWindowFixture;

TEST_F(MainWindow, StartUpShowsTheTrayIconWithCaptionAndVersion) {
    auto window = Create();
    ASSERT_NE(tray, nullptr);
    EXPECT_TRUE(tray->Shown);
    EXPECT_EQ(tray->Hint(), "Dravemo 1.0.0");
    EXPECT_EQ(window->windowTitle(), "Dravemo");
    EXPECT_EQ(window->size(), QSize(162, 191));
    // The desktop's own Print Screen tool is switched off in the settings on every start.
    EXPECT_EQ(registry.Read("Control Panel\\Keyboard", "PrintScreenKeyForSnippingEnabled"),
              RegValue::Dword(0));
    EXPECT_TRUE(autostart.Entries.isEmpty());
}

TEST_F(MainWindow, EveryMenuItemLookedUpByNameExistsAndAMissingOneFailsByName) {
    // Building the window looks up the toggles and checks one item of every group.
    std::unique_ptr<TFrmDravemo> window;
    ASSERT_NO_THROW(window = Create());
    QStringList names = {"ChkMouse", "ChkAudio", "ChkLog", "ChkRegStart"};
    for (const QStringList& group : {menu_groups::kLanguageItems, menu_groups::kAppendItems,
                                     menu_groups::kSoundItems, menu_groups::kLimitItems}) {
        names << group;
    }
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QAction* item = nullptr;
        ASSERT_NO_THROW(item = window->MenuItem(name));
        EXPECT_EQ(item->objectName(), name);
    }
    try {
        window->MenuItem("ChkLangKorean");
        ADD_FAILURE() << "a missing item was found";
    } catch (const std::logic_error& error) {
        EXPECT_NE(std::string(error.what()).find("ChkLangKorean"), std::string::npos);
    }
}

TEST_F(MainWindow, InstEnablesStartWithTheSession) {
    auto window = Create("/inst");
    ASSERT_TRUE(autostart.Entries.contains("Dravemo"));
    EXPECT_EQ(autostart.Entries["Dravemo"].Program, ExecutablePath());
    EXPECT_EQ(autostart.Entries["Dravemo"].Arguments, QStringList{"/start"});
}

TEST_F(MainWindow, ShowRequestAndTrayClickRestoreTheWindow) {
    auto window = Create("/start");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->HandleWindowMessage({0x0400, 1, {}}), 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(activation.Requests.back(), static_cast<uintptr_t>(window->winId()));
    window->HideMainWindow();
    tray->Click();
    EXPECT_TRUE(window->isVisible());
    // Other instance-control numbers are ignored.
    window->HideMainWindow();
    window->HandleWindowMessage({0x0400, 3, {}});
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, ClosingHidesAndKeepsRunning) {
    auto window = Create();
    window->show();
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->CanClose());
    EXPECT_FALSE(QuitRequested(300));
}

TEST_F(MainWindow, QuitRequestClosesForReal) {
    auto window = Create();
    window->HandleWindowMessage({0x0400, 2, {}});
    EXPECT_TRUE(QuitRequested());
    EXPECT_TRUE(window->CanClose());
}

TEST_F(MainWindow, EndOfTheSessionClosesAndAllowsIt) {
    auto window = Create();
    EXPECT_EQ(window->WmQueryEndSession(), 1);
    EXPECT_TRUE(QuitRequested());
    EXPECT_TRUE(boxes.Boxes.empty()) << "no question at log-off";
}

TEST_F(MainWindow, CommandsFromOtherPrograms) {
    auto window = Create();
    QByteArray about;
    for (QChar c : QStringLiteral(R"({"command":"about"})")) {
        about.append(static_cast<char>(c.unicode()));
        about.append('\0');
    }
    EXPECT_EQ(window->HandleWindowMessage({0x004A, 1, about}), 1);
    EXPECT_EQ(desktop.OpenedUrls, QStringList{"https://home.dravemo.example/dravemo?v=1.0.0.0"});
    EXPECT_EQ(window->HandleWindowMessage({0x004A, 2, about}), 0);
    EXPECT_EQ(window->HandleWindowMessage({0x0011, 0, {}}), 0) << "not a message for others";
}

}  // namespace
}  // namespace dravemo
