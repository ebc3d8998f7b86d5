// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

#include "tests/support/ChildProcess.h"

namespace dravemo::test {

// A window's client area on the screen, as xwininfo reports it.
struct Geometry {
    int X = 0, Y = 0, Width = 0, Height = 0;
    bool operator==(const Geometry&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Geometry& g);
Geometry WindowGeometry(const std::string& id, const ChildProcess::Env& env);

// Raw RGB pixels of an image file as ImageMagick decodes it; empty when it cannot be read.
struct Picture {
    int Width = 0;
    int Height = 0;
    std::string Bytes;
    const uint8_t* At(int x, int y) const {
        return reinterpret_cast<const uint8_t*>(Bytes.data()) +
               (static_cast<size_t>(y) * Width + x) * 3;
    }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
};
Picture Decode(const std::filesystem::path& file, const ChildProcess::Env& env);

// Paints a 1280 x 800 plasma picture made from `seed` on the root window of the display in
// `env`, keeps it at `file`, moves the pointer to the corner and returns the picture.
Picture PaintKnownPicture(const std::filesystem::path& file, int seed,
                          const ChildProcess::Env& env);

}  // namespace dravemo::test
