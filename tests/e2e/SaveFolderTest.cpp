// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <future>
#include <random>

#include "tests/e2e/DravemoSession.h"
#include "tests/e2e/ScreenChecks.h"

namespace dravemo::test {
namespace {

namespace fs = std::filesystem;

const char kNoCursor[] = "\"mouse\"=dword:00000000\r\n";

// Whether the process has a file open in the folder: a capture being written there.
bool WritesInto(pid_t pid, const fs::path& folder) {
    std::error_code error;
    const std::string prefix = folder.string() + "/";
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        std::error_code ignored;
        if (fs::read_symlink(fd.path(), ignored).string().starts_with(prefix)) return true;
    }
    return false;
}

// An account on which no desktop folder was ever made: the first capture makes it, with the
// mode the desktop's own tools give it, and lands in it.
TEST(SaveFolderEndToEnd, FirstCaptureOnAFreshAccountMakesTheDesktopFolder) {
    DravemoSession session;
    fs::remove_all(session.Desktop());
    session.WriteSettings(kNoCursor);
    auto dravemo = session.Start({"/start"});
    ASSERT_TRUE(session.WaitForInstance());
    ASSERT_EQ(session.SendCommand(R"({"command":"capture"})"), 1);
    EXPECT_THAT(FilesIn(session.Desktop()), ::testing::ElementsAre("D-001.png"));
    EXPECT_TRUE(fs::is_directory(session.Desktop()));
    EXPECT_EQ(ModeOf(session.Desktop()), 0755 & ~CurrentUmask());
    const Picture shot = Decode(session.Desktop() / "D-001.png", session.Env());
    EXPECT_EQ(shot.Width, 1280);
    EXPECT_EQ(shot.Height, 800);
}

// The program killed at random moments while it writes a large PNG: the desktop never shows
// anything but complete captures, and the numbering goes on without gaps.
TEST(SaveFolderEndToEnd, KillDuringAPngWriteLeavesNoVisibleDebris) {
    DravemoSession session("3840x2160x24");
    const fs::path noise = session.Home() / "noise.png";
    test::Run({"convert", "-size", "3840x2160", "xc:gray", "-seed", "11", "+noise", "Random",
               "-depth", "8", noise.string()},
              session.Env());
    ASSERT_TRUE(fs::exists(noise));
    test::Run({"display", "-window", "root", noise.string()}, session.Env());
    session.WriteSettings(kNoCursor);

    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    for (int round = 0; round < 4; ++round) {
        auto dravemo = session.Start({"/start"});
        ASSERT_TRUE(session.WaitForInstance());
        auto capture = std::async(std::launch::async,
                                  [&] { return session.SendCommand(R"({"command":"capture"})"); });
        const bool writing =
            WaitUntil([&] { return WritesInto(dravemo->Pid(), session.Desktop()); },
                      std::chrono::seconds(60));
        EXPECT_TRUE(writing) << "round " << round << ": the write was never seen under way";
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 1500)(random)));
        ::kill(dravemo->Pid(), SIGKILL);
        dravemo->Wait(std::chrono::seconds(10));
        capture.wait();
        for (const std::string& name : FilesIn(session.Desktop())) {
            if (name.starts_with('.')) continue;
            EXPECT_THAT(name, ::testing::MatchesRegex("D-[0-9]{3}\\.png")) << "round " << round;
            EXPECT_EQ(Decode(session.Desktop() / name, session.Env()).Width, 3840)
                << name << " is not a complete picture";
        }
    }

    // A capture after the crashes takes the next number after the complete ones.
    auto dravemo = session.Start({"/start"});
    ASSERT_TRUE(session.WaitForInstance());
    ASSERT_EQ(session.SendCommand(R"({"command":"capture"})"), 1);
    std::vector<std::string> visible;
    for (const std::string& name : FilesIn(session.Desktop())) {
        if (!name.starts_with('.')) visible.push_back(name);
    }
    std::vector<std::string> numbered;
    for (size_t i = 1; i <= visible.size(); ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "D-%03zu.png", i);
        numbered.push_back(name);
    }
    EXPECT_EQ(visible, numbered);
    EXPECT_EQ(Decode(session.Desktop() / visible.back(), session.Env()).Width, 3840);
}

}  // namespace
}  // namespace dravemo::test
