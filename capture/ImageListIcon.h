// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QLabel;

namespace dravemo {

// The program's small images come as square sources of these sizes in pixels.
inline constexpr int kImageSourceSizes[] = {16, 24, 32, 48};

// The source size for an image shown `logicalSize` pixels large at device pixel ratio
// `ratio`: the smallest source with at least as many physical pixels, else the largest.
int ImageSourceSize(int logicalSize, double ratio);

// Puts the image `name` (":/icons/<name>-<size>.png") into `picture`, `logicalSize` pixels
// square, from the source that suits the picture's device pixel ratio; a missing image leaves
// the picture empty.
void LoadImageListIcon(QLabel& picture, const QString& name, int logicalSize);

}  // namespace dravemo
