// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/linux/XdgDesktop.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace dravemo {
namespace {

namespace fs = std::filesystem;

// A home folder with or without a user-dirs file naming the desktop.
class XdgDesktopFolder : public ::testing::Test {
protected:
    fs::path Desktop() { return fs::path(desktop.DesktopFolder().toStdString()); }
    test::TempDir home;
    test::ScopedEnv homeVariable{"HOME", home.Str()};
    test::ScopedEnv configVariable{"XDG_CONFIG_HOME", (home / ".config").string()};
    XdgDesktop desktop;
};

// A missing desktop folder, and folders missing above the one user-dirs names, are made with
// mode 0755 (less the umask); calling it again changes nothing.
TEST_F(XdgDesktopFolder, MakesTheMissingDesktopFolder) {
    const mode_t expected = 0755 & ~test::CurrentUmask();
    for (const std::string& dirs :
         {std::string(), std::string("XDG_DESKTOP_DIR=\"$HOME/Work/Desk\"\n")}) {
        fs::remove_all(home / ".config");
        if (!dirs.empty()) test::WriteFile(home / ".config" / "user-dirs.dirs", dirs);
        const fs::path folder = Desktop();
        ASSERT_FALSE(fs::exists(folder)) << folder;
        desktop.EnsureDesktopFolder();
        ASSERT_TRUE(fs::is_directory(folder)) << folder;
        for (fs::path p = folder; p != home.Path(); p = p.parent_path()) {
            EXPECT_EQ(test::ModeOf(p), expected) << p;
        }
        test::WriteFile(folder / "kept.png", "x");
        desktop.EnsureDesktopFolder();
        EXPECT_EQ(test::ReadFile(folder / "kept.png"), "x");
    }
}

// A file where the desktop folder belongs is not replaced: the error names the folder.
TEST_F(XdgDesktopFolder, AFileInTheWayFailsClearly) {
    test::WriteFile(Desktop(), "not a folder");
    try {
        desktop.EnsureDesktopFolder();
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr("\"" + Desktop().string() + "\""));
    }
    EXPECT_EQ(test::ReadFile(Desktop()), "not a folder");
}

}  // namespace
}  // namespace dravemo
