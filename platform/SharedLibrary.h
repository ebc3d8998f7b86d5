// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace dravemo {

// A shared library loaded into the process at run time; unloaded when the object goes.
class SharedLibrary {
public:
    // Loads the library at `path` (UTF-8); a bare file name is looked up on the system's
    // library search path. Empty when the library cannot be found or loaded.
    static std::optional<SharedLibrary> Open(const std::string& path);

    ~SharedLibrary();
    SharedLibrary(SharedLibrary&& other) noexcept;
    SharedLibrary& operator=(SharedLibrary&& other) noexcept;
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // The address of an exported entry point, or null when the library has none of that name.
    void* Symbol(const std::string& name) const;

private:
    explicit SharedLibrary(void* handle) : FHandle(handle) {}
    void Close();
    void* FHandle = nullptr;
};

}  // namespace dravemo
