// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/BmpWriter.h"

#include <cstring>
#include <limits>
#include <vector>

#include "output/WriterSupport.h"
#include "platform/AtomicFile.h"

namespace dravemo {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;  // uncompressed, no bit fields

void Put16(std::vector<uint8_t>& header, uint16_t v) {
    header.push_back(static_cast<uint8_t>(v));
    header.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& header, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) header.push_back(static_cast<uint8_t>(v >> shift));
}

}  // namespace

// Every depth the bitmap has is stored as BI_RGB, so no colour masks follow the header. In a
// 32-bit file the fourth byte of each pixel is reserved and written as 0.
void BitmapToBMPFile(const TBitmap& bitmap, const QString& path) {
    RequireWritableSize(bitmap, path, std::numeric_limits<int32_t>::max());
    const bool indexed = TBitmap::IsIndexed(bitmap.PixelFormat());
    const std::vector<TPaletteEntry> colours =
        indexed ? IndexedColours(bitmap) : std::vector<TPaletteEntry>{};
    const uint32_t imageSize =
        static_cast<uint32_t>(bitmap.Stride()) * static_cast<uint32_t>(bitmap.Height());
    const uint32_t offset =
        kFileHeaderSize + kInfoHeaderSize + static_cast<uint32_t>(colours.size()) * 4;

    std::vector<uint8_t> header;
    header.push_back('B');
    header.push_back('M');
    Put32(header, offset + imageSize);  // file size
    Put32(header, 0);                   // two reserved words
    Put32(header, offset);              // where the pixels start
    Put32(header, kInfoHeaderSize);
    Put32(header, static_cast<uint32_t>(bitmap.Width()));
    Put32(header, static_cast<uint32_t>(bitmap.Height()));  // positive: rows bottom-up
    Put16(header, 1);                                       // planes
    Put16(header, static_cast<uint16_t>(bitmap.BitsPerPixel()));
    Put32(header, kBiRgb);
    Put32(header, imageSize);
    Put32(header, 0);  // horizontal resolution: not given
    Put32(header, 0);  // vertical resolution: not given
    Put32(header, static_cast<uint32_t>(colours.size()));
    Put32(header, 0);  // all colours important
    for (const TPaletteEntry& e : colours) {
        header.insert(header.end(), {e.Blue, e.Green, e.Red, 0});
    }

    AtomicFile file(path.toStdString());
    file.Write(header.data(), header.size());
    std::vector<uint8_t> row(static_cast<size_t>(bitmap.Stride()));
    for (int y = bitmap.Height() - 1; y >= 0; --y) {
        std::memcpy(row.data(), bitmap.ScanLine(y), row.size());
        if (bitmap.PixelFormat() == TPixelFormat::pf32bit) {
            for (int x = 0; x < bitmap.Width(); ++x) row[4 * static_cast<size_t>(x) + 3] = 0;
        }
        file.Write(row.data(), row.size());
    }
    file.Commit();
}

}  // namespace dravemo
