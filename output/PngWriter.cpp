// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/PngWriter.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "output/BandedDeflate.h"
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
        if (size > 0) crc = crc32_z(crc, data, size);
        std::vector<uint8_t> tail;
        PutUint32(tail, static_cast<uint32_t>(crc));
        FFile.Write(head.data(), head.size());
        if (size > 0) FFile.Write(data, size);
        FFile.Write(tail.data(), tail.size());
    }

private:
    AtomicFile& FFile;
};

// Cuts the image data into IDAT chunks of kMaxIdatBytes, the last one shorter.
class IdatChunker {
public:
    explicit IdatChunker(PngChunkWriter& chunks) : FChunks(chunks) { FPending.reserve(kMaxIdatBytes); }

    void Add(const uint8_t* data, size_t size) {
        while (size > 0) {
            const size_t take = std::min(size, kMaxIdatBytes - FPending.size());
            FPending.insert(FPending.end(), data, data + take);
            data += take;
            size -= take;
            if (FPending.size() == kMaxIdatBytes) Emit();
        }
    }

    void Finish() {
        if (!FPending.empty()) Emit();
    }

private:
    void Emit() {
        FChunks.Write("IDAT", FPending.data(), FPending.size());
        FPending.clear();
    }

    PngChunkWriter& FChunks;
    std::vector<uint8_t> FPending;
};

// One row as PNG samples behind its filter byte, Sub-filtered in place: R, G, B for
// truecolour, the packed indices for indexed bitmaps (unused low bits of the last byte
// cleared). `out` holds 1 + rowBytes bytes.
void FilteredRow(const TBitmap& bitmap, int y, size_t rowBytes, uint8_t* out) {
    out[0] = kFilterSub;
    uint8_t* samples = out + 1;
    int bytesPerPixel = 3;
    if (TBitmap::IsIndexed(bitmap.PixelFormat())) {
        bytesPerPixel = 1;
        std::memcpy(samples, bitmap.ScanLine(y), rowBytes);
        const int usedBits = static_cast<int>(
            (static_cast<int64_t>(bitmap.Width()) * bitmap.BitsPerPixel()) % 8);
        if (usedBits != 0) samples[rowBytes - 1] &= static_cast<uint8_t>(0xFF << (8 - usedBits));
    } else {
        bitmap.RowRGB(y, samples);
    }
    // Sub: each byte minus the byte one pixel to the left (one byte for depths below 8 bits);
    // from the right so that every left neighbour is still unfiltered.
    for (size_t i = rowBytes; i-- > static_cast<size_t>(bytesPerPixel);) {
        samples[i] = static_cast<uint8_t>(samples[i] - samples[i - bytesPerPixel]);
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
    const bool indexed = TBitmap::IsIndexed(bitmap.PixelFormat());
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
    const DeflateRows rows{bitmap.Height(), rowBytes + 1, [&bitmap, rowBytes](int y, uint8_t* out) {
                               FilteredRow(bitmap, y, rowBytes, out);
                           }};
    IdatChunker idat(chunks);
    try {
        DeflateRowsToZlib(rows, kDeflateLevel,
                          [&idat](const uint8_t* data, size_t size) { idat.Add(data, size); });
    } catch (const std::runtime_error& error) {
        throw ImageWriteError(path, error.what());
    }
    idat.Finish();
    chunks.Write("IEND", nullptr, 0);
    file.Commit();
}

}  // namespace dravemo
