// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/BandedDeflate.h"

#include <zlib.h>

#include "platform/Processors.h"

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

// Where a band's compressed bytes go, in order.
using ByteSink = std::function<void(const uint8_t* data, size_t size)>;

// Input is fed to deflate in slices of about this size, so that no band is ever held whole.
constexpr size_t kSliceBytes = 256 * 1024;
// Deflate's output is collected in pieces of this size.
constexpr size_t kOutputBytes = 64 * 1024;

// A raw deflate stream (no zlib header or checksum) fed slice by slice.
class RawDeflater {
public:
    explicit RawDeflater(int level) : FOutput(kOutputBytes) {
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

    // Compresses all of `data`, handing finished output to `sink`. `flush` is Z_NO_FLUSH for
    // a slice in the middle, Z_SYNC_FLUSH for a band's last slice (its bits end on a byte
    // boundary so that the next band's can follow) and Z_FINISH for the stream's last one.
    void Compress(const uint8_t* data, size_t size, int flush, const ByteSink& sink) {
        FStream.next_in = const_cast<Bytef*>(data);
        FStream.avail_in = static_cast<uInt>(size);
        for (;;) {
            FStream.next_out = FOutput.data();
            FStream.avail_out = static_cast<uInt>(FOutput.size());
            const int result = deflate(&FStream, flush);
            if (result != Z_OK && result != Z_BUF_ERROR && result != Z_STREAM_END) {
                throw std::runtime_error("compression failed");
            }
            const size_t produced = FOutput.size() - FStream.avail_out;
            if (produced > 0) sink(FOutput.data(), produced);
            if (result == Z_STREAM_END) return;
            // Without Z_FINISH the call is complete once all input is taken and deflate left
            // output space unused (a flush that filled the space may have more to give).
            if (flush != Z_FINISH && FStream.avail_in == 0 && FStream.avail_out > 0) return;
        }
    }

private:
    z_stream FStream{};
    std::vector<uint8_t> FOutput;
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

// Deflates the band's rows, primed with the rows before it that hold its history, and hands
// the output to `sink`. Rows are filled a slice at a time, and the band's checksum is summed
// row by row while each row is still in the cache.
void CompressBand(const DeflateRows& rows, int level, Band& band, const ByteSink& sink) {
    try {
        RawDeflater deflater(level);
        if (band.First > 0 && rows.RowBytes > 0) {
            const int historyRows = static_cast<int>(std::min<size_t>(
                band.First, (kWindowBytes + rows.RowBytes - 1) / rows.RowBytes));
            std::vector<uint8_t> history(static_cast<size_t>(historyRows) * rows.RowBytes);
            for (int i = 0; i < historyRows; ++i) {
                rows.Fill(band.First - historyRows + i, history.data() + static_cast<size_t>(i) * rows.RowBytes);
            }
            const size_t window = std::min(history.size(), kWindowBytes);
            deflater.Prime(history.data() + history.size() - window, window);
        }
        const int sliceRows = static_cast<int>(
            std::max<size_t>(1, kSliceBytes / std::max<size_t>(1, rows.RowBytes)));
        std::vector<uint8_t> slice(static_cast<size_t>(std::min(sliceRows, std::max(1, band.End - band.First))) *
                                   rows.RowBytes);
        uLong adler = 1;
        int y = band.First;
        do {
            const int count = std::min(sliceRows, band.End - y);
            for (int i = 0; i < count; ++i) {
                uint8_t* row = slice.data() + static_cast<size_t>(i) * rows.RowBytes;
                rows.Fill(y + i, row);
                adler = adler32_z(adler, row, rows.RowBytes);
            }
            y += count;
            const int flush = y < band.End ? Z_NO_FLUSH : (band.Last ? Z_FINISH : Z_SYNC_FLUSH);
            deflater.Compress(slice.data(), static_cast<size_t>(count) * rows.RowBytes, flush, sink);
        } while (y < band.End);
        band.Adler = adler;
    } catch (...) {
        band.Error = std::current_exception();
    }
}

std::vector<Band> CutIntoBands(const DeflateRows& rows, const DeflateBands& layout) {
    const unsigned threads = std::max(1u, layout.Threads);
    int bandRows = std::max(1, (rows.Rows + static_cast<int>(threads) - 1) / static_cast<int>(threads));
    // The size cap bounds the output that parallel bands hold back; alone, a band streams.
    if (threads > 1 && rows.RowBytes > 0) {
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

unsigned DeflateBands::DefaultThreads() { return UsableProcessorCount(); }

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
    const auto joinChecksum = [&rows, &adler](const Band& band) {
        const auto length = static_cast<z_off_t>(static_cast<size_t>(band.End - band.First) * rows.RowBytes);
        adler = adler32_combine(adler, band.Adler, length);
    };
    for (size_t round = 0; round < bands.size(); round += threads) {
        const size_t end = std::min(bands.size(), round + threads);
        {
            // The round's first band runs here and streams straight to the sink, since every
            // band before it is out already; the others run on threads of their own and keep
            // their output until it is their turn.
            std::vector<std::jthread> workers;
            for (size_t i = round + 1; i < end; ++i) {
                workers.emplace_back([&rows, level, &band = bands[i]] {
                    CompressBand(rows, level, band, [&band](const uint8_t* data, size_t size) {
                        band.Compressed.insert(band.Compressed.end(), data, data + size);
                    });
                });
            }
            CompressBand(rows, level, bands[round], sink);
        }
        for (size_t i = round; i < end; ++i) {
            Band& band = bands[i];
            if (band.Error) std::rethrow_exception(band.Error);
            if (i > round) sink(band.Compressed.data(), band.Compressed.size());
            joinChecksum(band);
            std::vector<uint8_t>().swap(band.Compressed);
        }
    }
    std::array<uint8_t, 4> tail{};
    PutBigEndian32(tail, static_cast<uint32_t>(adler));
    sink(tail.data(), tail.size());
}

}  // namespace dravemo
