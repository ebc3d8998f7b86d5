// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// Times replacing a 24 MB file (the size of a 3840 x 2160 capture) through an unnamed
// temporary file, through a hidden named one, and with a plain overwrite that flushes nothing,
// in the same run, in the folder given as the argument (default: the current folder).
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "platform/AtomicFile.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 10;

template <typename F>
double MillisecondsPerWrite(F write) {
    write();
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; ++i) write();
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
    return elapsed.count() / kRounds;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::string folder = argc > 1 ? argv[1] : ".";
        const std::string target = folder + "/atomic_file_bench.bin";
        const std::string data(24u << 20, 'x');
        const auto atomic = [&](dravemo::AtomicFile::Method method) {
            return [&, method] {
                dravemo::AtomicFile file(target, method);
                file.Write(data);
                file.Commit();
            };
        };
        const double unnamed = MillisecondsPerWrite(atomic(dravemo::AtomicFile::Method::Unnamed));
        const double hidden = MillisecondsPerWrite(atomic(dravemo::AtomicFile::Method::HiddenName));
        const double plain = MillisecondsPerWrite([&] {
            std::ofstream out(target, std::ios::binary | std::ios::trunc);
            out.write(data.data(), static_cast<std::streamsize>(data.size()));
        });
        std::remove(target.c_str());
        std::printf("24 MB replace, unnamed temporary: %8.2f ms\n", unnamed);
        std::printf("24 MB replace, hidden temporary:  %8.2f ms\n", hidden);
        std::printf("24 MB overwrite, no flush:        %8.2f ms\n", plain);
        std::printf("unnamed / hidden: %.2f, unnamed / plain: %.2f\n", unnamed / hidden,
                    unnamed / plain);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "atomic_file_bench: %s\n", e.what());
        return 1;
    }
}
