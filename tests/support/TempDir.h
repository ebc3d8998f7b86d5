// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace dravemo::test {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    std::string Str() const { return FPath.string(); }
    std::filesystem::path operator/(const std::string& name) const { return FPath / name; }

private:
    std::filesystem::path FPath;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);
// Writes a whole file, creating parent folders.
void WriteFile(const std::filesystem::path& path, const std::string& content);
// The permission bits of a file or folder; 0 when it cannot be read.
mode_t ModeOf(const std::filesystem::path& path);
// The process's file creation mask.
mode_t CurrentUmask();

}  // namespace dravemo::test
