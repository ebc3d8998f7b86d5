// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <zlib.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "output/BandedDeflate.h"

namespace dravemo {
namespace {

// Rows that repeat every third row, with some noise: matches reach back across band borders.
void FillRow(int y, size_t rowBytes, uint8_t* out) {
    for (size_t x = 0; x < rowBytes; ++x) {
        const uint32_t h = static_cast<uint32_t>((x % 977) * 2654435761u + (y / 3) * 40503u);
        out[x] = static_cast<uint8_t>(x % 7 == 0 ? (h >> 13) : (x / 50 + y / 3));
    }
}

std::vector<uint8_t> AllRows(int rows, size_t rowBytes) {
    std::vector<uint8_t> data(rows * rowBytes);
    for (int y = 0; y < rows; ++y) FillRow(y, rowBytes, data.data() + y * rowBytes);
    return data;
}

std::vector<uint8_t> SingleStream(const std::vector<uint8_t>& data, int level) {
    uLongf size = compressBound(data.size());
    std::vector<uint8_t> out(size);
    EXPECT_EQ(compress2(out.data(), &size, data.data(), data.size(), level), Z_OK);
    out.resize(size);
    return out;
}

// Inflates a whole zlib stream; checks that it ends exactly where the data ends.
std::vector<uint8_t> Inflate(const std::vector<uint8_t>& stream, size_t expectedSize) {
    std::vector<uint8_t> out(expectedSize + 1);
    z_stream z{};
    EXPECT_EQ(inflateInit(&z), Z_OK);
    z.next_in = const_cast<Bytef*>(stream.data());
    z.avail_in = static_cast<uInt>(stream.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END) << (z.msg ? z.msg : "");
    EXPECT_EQ(z.avail_in, 0u) << "bytes after the stream";
    out.resize(z.total_out);
    inflateEnd(&z);
    return out;
}

struct Case {
    const char* Name;
    int Rows;
    size_t RowBytes;
    unsigned Threads;
    size_t MaxBandBytes;
};

class BandedDeflateTest : public ::testing::TestWithParam<Case> {};

// Whatever the cut, the stream (checksum included) inflates to exactly the rows and is about
// as small as one zlib stream of the same level.
TEST_P(BandedDeflateTest, IsOneZlibStreamOfTheRowsAsSmallAsASingleStream) {
    const Case& c = GetParam();
    const DeflateRows rows{c.Rows, c.RowBytes,
                           [&c](int y, uint8_t* out) { FillRow(y, c.RowBytes, out); }};
    std::vector<uint8_t> stream;
    DeflateRowsToZlib(
        rows, 7,
        [&stream](const uint8_t* data, size_t size) { stream.insert(stream.end(), data, data + size); },
        DeflateBands{c.Threads, c.MaxBandBytes});

    const std::vector<uint8_t> data = AllRows(c.Rows, c.RowBytes);
    const std::vector<uint8_t> single = SingleStream(data, 7);
    ASSERT_GE(stream.size(), 6u);
    EXPECT_EQ(stream[0], single[0]);
    EXPECT_EQ(stream[1], single[1]) << "the header names the level's class";
    EXPECT_TRUE(Inflate(stream, data.size()) == data) << "inflated data differ";
    const size_t bands = (c.Rows * c.RowBytes + c.MaxBandBytes - 1) / c.MaxBandBytes + c.Threads;
    EXPECT_LE(double(stream.size()), 1.01 * double(single.size()) + 8.0 * double(bands));
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, BandedDeflateTest,
    ::testing::Values(Case{"OneThread", 600, 3001, 1, size_t{8} << 20},
                      Case{"HistorySpansManyRows", 1000, 100, 3, size_t{8} << 20},
                      Case{"SeveralRoundsOfBands", 200, 5000, 4, 50000},
                      Case{"RowsWiderThanTheWindow", 12, 40000, 2, size_t{8} << 20},
                      Case{"MoreThreadsThanRows", 5, 700, 8, size_t{8} << 20},
                      Case{"NoRows", 0, 700, 2, size_t{8} << 20},
                      Case{"BandsOfManySlices", 2000, 1000, 2, size_t{8} << 20},
                      Case{"OneThreadIgnoresTheBandCap", 300, 5000, 1, 50000}),
    [](const auto& info) { return std::string(info.param.Name); });

// A row that cannot be made on a worker thread fails the whole call in the caller's thread.
TEST(BandedDeflate, PassesOnAnErrorOfAWorker) {
    const DeflateRows rows{100, 1000, [](int y, uint8_t* out) {
                               if (y == 77) throw std::runtime_error("row 77");
                               FillRow(y, 1000, out);
                           }};
    try {
        DeflateRowsToZlib(rows, 7, [](const uint8_t*, size_t) {}, DeflateBands{4, size_t{8} << 20});
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "row 77");
    }
}

// A sink that fails (a full disk, say) ends the call with its error, wherever the band ran.
TEST(BandedDeflate, PassesOnAnErrorOfTheSink) {
    for (const unsigned threads : {1u, 3u}) {
        const DeflateRows rows{3000, 1000, [](int y, uint8_t* out) { FillRow(y, 1000, out); }};
        size_t written = 0;
        const auto sink = [&written](const uint8_t*, size_t size) {
            written += size;
            if (written > 20000) throw std::runtime_error("disk full");
        };
        EXPECT_THROW(DeflateRowsToZlib(rows, 7, sink, DeflateBands{threads, size_t{8} << 20}),
                     std::runtime_error)
            << threads << " threads";
    }
}

}  // namespace
}  // namespace dravemo
