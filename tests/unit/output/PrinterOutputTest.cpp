// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "output/PrinterOutput.h"

namespace dravemo {
namespace {

// The pixels per inch divide the printer's resolution: 0 or less is refused before any
// printer is asked.
TEST(PrinterOutputTest, RefusesPixelsPerInchBelowOne) {
    const TBitmap bitmap(10, 10);
    for (int ppi : {0, -96}) EXPECT_THROW(BitmapToPrinter(bitmap, ppi), std::runtime_error) << ppi;
}

}  // namespace
}  // namespace dravemo
