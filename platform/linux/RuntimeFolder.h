// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace dravemo {

// The per-user runtime folder $XDG_RUNTIME_DIR/dravemo (or /tmp/dravemo-<uid>), created with
// mode 0700. Throws std::runtime_error when it cannot be created or is not the user's own.
std::string RuntimeFolder();
// The same folder's path, without creating or checking anything.
std::string RuntimeFolderPath();

}  // namespace dravemo
