// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>

#include <filesystem>

#include "tests/unit/app/MainWindowFixture.h"

namespace dravemo::test {
namespace {

namespace fs = std::filesystem;
using SaveFolder = MainWindowFixture;

QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }

// Only the default desktop folder is made before a file is named; a folder the user chose
// is left as it is.
TEST_F(SaveFolder, OnlyTheDesktopFolderIsMadeBeforeNaming) {
    const std::pair<std::optional<QString>, int> cases[] = {
        {std::nullopt, 1},          // nothing stored: the desktop
        {desktop.Folder + "/", 1},  // the desktop, chosen
        {Q(home / "Chosen"), 0},    // a folder of the user's
        {QString(), 0},             // the current folder
    };
    for (const auto& [stored, expected] : cases) {
        if (stored) Store("path", RegValue::String(*stored));
        desktop.EnsureCalls = 0;
        auto w = Create();
        EXPECT_EQ(desktop.EnsureCalls, 0) << "nothing is made before a capture";
        w->NewFilename("png");
        EXPECT_EQ(desktop.EnsureCalls, expected) << w->SavePath.toStdString();
    }
}

// A chosen folder that has gone: the capture fails with a message naming the file and
// nothing is written or made.
TEST_F(SaveFolder, AVanishedChosenFolderFailsClearly) {
    const fs::path gone = home / "Chosen";
    Store("path", RegValue::String(Q(gone)));
    auto w = Create();
    w->Start();
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_THAT(boxes.Boxes[0].Text.toStdString(),
                ::testing::HasSubstr("Cannot create the file \"" + (gone / "D-001.png").string()));
    EXPECT_FALSE(fs::exists(gone));
    EXPECT_EQ(desktop.EnsureCalls, 0);
}

// Start-up clears the save folder of stale temporary files a crash left; fresh ones may
// belong to a write in progress and stay.
TEST_F(SaveFolder, StartUpRemovesStaleTemporaries) {
    const fs::path folder = home / "shots";
    WriteFile(folder / ".D-001.png.dravemo-aaaaaaaa", "x");
    WriteFile(folder / ".D-002.png.dravemo-bbbbbbbb", "x");
    WriteFile(folder / "D-003.png", "x");
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    fs::last_write_time(folder / ".D-001.png.dravemo-aaaaaaaa", old);
    fs::last_write_time(folder / "D-003.png", old);
    Store("path", RegValue::String(Q(folder)));
    auto w = Create();
    EXPECT_FALSE(fs::exists(folder / ".D-001.png.dravemo-aaaaaaaa"));
    EXPECT_TRUE(fs::exists(folder / ".D-002.png.dravemo-bbbbbbbb"));
    EXPECT_TRUE(fs::exists(folder / "D-003.png"));
}

}  // namespace
}  // namespace dravemo::test
