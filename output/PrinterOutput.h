// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include "capture/TBitmap.h"

namespace dravemo {

// Prints the bitmap on one page of the default printer, without a dialog. Each pixel becomes a
// whole number of printer device units: the printer's resolution (units per inch) divided by
// `pixelsPerInch`, truncated and at least 1, so that the image keeps about its size on screen. The
// image starts at the top-left corner of the printable area; what exceeds the page is cut off. The
// printer's own settings (paper, orientation, copies) are left as they are. Throws
// std::runtime_error when there is no default printer or the job cannot be printed.
void BitmapToPrinter(const TBitmap& bitmap, int pixelsPerInch);

}  // namespace dravemo
