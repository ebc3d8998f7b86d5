// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace dravemo {

// The file name of the screen-recording encoder, as the user is told when it is missing.
inline const QString kEncoderName = QStringLiteral("ffmpeg");

// The encoder program: the one beside the program file first, then the one on PATH; empty
// when there is none.
QString EncoderPath();

}  // namespace dravemo
