// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/WriterSupport.h"

#include <algorithm>

#include "platform/AtomicFile.h"

namespace dravemo {

std::runtime_error ImageWriteError(const QString& path, const std::string& reason) {
    return std::runtime_error("Cannot write the image file \"" + path.toStdString() +
                              "\": " + reason);
}

void RequireWritableSize(const TBitmap& bitmap, const QString& path, int maxSide) {
    if (bitmap.Empty()) throw ImageWriteError(path, "the image is empty");
    if (bitmap.Width() > maxSide || bitmap.Height() > maxSide) {
        throw ImageWriteError(path, "the image (" + std::to_string(bitmap.Width()) + " x " +
                                        std::to_string(bitmap.Height()) +
                                        " pixels) is larger than the format allows (" +
                                        std::to_string(maxSide) + " pixels a side)");
    }
}

void WriteWholeFile(const QString& path, const std::vector<uint8_t>& bytes) {
    AtomicFile file(path.toStdString());
    file.Write(bytes.data(), bytes.size());
    file.Commit();
}

std::vector<TPaletteEntry> IndexedColours(const TBitmap& bitmap) {
    const size_t addressable = size_t{1} << bitmap.BitsPerPixel();
    std::vector<TPaletteEntry> colours = bitmap.Palette();
    if (colours.size() > addressable) colours.resize(addressable);
    int highest = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x)
            highest = std::max(highest, bitmap.PixelIndex(x, y));
    }
    const size_t needed = std::max<size_t>(1, static_cast<size_t>(highest) + 1);
    if (colours.size() < needed) colours.resize(needed, TPaletteEntry{});
    return colours;
}

}  // namespace dravemo
