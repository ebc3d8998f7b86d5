// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/GifWriter.h"

#include <gif_lib.h>

#include <memory>
#include <vector>

#include "output/ColorQuantizer.h"
#include "output/WriterSupport.h"

namespace dravemo {

namespace {

// GIF stores sizes in 16 bits.
constexpr int kMaxGifSide = 65535;

// Where the coder's output goes: memory, so that the file is written only once all succeeded.
struct GifSink {
    std::vector<uint8_t> Bytes;
    bool Failed = false;
};

int WriteToSink(GifFileType* gif, const GifByteType* data, int size) {
    auto* sink = static_cast<GifSink*>(gif->UserData);
    try {
        sink->Bytes.insert(sink->Bytes.end(), data, data + size);
        return size;
    } catch (...) {
        sink->Failed = true;
        return 0;
    }
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};
struct ColourMapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// The colour table: the colours padded with black to a power of two of at least 2 entries.
std::unique_ptr<ColorMapObject, ColourMapFreer> MakeColourMap(
    const std::vector<TPaletteEntry>& colours) {
    int size = 2;
    while (size < static_cast<int>(colours.size())) size *= 2;
    std::vector<GifColorType> table(static_cast<size_t>(size), GifColorType{0, 0, 0});
    for (size_t i = 0; i < colours.size(); ++i) {
        table[i] = GifColorType{colours[i].Red, colours[i].Green, colours[i].Blue};
    }
    return std::unique_ptr<ColorMapObject, ColourMapFreer>(GifMakeMapObject(size, table.data()));
}

std::runtime_error GifError(const QString& path, int code) {
    const char* text = GifErrorString(code);
    return ImageWriteError(path,
                           std::string("GIF encoding failed: ") + (text ? text : "unknown error"));
}

}  // namespace

void BitmapToGIFFile(const TBitmap& bitmap, const QString& path) {
    RequireWritableSize(bitmap, path, kMaxGifSide);
    // The indexed picture to code: the bitmap itself, or its reduction to 256 colours.
    TBitmap reduced;
    const TBitmap* indexed = &bitmap;
    std::vector<TPaletteEntry> colours;
    if (TBitmap::IsIndexed(bitmap.PixelFormat())) {
        colours = IndexedColours(bitmap);
    } else {
        reduced = QuantizeColours(bitmap);
        indexed = &reduced;
        colours = reduced.Palette();
    }

    const auto colourMap = MakeColourMap(colours);
    if (!colourMap) throw ImageWriteError(path, "out of memory");
    GifSink sink;
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&sink, WriteToSink, &error));
    if (!gif) throw GifError(path, error);
    const int width = indexed->Width(), height = indexed->Height();
    if (EGifPutScreenDesc(gif.get(), width, height, colourMap->BitsPerPixel, 0, colourMap.get()) ==
            GIF_ERROR ||
        EGifPutImageDesc(gif.get(), 0, 0, width, height, false, nullptr) == GIF_ERROR) {
        throw GifError(path, gif->Error);
    }
    std::vector<GifPixelType> line(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            line[x] = static_cast<GifPixelType>(indexed->PixelIndex(x, y));
        if (EGifPutLine(gif.get(), line.data(), width) == GIF_ERROR)
            throw GifError(path, gif->Error);
    }
    if (EGifCloseFile(gif.release(), &error) == GIF_ERROR) throw GifError(path, error);
    if (sink.Failed) throw ImageWriteError(path, "out of memory");
    WriteWholeFile(path, sink.Bytes);
}

}  // namespace dravemo
