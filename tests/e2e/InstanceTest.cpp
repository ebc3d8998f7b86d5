// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/e2e/DravemoSession.h"

namespace dravemo::test {
namespace {

constexpr uint32_t kUser = 0x0400;

class Instance : public ::testing::Test {
protected:
    DravemoSession session;
};

TEST_F(Instance, StartHiddenThenASecondStartShowsTheRunningWindow) {
    auto first = session.Start({"/start"});
    ASSERT_TRUE(session.WaitForInstance());
    EXPECT_TRUE(session.VisibleWindows().empty()) << "a /start start shows no window";

    // A second /start changes nothing visible.
    EXPECT_EQ(session.Run({"/start"}).Exit, 0);
    EXPECT_TRUE(session.VisibleWindows().empty());

    // A plain second start makes the first show its window and exits itself.
    EXPECT_EQ(session.Run({}).Exit, 0);
    EXPECT_TRUE(WaitUntil([&] { return session.VisibleWindows().size() == 1; }));
    EXPECT_TRUE(first->Running()) << "the first instance keeps running, alone";
}

TEST_F(Instance, ClosingTheWindowKeepsTheProcessAndQuitRequestEndsIt) {
    auto first = session.Start();
    ASSERT_TRUE(session.WaitForInstance());
    ASSERT_TRUE(WaitUntil([&] { return session.VisibleWindows().size() == 1; }));
    const std::string window = session.VisibleWindows().front();
    test::Run({"wmctrl", "-i", "-c", window}, session.Env());
    EXPECT_TRUE(WaitUntil([&] { return session.VisibleWindows().empty(); }));
    EXPECT_TRUE(first->Running());
    EXPECT_EQ(session.SendCommand(R"({"command":"nothing"})"), 0) << "still answering";

    // The instance control message 2 from another process ends it.
    EXPECT_EQ(session.Send(kUser, 2), 0);
    EXPECT_EQ(first->Wait(std::chrono::seconds(20)), 0);
    EXPECT_FALSE(std::filesystem::exists(session.RuntimeFolder() + "/TFrmDravemo"));
}

TEST_F(Instance, UninstEndsTheRunningInstance) {
    auto first = session.Start();
    ASSERT_TRUE(session.WaitForInstance());
    const RunResult uninst = session.Run({"/uninst"});
    EXPECT_EQ(uninst.Exit, 0);
    EXPECT_EQ(first->Wait(std::chrono::seconds(20)), 0);
}

TEST_F(Instance, UninstWithoutInstanceStartsNothing) {
    EXPECT_EQ(session.Run({"/uninst"}).Exit, 0);
    EXPECT_FALSE(std::filesystem::exists(session.RuntimeFolder() + "/DravemoMutex"))
        << "the instance lock was never examined";
    EXPECT_FALSE(session.WaitForInstance(std::chrono::milliseconds(300)));
}

TEST_F(Instance, TerminationSignalEndsItLikeTheEndOfTheSession) {
    auto first = session.Start({"/start"});
    ASSERT_TRUE(session.WaitForInstance());
    first->Terminate();
    EXPECT_EQ(first->Wait(std::chrono::seconds(20)), 0);
}

TEST_F(Instance, InstCreatesTheAutostartEntry) {
    auto first = session.Start({"/inst"});
    ASSERT_TRUE(session.WaitForInstance());
    // The socket answers from the moment the lock is held; the entry is written by the start-up
    // that follows, before the window shows.
    EXPECT_TRUE(WaitUntil([&] { return session.VisibleWindows().size() == 1; }))
        << "/inst starts shown";
    const std::string entry =
        ReadFile(session.Home() / ".config" / "autostart" / "Dravemo.desktop");
    EXPECT_NE(entry.find(std::string("Exec=\"") + DRAVEMO_BINARY + "\" /start"), std::string::npos)
        << entry;
}

TEST_F(Instance, CaptureCommandAnswersOneAndWritesTheCapture) {
    auto first = session.Start({"/start"});
    ASSERT_TRUE(session.WaitForInstance());
    EXPECT_EQ(session.SendCommand(R"({"command":"capture"})"), 1);
    EXPECT_EQ(FilesIn(session.Desktop()), std::vector<std::string>{"D-001.png"});
    EXPECT_EQ(session.SendCommand(R"({"command":"capture"})", 2), 0);
    EXPECT_EQ(session.SendCommand(R"({"command":"Capture"})"), 0);
    EXPECT_EQ(FilesIn(session.Desktop()), std::vector<std::string>{"D-001.png"});
}

TEST_F(Instance, MalformedRequestsAreAnsweredZero) {
    auto first = session.Start({"/start"});
    ASSERT_TRUE(session.WaitForInstance());
    EXPECT_EQ(session.Send(0x1234, 0), 0) << "unknown message";
    EXPECT_EQ(session.Send(0x004A, 1, QByteArray(65537, 'x')), std::nullopt)
        << "the sender refuses to send more than 64 KiB";
    EXPECT_EQ(session.SendCommand(R"({"command":"nothing"})"), 0) << "still answering";
}

TEST_F(Instance, AnotherUserIsRefusedWithoutAnswer) {
    auto first = session.Start({"/start"});
    ASSERT_TRUE(session.WaitForInstance());
    // Let the other user reach the socket at all; the instance itself must refuse it.
    ::chmod(session.runtime.Str().c_str(), 0755);
    ::chmod(session.RuntimeFolder().c_str(), 0755);
    ::chmod((session.RuntimeFolder() + "/TFrmDravemo").c_str(), 0777);
    const RunResult other =
        test::Run({"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", DRAVEMO_SEND,
                   session.RuntimeFolder(), "0x4A", "1", R"({"command":"capture"})"},
                  session.Env());
    EXPECT_EQ(other.Exit, 3) << other.Output;
    EXPECT_NE(other.Output.find("no reply"), std::string::npos) << other.Output;
    EXPECT_TRUE(FilesIn(session.Desktop()).empty()) << "nothing was captured";
    EXPECT_EQ(session.SendCommand(R"({"command":"nothing"})"), 0) << "own user still served";
}

}  // namespace
}  // namespace dravemo::test
