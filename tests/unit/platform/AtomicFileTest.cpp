// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "platform/AtomicFile.h"
#include "tests/support/TempDir.h"

namespace dravemo {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using Method = AtomicFile::Method;

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Both ways of making the temporary file: unnamed (the /tmp file system offers it) and the
// hidden name used where a file system does not.
class AtomicFileTest : public ::testing::TestWithParam<Method> {
protected:
    std::string Target() const { return (dir / "D-001.png").string(); }
    test::TempDir dir;
};

// While the data is written the user sees nothing new; after Commit() only the target.
TEST_P(AtomicFileTest, NothingVisibleUntilCommitThenOnlyTheTarget) {
    AtomicFile file(Target(), GetParam());
    EXPECT_EQ(file.IsUnnamed(), GetParam() == Method::Unnamed);
    file.Write("first part, ");
    const auto during = Names(dir.Path());
    if (GetParam() == Method::Unnamed) {
        EXPECT_TRUE(during.empty());
    } else {
        ASSERT_EQ(during.size(), 1u);
        EXPECT_TRUE(during[0].starts_with(".D-001.png.dravemo-")) << during[0];
        EXPECT_TRUE(AtomicFile::IsTemporaryName(during[0])) << during[0];
    }
    file.Write(std::string(100000, 'x'));
    file.Commit();
    EXPECT_EQ(test::ReadFile(Target()), "first part, " + std::string(100000, 'x'));
    EXPECT_THAT(Names(dir.Path()), ElementsAre("D-001.png"));
}

// A write abandoned midway by an error leaves the old file as it was and nothing beside it.
TEST_P(AtomicFileTest, AnAbandonedWriteLeavesTheOldFileAndNoDebris) {
    test::WriteFile(Target(), "old");
    try {
        AtomicFile file(Target(), GetParam());
        file.Write("new half");
        throw std::runtime_error("encoder failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(test::ReadFile(Target()), "old");
    EXPECT_THAT(Names(dir.Path()), ElementsAre("D-001.png"));
}

// A replaced file keeps its mode, even one the umask would narrow; a new file gets 0666 less
// the umask.
TEST_P(AtomicFileTest, ModeOfAReplacedFileIsKept) {
    for (const mode_t mode : {mode_t{0600}, mode_t{0666}, mode_t{0640}}) {
        test::WriteFile(Target(), "old");
        fs::permissions(Target(), static_cast<fs::perms>(mode));
        AtomicFile file(Target(), GetParam());
        file.Write("new");
        file.Commit();
        EXPECT_EQ(test::ModeOf(Target()), mode) << std::oct << mode;
        EXPECT_EQ(test::ReadFile(Target()), "new");
    }
    const fs::path fresh = dir / "fresh.png";
    AtomicFile file(fresh.string(), GetParam());
    file.Commit();
    EXPECT_EQ(test::ModeOf(fresh), 0666 & ~test::CurrentUmask());
}

// A full disk: the write fails with a message naming the file, and nothing is left over. The
// file size limit stands in for the disk running out of room.
TEST_P(AtomicFileTest, AFullDiskFailsClearlyAndLeavesNothing) {
    test::WriteFile(Target(), "old");
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 65536;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        AtomicFile file(Target(), GetParam());
        file.Write(std::string(1 << 20, 'x'));
        file.Commit();
    } catch (const std::runtime_error& e) {
        message = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_THAT(message, ::testing::HasSubstr("Cannot write the file \"" + Target() + "\""));
    EXPECT_EQ(test::ReadFile(Target()), "old");
    EXPECT_THAT(Names(dir.Path()), ElementsAre("D-001.png"));
}

// A folder that is not there: the message names the file and nothing is made.
TEST_P(AtomicFileTest, AMissingFolderFailsClearly) {
    const std::string target = (dir / "gone" / "D-001.png").string();
    try {
        AtomicFile file(target, GetParam());
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr("Cannot create the file \"" + target + "\""));
        EXPECT_THAT(e.what(), ::testing::HasSubstr("No such file or directory"));
    }
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}

INSTANTIATE_TEST_SUITE_P(Methods, AtomicFileTest,
                         ::testing::Values(Method::Unnamed, Method::HiddenName),
                         [](const auto& info) {
                             return info.param == Method::Unnamed ? "Unnamed" : "HiddenName";
                         });

// A file name longer than a temporary name leaves room for still gets a temporary file.
TEST(AtomicFileNames, ALongNameStillGetsAHiddenTemporary) {
    test::TempDir dir;
    const std::string target = (dir / std::string(250, 'n')).string();
    AtomicFile file(target, Method::HiddenName);
    const auto during = Names(dir.Path());
    ASSERT_EQ(during.size(), 1u);
    EXPECT_TRUE(AtomicFile::IsTemporaryName(during[0]));
    file.Write("x");
    file.Commit();
    EXPECT_THAT(Names(dir.Path()), ElementsAre(std::string(250, 'n')));
}

TEST(AtomicFileNames, RecognisesOnlyItsOwnTemporaryNames) {
    const std::pair<const char*, bool> cases[] = {
        {".D-001.png.dravemo-k0nsx26p", true},
        {".registry.reg.dravemo-00000000", true},
        {"D-001.png.tmp-knnsx26p", true},  // the visible form of earlier versions
        {".D-001.png.dravemo-K0NSX26P", false},
        {".D-001.png.dravemo-k0nsx26", false},
        {".D-001.png.dravemo-k0nsx26pq", false},
        {"D-001.png.dravemo-k0nsx26p", false},
        {"..dravemo-k0nsx26p", false},
        {".dravemo-k0nsx26p", false},
        {".D-001.png.other-k0nsx26p", false},
        {".D-001.png.tmp-knnsx26p", false},
        {"D-001.png", false},
        {"", false},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(AtomicFile::IsTemporaryName(name), expected) << name;
    }
}

// Start-up cleanup: only regular files of our hidden pattern, and only stale ones, go.
TEST(AtomicFileCleanup, RemovesOnlyOurOwnStaleHiddenTemporaries) {
    test::TempDir dir;
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    const auto make = [&](const std::string& name, bool stale) {
        test::WriteFile(dir / name, "x");
        if (stale) fs::last_write_time(dir / name, old);
    };
    make(".D-001.png.dravemo-aaaaaaaa", true);
    make(".D-002.png.dravemo-bbbbbbbb", false);
    make(".D-003.png.other-cccccccc", true);
    make("D-004.png.tmp-dddddddd", true);
    make("D-005.png", true);
    make("notes.txt", true);
    fs::create_directory(dir / ".folder.dravemo-eeeeeeee");
    fs::last_write_time(dir / ".folder.dravemo-eeeeeeee", old);
    fs::create_symlink(dir / "notes.txt", dir / ".link.dravemo-ffffffff");

    EXPECT_EQ(AtomicFile::RemoveStaleTemporaries(dir.Str()), 1);
    EXPECT_THAT(Names(dir.Path()),
                ElementsAre(".D-002.png.dravemo-bbbbbbbb", ".D-003.png.other-cccccccc",
                            ".folder.dravemo-eeeeeeee", ".link.dravemo-ffffffff",
                            "D-004.png.tmp-dddddddd", "D-005.png", "notes.txt"));
    EXPECT_EQ(AtomicFile::RemoveStaleTemporaries((dir / "absent").string()), 0);
}

}  // namespace
}  // namespace dravemo
