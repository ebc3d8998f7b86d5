// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/BandedDeflate.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <exception>
#include <stdexcept>
#include <thread>
#include <vector>

namespace dravemo {

namespace {

// Deflate's window: the history a band needs from the rows before it.
constexpr size_t kWindowBytes = 32768;

// A raw deflate stream (no zlib header or checksum) that ends itself.
class RawDeflater {
public:
    explicit RawDeflater(int level) {
        if (deflateInit2(&FStream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
            throw std::runtime_error("the compressor cannot start");
        }
    }
    ~RawDeflater() { deflateEnd(&FStream); }
    RawDeflater(const RawDeflater&) = delete;
    RawDeflater& operator=(const RawDeflater&) = delete;

    void Prime(const uint8_t* history, size_t size) {
        if (deflateSetDictionary(&FStream, history, static_cast<uInt>(size)) != Z_OK) {
            throw std::runtime_error("compression failed");
        }
    }

    // Compresses all of `data` into `out`, then finishes the stream (last band) or ends it on
    // a byte boundary with a sync flush so that the next band's bits can follow.
    void Compress(const uint8_t* data, size_t size, bool last, std::vector<uint8_t>& out) {
        out.resize(deflateBound(&FStream, size) + 64);
        FStream.next_in = const_cast<Bytef*>(data);
        FStream.avail_in = static_cast<uInt>(size);
        size_t used = 0;
        const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
        for (;;) {
            if (used == out.size()) out.resize(out.size() * 2);
            FStream.next_out = out.data() + used;
            FStream.avail_out = static_cast<uInt>(out.size() - used);
            const int result = deflate(&FStream, flush);
            used = out.size() - FStream.avail_out;
            if (result == Z_STREAM_END) break;
            if (result != Z_OK && result != Z_BUF_ERROR) {
                throw std::runtime_error("compression failed");
            }
            // A sync flush is complete once it leaves output space unused.
            if (!last && FStream.avail_in == 0 && FStream.avail_out > 0) break;
        }
        out.resize(used);
    }

private:
    z_stream FStream{};
};

// One band's share of the stream.
struct Band {
    int First = 0;
    int End = 0;
    bool Last = false;
    std::vector<uint8_t> Compressed;
    uLong Adler = 1;
    std::exception_ptr Error;
};

// Fills the band's rows, with the rows before it that hold its history, and deflates them.
void CompressBand(const DeflateRows& rows, int level, Band& band) {
    try {
        const int historyRows =
            band.First == 0
                ? 0
                : static_cast<int>(std::min<size_t>(
                      band.First, (kWindowBytes + rows.RowBytes - 1) / rows.RowBytes));
        const int from = band.First - historyRows;
        std::vector<uint8_t> data(static_cast<size_t>(band.End - from) * rows.RowBytes);
        for (int y = from; y < band.End; ++y) {
            rows.Fill(y, data.data() + static_cast<size_t>(y - from) * rows.RowBytes);
        }
        const size_t historyBytes = static_cast<size_t>(historyRows) * rows.RowBytes;
        const uint8_t* own = data.data() + historyBytes;
        const size_t ownBytes = data.size() - historyBytes;
        RawDeflater deflater(level);
        if (historyBytes > 0) {
            const size_t window = std::min(historyBytes, kWindowBytes);
            deflater.Prime(own - window, window);
        }
        deflater.Compress(own, ownBytes, band.Last, band.Compressed);
        band.Adler = adler32_z(1, own, ownBytes);
    } catch (...) {
        band.Error = std::current_exception();
    }
}

std::vector<Band> CutIntoBands(const DeflateRows& rows, const DeflateBands& layout) {
    const unsigned threads = std::max(1u, layout.Threads);
    int bandRows = std::max(1, (rows.Rows + static_cast<int>(threads) - 1) / static_cast<int>(threads));
    if (rows.RowBytes > 0) {
        const size_t fitting = std::max<size_t>(1, layout.MaxBandBytes / rows.RowBytes);
        bandRows = static_cast<int>(std::min<size_t>(bandRows, fitting));
    }
    std::vector<Band> bands;
    for (int first = 0; first < rows.Rows; first += bandRows) {
        Band& band = bands.emplace_back();
        band.First = first;
        band.End = std::min(rows.Rows, first + bandRows);
    }
    if (bands.empty()) bands.push_back(Band{});
    bands.back().Last = true;
    return bands;
}

void PutBigEndian32(std::array<uint8_t, 4>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

}  // namespace

unsigned DeflateBands::DefaultThreads() { return std::max(1u, std::thread::hardware_concurrency()); }

void DeflateRowsToZlib(const DeflateRows& rows, int level,
                       const std::function<void(const uint8_t* data, size_t size)>& sink,
                       const DeflateBands& layout) {
    // zlib header: deflate with a 32 KiB window, the level's class in the flag byte, no
    // dictionary; the header's 16 bits are a multiple of 31.
    const int levelClass = level < 2 ? 0 : (level < 6 ? 1 : (level == 6 ? 2 : 3));
    unsigned header = (0x78u << 8) | static_cast<unsigned>(levelClass << 6);
    header += 31 - header % 31;
    const std::array<uint8_t, 2> head = {static_cast<uint8_t>(header >> 8),
                                         static_cast<uint8_t>(header)};
    sink(head.data(), head.size());

    std::vector<Band> bands = CutIntoBands(rows, layout);
    const size_t threads = std::max(1u, layout.Threads);
    uLong adler = 1;
    for (size_t round = 0; round < bands.size(); round += threads) {
        const size_t end = std::min(bands.size(), round + threads);
        {
            // The first band of the round runs here, the others on threads of their own.
            std::vector<std::jthread> workers;
            for (size_t i = round + 1; i < end; ++i) {
                workers.emplace_back([&rows, level, &band = bands[i]] { CompressBand(rows, level, band); });
            }
            CompressBand(rows, level, bands[round]);
        }
        for (size_t i = round; i < end; ++i) {
            Band& band = bands[i];
            if (band.Error) std::rethrow_exception(band.Error);
            sink(band.Compressed.data(), band.Compressed.size());
            const auto length = static_cast<z_off_t>(static_cast<size_t>(band.End - band.First) * rows.RowBytes);
            adler = adler32_combine(adler, band.Adler, length);
            std::vector<uint8_t>().swap(band.Compressed);
        }
    }
    std::array<uint8_t, 4> tail{};
    PutBigEndian32(tail, static_cast<uint32_t>(adler));
    sink(tail.data(), tail.size());
}

}  // namespace dravemo
