// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "tests/e2e/ScreenChecks.h"

#include <cstdio>
#include <sstream>

namespace dravemo::test {

std::ostream& operator<<(std::ostream& out, const Geometry& g) {
    return out << g.Width << "x" << g.Height << "+" << g.X << "+" << g.Y;
}

Geometry WindowGeometry(const std::string& id, const ChildProcess::Env& env) {
    Geometry g;
    std::istringstream lines(Run({"xwininfo", "-id", id}, env).Output);
    for (std::string line; std::getline(lines, line);) {
        std::sscanf(line.c_str(), "  Absolute upper-left X: %d", &g.X);
        std::sscanf(line.c_str(), "  Absolute upper-left Y: %d", &g.Y);
        std::sscanf(line.c_str(), "  Width: %d", &g.Width);
        std::sscanf(line.c_str(), "  Height: %d", &g.Height);
    }
    return g;
}

Picture Decode(const std::filesystem::path& file, const ChildProcess::Env& env) {
    Picture picture;
    const RunResult size = Run({"identify", "-format", "%w %h", file.string()}, env);
    if (std::sscanf(size.Output.c_str(), "%d %d", &picture.Width, &picture.Height) != 2) return {};
    picture.Bytes = Run({"convert", file.string(), "-depth", "8", "rgb:-"}, env).Output;
    if (picture.Bytes.size() != static_cast<size_t>(picture.Width) * picture.Height * 3) return {};
    return picture;
}

Picture PaintKnownPicture(const std::filesystem::path& file, int seed,
                          const ChildProcess::Env& env) {
    Run({"convert", "-size", "1280x800", "-seed", std::to_string(seed), "plasma:fractal", "-depth",
         "8", file.string()},
        env);
    // display paints the root window and exits, with status 1 even when it worked.
    Run({"display", "-window", "root", file.string()}, env);
    Run({"xdotool", "mousemove", "1279", "799"}, env);
    return Decode(file, env);
}

}  // namespace dravemo::test
