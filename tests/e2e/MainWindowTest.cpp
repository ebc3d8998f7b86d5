// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "tests/e2e/DravemoSession.h"
#include "tests/e2e/ScreenChecks.h"

namespace dravemo::test {
namespace {

class MainWindowOnScreen : public ::testing::Test {
protected:
    std::string ShowWindow(ChildProcess::Env extra = {}) {
        ChildProcess::Env env = session.Env();
        env.insert(extra.begin(), extra.end());
        dravemo = std::make_unique<ChildProcess>(std::vector<std::string>{DRAVEMO_BINARY}, env);
        EXPECT_TRUE(WaitUntil([&] { return session.VisibleWindows().size() == 1; }));
        const auto windows = session.VisibleWindows();
        return windows.empty() ? std::string() : windows.front();
    }
    void Keys(std::initializer_list<const char*> keys) {
        for (const char* key : keys) {
            test::Run({"xdotool", "key", key}, session.Env());
            std::this_thread::sleep_for(std::chrono::milliseconds(80));
        }
    }
    DravemoSession session;
    std::unique_ptr<ChildProcess> dravemo;
};

TEST_F(MainWindowOnScreen, ClientAreaIs162By191At96Dpi) {
    const Geometry g = WindowGeometry(ShowWindow(), session.Env());
    EXPECT_EQ(g.Width, 162);
    EXPECT_EQ(g.Height, 191);
}

TEST_F(MainWindowOnScreen, ClientAreaScalesAt144Dpi) {
    const Geometry g = WindowGeometry(ShowWindow({{"QT_SCALE_FACTOR", "1.5"}}), session.Env());
    EXPECT_EQ(g.Width, 243);
    EXPECT_NEAR(g.Height, 287, 1);
}

TEST_F(MainWindowOnScreen, RightClickMenuSwitchesTheLanguage) {
    const Geometry g = WindowGeometry(ShowWindow(), session.Env());
    // The white area below the lists opens the popup menu; Language is its fourth item and
    // Japanese the third of its submenu.
    test::Run(
        {"xdotool", "mousemove", std::to_string(g.X + 3), std::to_string(g.Y + 165), "click", "3"},
        session.Env());
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    Keys({"Down", "Down", "Down", "Down", "Right", "Down", "Down", "Return"});
    EXPECT_TRUE(WaitUntil([&] {
        return ReadFile(session.RegistryPath()).find("\"language\"=\"ja\"") != std::string::npos;
    })) << ReadFile(session.RegistryPath());
    // The choice survives a restart.
    session.Send(0x0400, 2);
    ASSERT_EQ(dravemo->Wait(std::chrono::seconds(20)), 0);
    ShowWindow();
    EXPECT_NE(ReadFile(session.RegistryPath()).find("\"language\"=\"ja\""), std::string::npos);
}

}  // namespace
}  // namespace dravemo::test
