// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// Times 1920 x 1080 reads of the screen of $DISPLAY through MIT-SHM and through plain GetImage
// in the same run and prints both and their ratio. Run it on a screen at least that large,
// for instance under `Xvfb :N -screen 0 1920x1080x24`.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <vector>

#include "platform/linux/XcbScreenSource.h"

namespace {

using Clock = std::chrono::steady_clock;

// Average milliseconds per read over `rounds` reads, after one unmeasured warm-up read.
double MillisecondsPerRead(dravemo::XcbScreenSource& screen, dravemo::PixelBuffer buffer,
                           int rounds) {
    screen.CopyArea({0, 0}, buffer);
    const auto start = Clock::now();
    for (int i = 0; i < rounds; ++i) screen.CopyArea({0, 0}, buffer);
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
    return elapsed.count() / rounds;
}

}  // namespace

int main() {
    try {
        constexpr int kWidth = 1920, kHeight = 1080;
        std::vector<uint8_t> pixels(static_cast<size_t>(kWidth) * kHeight * 4);
        const dravemo::PixelBuffer buffer{pixels.data(), kWidth, kHeight, kWidth * 4};
        dravemo::XcbScreenSource shm;
        dravemo::XcbScreenSource plain({.Display = {}, .AllowShm = false});
        const auto monitors = shm.Monitors();
        int screenWidth = 0, screenHeight = 0;
        for (const auto& m : monitors) {
            screenWidth = std::max(screenWidth, m.Bounds.X + m.Bounds.Width);
            screenHeight = std::max(screenHeight, m.Bounds.Y + m.Bounds.Height);
        }
        if (screenWidth < kWidth || screenHeight < kHeight) {
            std::printf("note: the screen is %d x %d; reads are clipped to it\n", screenWidth,
                        screenHeight);
        }
        const double viaShm = MillisecondsPerRead(shm, buffer, 200);
        const double viaPlain = MillisecondsPerRead(plain, buffer, 20);
        std::printf("1920x1080 grab, MIT-SHM GetImage: %8.3f ms%s\n", viaShm,
                    shm.UsesShm() ? "" : " (shared memory unavailable: plain reads)");
        std::printf("1920x1080 grab, plain GetImage:   %8.3f ms\n", viaPlain);
        std::printf("plain / MIT-SHM:                  %8.1f x\n", viaPlain / viaShm);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "screen_grab_bench: %s\n", e.what());
        return 1;
    }
}
