// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/WebPLibrary.h"

#include <memory>

#include "platform/ProgramFiles.h"

namespace dravemo {

namespace {
constexpr const char* kLibraryName = "libwebp.so.7";
}  // namespace

std::vector<std::string> WebPLibrary::DefaultLocations() {
    std::vector<std::string> locations;
    const QString dir = ExecutableDir();
    if (!dir.isEmpty()) locations.push_back(dir.toStdString() + "/" + kLibraryName);
    locations.emplace_back(kLibraryName);
    return locations;
}

std::optional<WebPLibrary> WebPLibrary::Load(const std::vector<std::string>& locations) {
    for (const std::string& location : locations) {
        std::optional<SharedLibrary> library = SharedLibrary::Open(location);
        if (!library) continue;
        auto lossless = reinterpret_cast<LosslessFn>(library->Symbol("WebPEncodeLosslessBGRA"));
        auto lossy = reinterpret_cast<LossyFn>(library->Symbol("WebPEncodeBGRA"));
        auto free = reinterpret_cast<FreeFn>(library->Symbol("WebPFree"));
        if (lossless && lossy && free)
            return WebPLibrary(std::move(*library), lossless, lossy, free);
    }
    return std::nullopt;
}

std::vector<uint8_t> WebPLibrary::TakeOutput(uint8_t* output, size_t size) const {
    // The encoder's buffer goes back to it even if copying fails.
    const std::unique_ptr<uint8_t, FreeFn> owned(output, FFree);
    if (output == nullptr) return {};
    std::vector<uint8_t> bytes(output, output + size);
    return bytes;
}

std::vector<uint8_t> WebPLibrary::EncodeLossless(const uint8_t* bgra, int width, int height,
                                                 int stride) const {
    uint8_t* output = nullptr;
    const size_t size = FLossless(bgra, width, height, stride, &output);
    return TakeOutput(output, size);
}

std::vector<uint8_t> WebPLibrary::EncodeLossy(const uint8_t* bgra, int width, int height,
                                              int stride, float quality) const {
    uint8_t* output = nullptr;
    const size_t size = FLossy(bgra, width, height, stride, quality, &output);
    return TakeOutput(output, size);
}

}  // namespace dravemo
