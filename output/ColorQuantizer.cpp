// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/ColorQuantizer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace dravemo {

namespace {

// A colour of the bitmap and how many pixels have it.
struct ColourCount {
    uint32_t Rgb;  // 0x00RRGGBB
    uint32_t Count;
};

int Channel(uint32_t rgb, int axis) { return static_cast<int>((rgb >> (16 - 8 * axis)) & 0xFF); }

// The distinct colours of a truecolour bitmap, sorted by value, with their pixel counts.
std::vector<ColourCount> Histogram(const TBitmap& bitmap) {
    const auto width = static_cast<size_t>(bitmap.Width());
    std::vector<uint32_t> values(width * bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y) bitmap.RowXRGB(y, values.data() + y * width);
    std::sort(values.begin(), values.end());
    std::vector<ColourCount> colours;
    for (uint32_t v : values) {
        if (colours.empty() || colours.back().Rgb != v) {
            colours.push_back({v, 1});
        } else {
            ++colours.back().Count;
        }
    }
    return colours;
}

// A box of median cut: a range of the colour list with its weighted statistics.
struct Box {
    size_t Begin = 0;
    size_t End = 0;
    double Error = 0;  // sum of squared distances of its pixels to the box's mean
    int Axis = 0;      // the channel of largest spread
    std::array<double, 3> Mean{};
};

Box MakeBox(const std::vector<ColourCount>& colours, size_t begin, size_t end) {
    Box box;
    box.Begin = begin;
    box.End = end;
    double n = 0;
    std::array<double, 3> sum{}, squares{};
    for (size_t i = begin; i < end; ++i) {
        const double w = colours[i].Count;
        n += w;
        for (int a = 0; a < 3; ++a) {
            const double v = Channel(colours[i].Rgb, a);
            sum[a] += w * v;
            squares[a] += w * v * v;
        }
    }
    double largest = -1;
    for (int a = 0; a < 3; ++a) {
        box.Mean[a] = sum[a] / n;
        const double spread = squares[a] - sum[a] * sum[a] / n;
        box.Error += spread;
        if (spread > largest) {
            largest = spread;
            box.Axis = a;
        }
    }
    return box;
}

// Splits a box at the weighted median of its widest channel, leaving both halves non-empty.
std::pair<Box, Box> SplitBox(std::vector<ColourCount>& colours, const Box& box) {
    const auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.Begin);
    const auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.End);
    const int axis = box.Axis;
    std::sort(first, last, [axis](const ColourCount& a, const ColourCount& b) {
        return Channel(a.Rgb, axis) < Channel(b.Rgb, axis);
    });
    double total = 0;
    for (auto it = first; it != last; ++it) total += it->Count;
    double running = 0;
    size_t split = box.Begin + 1;
    for (size_t i = box.Begin; i + 1 < box.End; ++i) {
        running += colours[i].Count;
        split = i + 1;
        if (running >= total / 2) break;
    }
    return {MakeBox(colours, box.Begin, split), MakeBox(colours, split, box.End)};
}

std::vector<TPaletteEntry> MedianCutPalette(std::vector<ColourCount> colours, int maxColours) {
    std::vector<Box> boxes{MakeBox(colours, 0, colours.size())};
    while (static_cast<int>(boxes.size()) < maxColours) {
        auto worst = boxes.end();
        for (auto it = boxes.begin(); it != boxes.end(); ++it) {
            if (it->End - it->Begin < 2) continue;
            if (worst == boxes.end() || it->Error > worst->Error) worst = it;
        }
        if (worst == boxes.end()) break;
        auto [low, high] = SplitBox(colours, *worst);
        *worst = low;
        boxes.push_back(high);
    }
    std::vector<TPaletteEntry> palette;
    for (const Box& box : boxes) {
        auto round = [](double v) { return static_cast<uint8_t>(std::clamp(v + 0.5, 0.0, 255.0)); };
        palette.push_back({round(box.Mean[2]), round(box.Mean[1]), round(box.Mean[0]), 0});
    }
    return palette;
}

uint8_t Clamp255(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

// Maps every pixel to the palette with Floyd-Steinberg error diffusion: each pixel's error is
// passed on 7/16 to the right, 3/16 below left, 5/16 below and 1/16 below right.
void DitherInto(const TBitmap& source, const std::vector<TPaletteEntry>& palette, TBitmap& out) {
    NearestColourFinder finder(palette);
    const int width = source.Width();
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * 3);
    // Errors in sixteenths, per channel, with one spare pixel at each end.
    std::vector<int> current(static_cast<size_t>(width + 2) * 3, 0);
    std::vector<int> next(current.size(), 0);
    for (int y = 0; y < source.Height(); ++y) {
        source.RowRGB(y, rgb.data());
        const uint8_t* p = rgb.data();
        uint8_t* dst = out.ScanLine(y);
        std::fill(next.begin(), next.end(), 0);
        for (int x = 0; x < width; ++x, p += 3) {
            int* err = &current[static_cast<size_t>(x + 1) * 3];
            const int r = Clamp255(p[0] + (err[0] + 8) / 16);
            const int g = Clamp255(p[1] + (err[1] + 8) / 16);
            const int b = Clamp255(p[2] + (err[2] + 8) / 16);
            const int index = finder.Find(r, g, b);
            dst[x] = static_cast<uint8_t>(index);
            const std::array<int, 3> e = {r - palette[index].Red, g - palette[index].Green,
                                          b - palette[index].Blue};
            int* below = &next[static_cast<size_t>(x + 1) * 3];
            for (int c = 0; c < 3; ++c) {
                err[3 + c] += e[c] * 7;
                below[c - 3] += e[c] * 3;
                below[c] += e[c] * 5;
                below[c + 3] += e[c];
            }
        }
        std::swap(current, next);
    }
}

constexpr int kCellBits = 5;
constexpr int kCellShift = 8 - kCellBits;
constexpr int kCellsPerAxis = 1 << kCellBits;

}  // namespace

NearestColourFinder::NearestColourFinder(std::vector<TPaletteEntry> palette)
    : FPalette(std::move(palette)),
      FCells(size_t{kCellsPerAxis} * kCellsPerAxis * kCellsPerAxis),
      FCellReady(FCells.size(), false) {
    if (FPalette.empty() || FPalette.size() > 256) {
        throw std::invalid_argument("A palette needs 1 to 256 colours");
    }
}

int NearestColourFinder::Find(int red, int green, int blue) {
    const int cell = ((red >> kCellShift) * kCellsPerAxis + (green >> kCellShift)) * kCellsPerAxis +
                     (blue >> kCellShift);
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (uint8_t i : Candidates(cell)) {
        const int dr = red - FPalette[i].Red, dg = green - FPalette[i].Green,
                  db = blue - FPalette[i].Blue;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

const std::vector<uint8_t>& NearestColourFinder::Candidates(int cell) {
    if (FCellReady[cell]) return FCells[cell];
    const int size = 1 << kCellShift;
    const std::array<int, 3> low = {(cell >> (2 * kCellBits)) << kCellShift,
                                    ((cell >> kCellBits) & (kCellsPerAxis - 1)) << kCellShift,
                                    (cell & (kCellsPerAxis - 1)) << kCellShift};
    // For each entry the least and the greatest squared distance to any point of the cell; an
    // entry whose least distance exceeds some entry's greatest can never be the nearest.
    std::vector<int> nearest(FPalette.size());
    int bound = std::numeric_limits<int>::max();
    for (size_t i = 0; i < FPalette.size(); ++i) {
        const std::array<int, 3> v = {FPalette[i].Red, FPalette[i].Green, FPalette[i].Blue};
        int dMin = 0, dMax = 0;
        for (int a = 0; a < 3; ++a) {
            const int lo = low[a], hi = low[a] + size - 1;
            const int inside = v[a] < lo ? lo - v[a] : (v[a] > hi ? v[a] - hi : 0);
            const int far = std::max(std::abs(v[a] - lo), std::abs(v[a] - hi));
            dMin += inside * inside;
            dMax += far * far;
        }
        nearest[i] = dMin;
        bound = std::min(bound, dMax);
    }
    std::vector<uint8_t>& list = FCells[cell];
    for (size_t i = 0; i < FPalette.size(); ++i) {
        if (nearest[i] <= bound) list.push_back(static_cast<uint8_t>(i));
    }
    FCellReady[cell] = true;
    return list;
}

TBitmap QuantizeColours(const TBitmap& truecolour, int maxColours) {
    if (truecolour.PixelFormat() != TPixelFormat::pf32bit &&
        truecolour.PixelFormat() != TPixelFormat::pf24bit) {
        throw std::invalid_argument("Colour reduction needs a truecolour bitmap");
    }
    maxColours = std::clamp(maxColours, 2, 256);
    TBitmap out(truecolour.Width(), truecolour.Height(), TPixelFormat::pf8bit);
    if (truecolour.Empty()) return out;
    std::vector<ColourCount> colours = Histogram(truecolour);
    if (static_cast<int>(colours.size()) <= maxColours) {
        // Few enough colours: keep each one exactly.
        for (const ColourCount& c : colours) {
            out.Palette().push_back({static_cast<uint8_t>(c.Rgb), static_cast<uint8_t>(c.Rgb >> 8),
                                     static_cast<uint8_t>(c.Rgb >> 16), 0});
        }
        std::vector<uint32_t> row(static_cast<size_t>(truecolour.Width()));
        for (int y = 0; y < truecolour.Height(); ++y) {
            truecolour.RowXRGB(y, row.data());
            uint8_t* dst = out.ScanLine(y);
            for (int x = 0; x < truecolour.Width(); ++x) {
                const uint32_t v = row[x];
                const auto it = std::lower_bound(
                    colours.begin(), colours.end(), v,
                    [](const ColourCount& c, uint32_t value) { return c.Rgb < value; });
                dst[x] = static_cast<uint8_t>(it - colours.begin());
            }
        }
        return out;
    }
    out.Palette() = MedianCutPalette(std::move(colours), maxColours);
    DitherInto(truecolour, out.Palette(), out);
    return out;
}

}  // namespace dravemo
