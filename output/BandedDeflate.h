// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace dravemo {

// Rows of bytes to compress: Rows rows of RowBytes bytes each. Fill(y, out) writes row y to
// `out`; it is called from several threads at once, for different rows.
struct DeflateRows {
    int Rows = 0;
    size_t RowBytes = 0;
    std::function<void(int y, uint8_t* out)> Fill;
};

// How the rows are cut into horizontal bands: one band per thread, each of at most
// MaxBandBytes (and at least one row) when more than one thread works, at most Threads of them
// compressed at the same time. With one thread the rows form a single band.
struct DeflateBands {
    unsigned Threads = DefaultThreads();
    size_t MaxBandBytes = size_t{8} << 20;

    // The processors this process may run on, at least 1.
    static unsigned DefaultThreads();
};

// Compresses the rows, top to bottom, into one zlib stream (32 KiB window, memory level 8,
// default strategy) at the given level and hands its bytes, in order, to `sink`. Bands are
// deflated in parallel, each primed with the 32 KiB of row data before it and ended with a
// sync flush; their checksums are joined into the stream's one. The stream decompresses to
// exactly the rows; it is a few bytes longer per band than a single-threaded one. Throws
// std::runtime_error when the compressor fails; an exception from Fill or sink propagates.
void DeflateRowsToZlib(const DeflateRows& rows, int level,
                       const std::function<void(const uint8_t* data, size_t size)>& sink,
                       const DeflateBands& bands = {});

}  // namespace dravemo
