// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "capture/TBitmap.h"
#include "platform/MessageBoxes.h"

namespace dravemo {

// Replaces the clipboard contents with the image. A failure (no clipboard, another program
// keeping it) is not raised: it is shown to the user in a message box titled with the
// application title, both texts translated, and the call returns normally.
void BitmapToClipboard(const TBitmap& bitmap, MessageBoxes& boxes, const QString& appTitle);

// Replaces the clipboard contents with the text; failures are reported as above.
void TextToClipboard(const QString& text, MessageBoxes& boxes, const QString& appTitle);

}  // namespace dravemo
