// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/PngWriter.h"

#include <zlib.h>

#include <array>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "output/WriterSupport.h"
#include "platform/AtomicFile.h"

namespace dravemo {

namespace {

// Image data is cut into IDAT chunks of at most this many bytes.
constexpr size_t kMaxIdatBytes = 65535;
constexpr int kDeflateLevel = 7;
constexpr uint8_t kFilterSub = 1;

void PutUint32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

// Writes PNG chunks (length, type, data, CRC) to a file.
class PngChunkWriter {
public:
    explicit PngChunkWriter(AtomicFile& file) : FFile(file) {}

    // `type` is the four-letter chunk name.
    void Write(std::string_view type, const uint8_t* data, size_t size) {
        std::vector<uint8_t> head;
        PutUint32(head, static_cast<uint32_t>(size));
        head.insert(head.end(), type.begin(), type.begin() + 4);
        uLong crc = crc32(0L, Z_NULL, 0);
        crc = crc32(crc, head.data() + 4, 4);
        if (size > 0) crc = crc32(crc, data, static_cast<uInt>(size));
        std::vector<uint8_t> tail;
        PutUint32(tail, static_cast<uint32_t>(crc));
        FFile.Write(head.data(), head.size());
        if (size > 0) FFile.Write(data, size);
        FFile.Write(tail.data(), tail.size());
    }

private:
    AtomicFile& FFile;
};

// A zlib deflate stream that hands each full output buffer to an IDAT chunk.
class IdatStream {
public:
    IdatStream(PngChunkWriter& chunks, const QString& path)
        : FChunks(chunks), FPath(path), FBuffer(kMaxIdatBytes) {
        if (deflateInit2(&FStream, kDeflateLevel, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
            throw ImageWriteError(path, "the compressor cannot start");
        }
        FStream.next_out = FBuffer.data();
        FStream.avail_out = static_cast<uInt>(FBuffer.size());
    }
    ~IdatStream() { deflateEnd(&FStream); }
    IdatStream(const IdatStream&) = delete;
    IdatStream& operator=(const IdatStream&) = delete;

    void Add(const uint8_t* data, size_t size) {
        FStream.next_in = const_cast<Bytef*>(data);
        FStream.avail_in = static_cast<uInt>(size);
        while (FStream.avail_in > 0) Deflate(Z_NO_FLUSH);
    }

    void Finish() {
        while (Deflate(Z_FINISH) != Z_STREAM_END) {
        }
        if (FStream.avail_out < FBuffer.size()) Emit();
    }

private:
    int Deflate(int flush) {
        const int result = deflate(&FStream, flush);
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) {
            throw ImageWriteError(FPath, "compression failed");
        }
        if (FStream.avail_out == 0) Emit();
        return result;
    }

    void Emit() {
        FChunks.Write("IDAT", FBuffer.data(), FBuffer.size() - FStream.avail_out);
        FStream.next_out = FBuffer.data();
        FStream.avail_out = static_cast<uInt>(FBuffer.size());
    }

    PngChunkWriter& FChunks;
    const QString& FPath;
    std::vector<uint8_t> FBuffer;
    z_stream FStream{};
};

// One row as PNG samples: R, G, B for truecolour, the packed indices for indexed bitmaps
// (unused low bits of the last byte cleared).
void RowSamples(const TBitmap& bitmap, int y, std::vector<uint8_t>& row) {
    const uint8_t* src = bitmap.ScanLine(y);
    const int width = bitmap.Width();
    switch (bitmap.PixelFormat()) {
        case TPixelFormat::pf32bit:
        case TPixelFormat::pf24bit: {
            const int step = bitmap.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3;
            uint8_t* out = row.data();
            for (int x = 0; x < width; ++x, src += step) {
                *out++ = src[2];
                *out++ = src[1];
                *out++ = src[0];
            }
            break;
        }
        default: {
            std::memcpy(row.data(), src, row.size());
            const int usedBits =
                static_cast<int>((static_cast<int64_t>(width) * bitmap.BitsPerPixel()) % 8);
            if (usedBits != 0) row.back() &= static_cast<uint8_t>(0xFF << (8 - usedBits));
            break;
        }
    }
}

// Applies the Sub filter: each byte minus the byte one pixel to the left (one byte for
// depths below 8 bits).
void SubFilter(const std::vector<uint8_t>& row, int bytesPerPixel, std::vector<uint8_t>& out) {
    out[0] = kFilterSub;
    for (size_t i = 0; i < row.size(); ++i) {
        const uint8_t left = i >= static_cast<size_t>(bytesPerPixel) ? row[i - bytesPerPixel] : 0;
        out[i + 1] = static_cast<uint8_t>(row[i] - left);
    }
}

std::vector<uint8_t> HeaderData(const TBitmap& bitmap, bool indexed) {
    std::vector<uint8_t> data;
    PutUint32(data, static_cast<uint32_t>(bitmap.Width()));
    PutUint32(data, static_cast<uint32_t>(bitmap.Height()));
    data.push_back(static_cast<uint8_t>(indexed ? bitmap.BitsPerPixel() : 8));
    data.push_back(indexed ? 3 : 2);  // colour type: indexed or truecolour
    data.push_back(0);                // compression method 0 (deflate)
    data.push_back(0);                // filter method 0
    data.push_back(0);                // no interlace
    return data;
}

}  // namespace

void BitmapToPNGFile(const TBitmap& bitmap, const QString& path) {
    RequireWritableSize(bitmap, path, std::numeric_limits<int32_t>::max());
    const bool indexed = IsIndexedFormat(bitmap.PixelFormat());
    // Build the palette before touching the file so that nothing is created for bad input.
    std::vector<uint8_t> palette;
    if (indexed) {
        for (const TPaletteEntry& e : IndexedColours(bitmap)) {
            palette.insert(palette.end(), {e.Red, e.Green, e.Blue});
        }
    }

    AtomicFile file(path.toStdString());
    static constexpr std::array<uint8_t, 8> kSignature = {0x89, 'P',  'N',  'G',
                                                          '\r', '\n', 0x1A, '\n'};
    file.Write(kSignature.data(), kSignature.size());
    PngChunkWriter chunks(file);
    const std::vector<uint8_t> header = HeaderData(bitmap, indexed);
    chunks.Write("IHDR", header.data(), header.size());
    if (indexed) chunks.Write("PLTE", palette.data(), palette.size());

    const size_t rowBytes =
        indexed ? static_cast<size_t>(
                      (static_cast<int64_t>(bitmap.Width()) * bitmap.BitsPerPixel() + 7) / 8)
                : static_cast<size_t>(bitmap.Width()) * 3;
    const int bytesPerPixel = indexed ? 1 : 3;
    std::vector<uint8_t> row(rowBytes);
    std::vector<uint8_t> filtered(rowBytes + 1);
    {
        IdatStream idat(chunks, path);
        for (int y = 0; y < bitmap.Height(); ++y) {
            RowSamples(bitmap, y, row);
            SubFilter(row, bytesPerPixel, filtered);
            idat.Add(filtered.data(), filtered.size());
        }
        idat.Finish();
    }
    chunks.Write("IEND", nullptr, 0);
    file.Commit();
}

}  // namespace dravemo
