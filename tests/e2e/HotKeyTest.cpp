// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The capture hotkey of the real program: Print captures, a key another program holds at
// start-up is reported, and a key chosen in the dialog is stored and captures.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "tests/e2e/DravemoSession.h"
#include "tests/e2e/ScreenChecks.h"
#include "tests/support/KeyGrabbingClient.h"

namespace dravemo::test {
namespace {

class HotKey : public ::testing::Test {
protected:
    void Xdotool(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "xdotool");
        test::Run(arguments, session.Env());
    }
    // Clicks at a point of a window's client area.
    void Click(const Geometry& window, int x, int y) {
        Xdotool({"mousemove", "--sync", std::to_string(window.X + x), std::to_string(window.Y + y),
                 "click", "1"});
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    // The one visible window with the title; empty when there is none or several.
    std::string OnlyWindow(const std::string& title) {
        std::string found;
        WaitUntil([&] {
            const auto ids = session.VisibleWindows(title);
            found = ids.size() == 1 ? ids.front() : std::string();
            return !found.empty();
        });
        return found;
    }
    bool FileAppears(const std::string& name) {
        return WaitUntil([&] { return std::filesystem::exists(session.Desktop() / name); });
    }

    DravemoSession session;
    std::unique_ptr<ChildProcess> dravemo;
};

TEST_F(HotKey, PrintCapturesInTheStoredModeAndTarget) {
    session.WriteSettings(
        "\"area\"=dword:00000000\r\n\"saveto\"=dword:00000003\r\n\"mouse\"=dword:00000000\r\n");
    dravemo = session.Start({"/start"});
    ASSERT_TRUE(session.WaitForInstance());
    Xdotool({"key", "Print"});
    ASSERT_TRUE(FileAppears("D-001.bmp"));
    // And again while CapsLock is on.
    Xdotool({"key", "Caps_Lock"});
    Xdotool({"key", "Print"});
    EXPECT_TRUE(FileAppears("D-002.bmp"));
    Xdotool({"key", "Caps_Lock"});
    EXPECT_EQ(FilesIn(session.Desktop()), (std::vector<std::string>{"D-001.bmp", "D-002.bmp"}));
}

TEST_F(HotKey, AKeyHeldElsewhereAtStartUpIsReportedAndAnotherOneChosen) {
    KeyGrabbingClient other(session.display.Name());
    const auto print = other.Keycodes(XK_Print);
    ASSERT_EQ(other.GrabInEveryLockState(print, 0), 4 * static_cast<int>(print.size()));
    dravemo = session.Start();

    // First the message, titled with the dialog's translated caption; its text is checked by
    // the main window's unit tests, as X shows no text of a window.
    const std::string box = OnlyWindow("^Hotkey setting$");
    ASSERT_FALSE(box.empty());
    EXPECT_NE(WindowGeometry(box, session.Env()).Width, 299) << "the message comes first";
    Xdotool({"windowactivate", "--sync", box});
    Xdotool({"key", "Return"});

    // Then the dialog, 299 x 121: Shift and Ctrl ticked, "A" chosen in the list, OK.
    std::string dialog;
    ASSERT_TRUE(WaitUntil([&] {
        for (const std::string& id : session.VisibleWindows("^Hotkey setting$")) {
            if (WindowGeometry(id, session.Env()).Width == 299) dialog = id;
        }
        return !dialog.empty();
    }));
    const Geometry g = WindowGeometry(dialog, session.Env());
    EXPECT_EQ(g.Width, 299);
    EXPECT_EQ(g.Height, 121);
    EXPECT_TRUE(session.VisibleWindows().empty()) << "the main window waits for the dialog";
    Click(g, 8 + 16 + 6, 8 + 32 + 8);     // Shift
    Click(g, 8 + 71 + 6, 8 + 32 + 8);     // Ctrl
    Click(g, 8 + 181 + 42, 8 + 29 + 11);  // the key list opens
    Xdotool({"key", "a"});
    Xdotool({"key", "Return"});
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Click(g, 133 + 37, 87 + 12);  // OK

    EXPECT_TRUE(WaitUntil([&] {
        return ReadFile(session.RegistryPath()).find("\"hotkey\"=dword:00006041") !=
               std::string::npos;
    })) << ReadFile(session.RegistryPath());
    ASSERT_TRUE(WaitUntil([&] { return session.VisibleWindows().size() == 1; }))
        << "the main window comes up once the dialog has closed";
    EXPECT_TRUE(session.VisibleWindows("^Hotkey setting$").empty());
    Xdotool({"key", "ctrl+shift+a"});
    EXPECT_TRUE(FileAppears("D-001.png"));
}

}  // namespace
}  // namespace dravemo::test
