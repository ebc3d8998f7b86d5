// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace dravemo {

// The web addresses the program opens or talks to: build-time constants that the environment
// variables DRAVEMO_HELP_URL, DRAVEMO_HOME_URL, DRAVEMO_ANNOUNCE_URL and DRAVEMO_UPLOAD_HOST
// override (for self-hosting and for tests).
QString HelpPageUrl();
QString HomePageUrl();
QString AnnounceUrl();
QString UploadHost();

// The program's file version as "%d.%d.%d" (three parts) or "%d.%d.%d.%d" (four parts).
QString FileVersion(int parts);

}  // namespace dravemo
