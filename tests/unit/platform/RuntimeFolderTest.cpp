// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/linux/RuntimeFolder.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

namespace dravemo {
namespace {

TEST(RuntimeFolder, LivesInTheUsersRuntimeDirectoryAndIsPrivate) {
    test::TempDir runtime;
    test::ScopedEnv variable("XDG_RUNTIME_DIR", runtime.Str());
    EXPECT_EQ(RuntimeFolder(), runtime.Str() + "/dravemo");
    EXPECT_EQ(test::ModeOf(runtime.Str() + "/dravemo"), 0700u);
    // A folder made too open by someone is closed again.
    ::chmod((runtime.Str() + "/dravemo").c_str(), 0755);
    RuntimeFolder();
    EXPECT_EQ(test::ModeOf(runtime.Str() + "/dravemo"), 0700u);
}

TEST(RuntimeFolder, FallsBackToTmpWhenTheRuntimeDirectoryIsUnsetOrMissing) {
    const std::string fallback = "/tmp/dravemo-" + std::to_string(::getuid());
    for (const char* value : {static_cast<const char*>(nullptr), "", "/nonexistent/runtime"}) {
        test::ScopedEnv variable("XDG_RUNTIME_DIR", value);
        EXPECT_EQ(RuntimeFolder(), fallback);
        EXPECT_EQ(test::ModeOf(fallback), 0700u);
    }
}

TEST(RuntimeFolder, AFileInItsPlaceIsRefused) {
    test::TempDir runtime;
    test::WriteFile(runtime / "dravemo", "not a folder");
    test::ScopedEnv variable("XDG_RUNTIME_DIR", runtime.Str());
    EXPECT_THROW(RuntimeFolder(), std::runtime_error);
}

}  // namespace
}  // namespace dravemo
