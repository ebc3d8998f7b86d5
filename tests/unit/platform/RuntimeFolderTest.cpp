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
#include "tests/support/TempDir.h"

namespace dravemo {
namespace {

// Sets XDG_RUNTIME_DIR for one test and puts the old value back.
class RuntimeDirVariable {
public:
    explicit RuntimeDirVariable(const char* value) {
        if (const char* old = std::getenv("XDG_RUNTIME_DIR")) FOld = old;
        value ? ::setenv("XDG_RUNTIME_DIR", value, 1) : ::unsetenv("XDG_RUNTIME_DIR");
    }
    ~RuntimeDirVariable() {
        FOld ? ::setenv("XDG_RUNTIME_DIR", FOld->c_str(), 1) : ::unsetenv("XDG_RUNTIME_DIR");
    }

private:
    std::optional<std::string> FOld;
};

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 0777;
}

TEST(RuntimeFolder, LivesInTheUsersRuntimeDirectoryAndIsPrivate) {
    test::TempDir runtime;
    RuntimeDirVariable variable(runtime.Str().c_str());
    EXPECT_EQ(RuntimeFolder(), runtime.Str() + "/dravemo");
    EXPECT_EQ(ModeOf(runtime.Str() + "/dravemo"), 0700u);
    // A folder made too open by someone is closed again.
    ::chmod((runtime.Str() + "/dravemo").c_str(), 0755);
    RuntimeFolder();
    EXPECT_EQ(ModeOf(runtime.Str() + "/dravemo"), 0700u);
}

TEST(RuntimeFolder, FallsBackToTmpWhenTheRuntimeDirectoryIsUnsetOrMissing) {
    const std::string fallback = "/tmp/dravemo-" + std::to_string(::getuid());
    for (const char* value : {static_cast<const char*>(nullptr), "", "/nonexistent/runtime"}) {
        RuntimeDirVariable variable(value);
        EXPECT_EQ(RuntimeFolder(), fallback);
        EXPECT_EQ(ModeOf(fallback), 0700u);
    }
}

TEST(RuntimeFolder, AFileInItsPlaceIsRefused) {
    test::TempDir runtime;
    test::WriteFile(runtime / "dravemo", "not a folder");
    RuntimeDirVariable variable(runtime.Str().c_str());
    EXPECT_THROW(RuntimeFolder(), std::runtime_error);
}

}  // namespace
}  // namespace dravemo
