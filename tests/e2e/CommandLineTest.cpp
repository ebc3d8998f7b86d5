// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The command line and the message socket as users and other programs meet them: requests are
// served while another one waits in a modal loop or a start-up message box, "/capture" asks the
// running instance for a capture, and "--help" answers without touching any instance.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <future>

#include "tests/e2e/DravemoSession.h"
#include "tests/support/KeyGrabbingClient.h"

namespace dravemo::test {
namespace {

class CommandLine : public ::testing::Test {
protected:
    DravemoSession session;
};

TEST_F(CommandLine, APendingDragServesOtherRequestsAndUninstEndsIt) {
    session.WriteSettings("\"area\"=dword:00000002\r\n\"saveto\"=dword:00000000\r\n");
    auto first = session.Start({"/start"});
    ASSERT_TRUE(session.WaitForInstance());
    auto capture = std::async(std::launch::async,
                              [&] { return session.SendCommand(R"({"command":"capture"})"); });
    // The drag overlay covers the screen and waits for the user.
    ASSERT_TRUE(WaitUntil([&] { return !session.VisibleWindows(".*").empty(); }));
    ASSERT_EQ(capture.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout);

    EXPECT_EQ(session.SendCommand(R"({"command":"nothing"})"), 0) << "answered during the drag";
    EXPECT_EQ(session.Run({"/start"}, std::chrono::seconds(20)).Exit, 0);
    const RunResult uninst = session.Run({"/uninst"}, std::chrono::seconds(20));
    EXPECT_EQ(uninst.Exit, 0) << uninst.Output;
    EXPECT_EQ(first->Wait(std::chrono::seconds(20)), 0) << "the quit request ends the program";
    ASSERT_EQ(capture.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(capture.get(), 0) << "the cancelled drag's request is answered 0";
    EXPECT_TRUE(FilesIn(session.Desktop()).empty());
}

TEST_F(CommandLine, RequestsAreServedDuringAStartUpMessageBox) {
    // Print held by another program: the start-up reports it in a box that waits for the user.
    KeyGrabbingClient other(session.display.Name());
    const auto print = other.Keycodes(XK_Print);
    ASSERT_EQ(other.GrabInEveryLockState(print, 0), 4 * static_cast<int>(print.size()));
    auto first = session.Start();
    ASSERT_TRUE(WaitUntil([&] { return session.VisibleWindows("^Hotkey setting$").size() == 1; }));

    EXPECT_EQ(session.Run({}, std::chrono::seconds(20)).Exit, 0) << "a second start is served";
    const RunResult uninst = session.Run({"/uninst"}, std::chrono::seconds(20));
    EXPECT_EQ(uninst.Exit, 0) << uninst.Output;
    EXPECT_EQ(first->Wait(std::chrono::seconds(20)), 0) << "the quit request ends the program";
    EXPECT_FALSE(std::filesystem::exists(session.RuntimeFolder() + "/TFrmDravemo"));
}

TEST_F(CommandLine, CaptureSwitchAsksTheRunningInstance) {
    const RunResult none = session.Run({"/capture"});
    EXPECT_EQ(none.Exit, 2);
    EXPECT_NE(none.Output.find("not running"), std::string::npos) << none.Output;
    EXPECT_FALSE(session.WaitForInstance(std::chrono::milliseconds(300))) << "nothing started";

    session.WriteSettings("\"area\"=dword:00000000\r\n\"saveto\"=dword:00000000\r\n");
    auto first = session.Start({"/start"});
    ASSERT_TRUE(session.WaitForInstance());
    EXPECT_EQ(session.Run({"/capture"}).Exit, 0);
    EXPECT_EQ(session.Run({"--capture"}).Exit, 0);
    EXPECT_EQ(FilesIn(session.Desktop()), (std::vector<std::string>{"D-001.png", "D-002.png"}));
}

TEST_F(CommandLine, HelpAndVersionNeitherStartNorContactAnInstance) {
    const RunResult help = session.Run({"--help"});
    EXPECT_EQ(help.Exit, 0);
    for (const char* word : {"/start", "/inst", "/uninst", "/capture", "registry.reg"}) {
        EXPECT_NE(help.Output.find(word), std::string::npos) << word << " in " << help.Output;
    }
    EXPECT_NE(help.Output.find(session.RuntimeFolder() + "/TFrmDravemo"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(session.RuntimeFolder())) << "nothing was created";
    EXPECT_EQ(session.Run({"-h"}).Exit, 0);
    const RunResult version = session.Run({"--version"});
    EXPECT_EQ(version.Exit, 0);
    EXPECT_EQ(version.Output.rfind("dravemo 1.", 0), 0u) << version.Output;

    // With an instance running, help still shows nothing of it.
    auto first = session.Start({"/start"});
    ASSERT_TRUE(session.WaitForInstance());
    EXPECT_EQ(session.Run({"--help"}).Exit, 0);
    EXPECT_FALSE(WaitUntil([&] { return !session.VisibleWindows().empty(); },
                           std::chrono::milliseconds(500)))
        << "the running window was not asked to show";
}

}  // namespace
}  // namespace dravemo::test
