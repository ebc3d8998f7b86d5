// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/SharedLibrary.h"

namespace dravemo {

// The WebP codec library's simple encoding interface, loaded at run time. The library is not
// part of the program; the program runs without it.
class WebPLibrary {
public:
    // The places tried, in order: "libwebp.so.7" in the running program's folder, then the
    // same name on the system's library search path.
    static std::vector<std::string> DefaultLocations();
    // Loads the first location that holds a library with all three entry points
    // (WebPEncodeLosslessBGRA, WebPEncodeBGRA, WebPFree); empty when none does.
    static std::optional<WebPLibrary> Load(const std::vector<std::string>& locations);

    // Encodes rows of B, G, R, A bytes, losslessly or lossy at `quality` (0 to 100). Returns
    // the encoded file; empty when the encoder produced nothing.
    std::vector<uint8_t> EncodeLossless(const uint8_t* bgra, int width, int height,
                                        int stride) const;
    std::vector<uint8_t> EncodeLossy(const uint8_t* bgra, int width, int height, int stride,
                                     float quality) const;

private:
    using LosslessFn = size_t (*)(const uint8_t*, int, int, int, uint8_t**);
    using LossyFn = size_t (*)(const uint8_t*, int, int, int, float, uint8_t**);
    using FreeFn = void (*)(void*);

    WebPLibrary(SharedLibrary library, LosslessFn lossless, LossyFn lossy, FreeFn free)
        : FLibrary(std::move(library)), FLossless(lossless), FLossy(lossy), FFree(free) {}
    std::vector<uint8_t> TakeOutput(uint8_t* output, size_t size) const;

    SharedLibrary FLibrary;
    LosslessFn FLossless;
    LossyFn FLossy;
    FreeFn FFree;
};

}  // namespace dravemo
