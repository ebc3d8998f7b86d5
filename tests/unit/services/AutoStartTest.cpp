// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ProgramFiles.h"
#include "platform/linux/XdgAutostart.h"
#include "services/AutoStart.h"
#include "tests/support/TempDir.h"

namespace dravemo {
namespace {

class AutoStartTest : public ::testing::Test {
protected:
    std::filesystem::path Entry() const { return dir / "autostart" / "Dravemo.desktop"; }
    test::TempDir dir;
    XdgAutostart autostart{QString::fromStdString((dir / "autostart").string())};
};

TEST_F(AutoStartTest, EnablingWritesAnEntryThatStartsThisProgramHidden) {
    EXPECT_FALSE(AutoStartExists(autostart, "Dravemo"));
    ASSERT_TRUE(SetAutoStart(autostart, "Dravemo", true));
    const std::string content = test::ReadFile(Entry());
    EXPECT_NE(content.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(content.find("Name=Dravemo\n"), std::string::npos);
    EXPECT_NE(content.find("Exec=\"" + ExecutablePath().toStdString() + "\" /start\n"),
              std::string::npos)
        << content;
    EXPECT_TRUE(AutoStartExists(autostart, "Dravemo"));
}

TEST_F(AutoStartTest, AnExistingEntryIsRefreshedWithTheCurrentPath) {
    test::WriteFile(Entry(),
                    "[Desktop Entry]\nType=Application\nExec=\"/old/place/dravemo\" /start\n");
    EXPECT_TRUE(AutoStartExists(autostart, "Dravemo"));
    const std::string content = test::ReadFile(Entry());
    EXPECT_EQ(content.find("/old/place"), std::string::npos);
    EXPECT_NE(content.find(ExecutablePath().toStdString()), std::string::npos);
}

TEST_F(AutoStartTest, DisablingRemovesAndAbsentIsFine) {
    ASSERT_TRUE(SetAutoStart(autostart, "Dravemo", true));
    EXPECT_TRUE(SetAutoStart(autostart, "Dravemo", false));
    EXPECT_FALSE(std::filesystem::exists(Entry()));
    EXPECT_TRUE(SetAutoStart(autostart, "Dravemo", false));
    EXPECT_TRUE(SetAutoStart(autostart, "Dravemo", true));
    EXPECT_TRUE(std::filesystem::exists(Entry()));
}

TEST_F(AutoStartTest, AnEntryTheDesktopSwitchedOffIsAbsentAndStaysOff) {
    struct Case {
        const char* entry;
        bool on;
    };
    const Case cases[] = {
        {"[Desktop Entry]\nExec=/old/dravemo /start\nHidden=true\n", false},
        {"[Desktop Entry]\nExec=/old/dravemo /start\nX-GNOME-Autostart-enabled=false\n", false},
        {"[Desktop Entry]\r\nExec=/old/dravemo /start\r\nHidden = true\r\n", false},
        {"[Desktop Entry]\nExec=/old/dravemo /start\nHidden=false\n"
         "X-GNOME-Autostart-enabled=true\n",
         true},
        // Keys of another group say nothing about the entry.
        {"[Desktop Entry]\nExec=/old/dravemo /start\n[Desktop Action x]\nHidden=true\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        test::WriteFile(Entry(), c.entry);
        EXPECT_EQ(AutoStartExists(autostart, "Dravemo"), c.on);
        // Only an entry that is on is refreshed; one switched off is left as the user left it.
        EXPECT_EQ(test::ReadFile(Entry()) == c.entry, !c.on);
    }
    // Switching it on from the menu replaces the entry with one that is on.
    test::WriteFile(Entry(), cases[0].entry);
    ASSERT_TRUE(SetAutoStart(autostart, "Dravemo", true));
    EXPECT_TRUE(AutoStartExists(autostart, "Dravemo"));
}

TEST_F(AutoStartTest, RemovingWithoutAnyAutostartFolderSucceeds) {
    ASSERT_FALSE(std::filesystem::exists(dir / "autostart"));
    EXPECT_TRUE(SetAutoStart(autostart, "Dravemo", false));
    EXPECT_FALSE(std::filesystem::exists(dir / "autostart"));
}

TEST_F(AutoStartTest, AFolderThatCannotBeWrittenGivesFalse) {
    // A file where the folder belongs: neither root nor anyone can create the entry.
    test::WriteFile(dir / "autostart", "not a folder");
    EXPECT_FALSE(SetAutoStart(autostart, "Dravemo", true));
    EXPECT_FALSE(AutoStartExists(autostart, "Dravemo"));
}

TEST(XdgAutostartExec, QuotesAndEscapesAsDesktopEntriesRequire) {
    EXPECT_EQ(XdgAutostart::ExecLine("/opt/dravemo/dravemo", {"/start"}),
              "\"/opt/dravemo/dravemo\" /start");
    EXPECT_EQ(XdgAutostart::ExecLine("/my apps/dra\"vemo", {"/start"}),
              "\"/my apps/dra\\\\\"vemo\" /start");
    EXPECT_EQ(XdgAutostart::ExecLine("/a$b/100%/x\\y", {"/start"}),
              "\"/a\\\\$b/100%%/x\\\\\\\\y\" /start");
}

}  // namespace
}  // namespace dravemo
