// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/SharedLibrary.h"

#include <dlfcn.h>

#include <utility>

namespace dravemo {

std::optional<SharedLibrary> SharedLibrary::Open(const std::string& path) {
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return std::nullopt;
    return SharedLibrary(handle);
}

SharedLibrary::~SharedLibrary() { Close(); }

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : FHandle(std::exchange(other.FHandle, nullptr)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
    if (this != &other) {
        Close();
        FHandle = std::exchange(other.FHandle, nullptr);
    }
    return *this;
}

void* SharedLibrary::Symbol(const std::string& name) const {
    return FHandle == nullptr ? nullptr : ::dlsym(FHandle, name.c_str());
}

void SharedLibrary::Close() {
    if (FHandle != nullptr) ::dlclose(std::exchange(FHandle, nullptr));
}

}  // namespace dravemo
