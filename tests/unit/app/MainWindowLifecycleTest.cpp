// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "app/TFrmDravemo.h"
#include "platform/ProgramFiles.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeLoginAutostart.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeScreenSource.h"
#include "platform/fake/FakeSoundPlayer.h"
#include "platform/fake/FakeTextRecognizer.h"
#include "platform/fake/FakeTrayIcon.h"
#include "platform/fake/FakeWindowActivation.h"

namespace dravemo {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return app;
}

// The main window over fake platform services.
struct MainWindow : ::testing::Test {
    MainWindow() {
        App();
        screen.Screens = {{{0, 0, 800, 600}, true}};
    }
    std::unique_ptr<TFrmDravemo> Create(const QString& argument = {}) {
        return std::make_unique<TFrmDravemo>(ports, argument);
    }
    // Runs the event loop until quit() or a time-out; true when the program asked to quit.
    bool QuitRequested(int waitMs = 2000) {
        bool quit = false;
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        timeout.start(waitMs);
        quit = QCoreApplication::exec() == 0;
        return quit;
    }

    FakeRegistry registry;
    FakeLoginAutostart autostart;
    FakeDesktop desktop;
    FakeMessageBoxes boxes;
    FakeSoundPlayer sound;
    FakeWindowActivation activation;
    FakeScreenSource screen;
    FakeTextRecognizer ocr;
    FakeTrayIcon* tray = nullptr;
    ProgramPorts ports{registry, autostart, desktop, boxes, sound, activation, screen, ocr,
                       [this] {
                           auto icon = std::make_unique<FakeTrayIcon>();
                           tray = icon.get();
                           return icon;
                       },
                       [] { return true; }, [] { return true; }, [](QString&) { return false; }};
};

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
    EXPECT_EQ(desktop.OpenedUrls,
              QStringList{"https://home.dravemo.example/dravemo?v=1.0.0.0"});
    EXPECT_EQ(window->HandleWindowMessage({0x004A, 2, about}), 0);
    EXPECT_EQ(window->HandleWindowMessage({0x0011, 0, {}}), 0) << "not a message for others";
}

}  // namespace
}  // namespace dravemo
