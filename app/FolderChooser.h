// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace dravemo {

// The save folder chooser: a folder dialog titled "폴더 선택" with the OK button "선택", both
// translated, starting at `folder`. True with the chosen folder in `folder`; false when
// cancelled, leaving it unchanged.
bool ChooseFolder(QString& folder);

}  // namespace dravemo
