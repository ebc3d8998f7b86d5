// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "services/ServiceAddresses.h"

#include "Version.h"

namespace dravemo {

namespace {
QString Configured(const char* variable, const char* builtIn) {
    const QString value = qEnvironmentVariable(variable);
    return value.isEmpty() ? QString::fromUtf8(builtIn) : value;
}
}  // namespace

QString HelpPageUrl() { return Configured("DRAVEMO_HELP_URL", kHelpUrl); }
QString HomePageUrl() { return Configured("DRAVEMO_HOME_URL", kHomeUrl); }
QString AnnounceUrl() { return Configured("DRAVEMO_ANNOUNCE_URL", kAnnounceUrl); }
QString UploadHost() { return Configured("DRAVEMO_UPLOAD_HOST", kUploadHost); }

QString FileVersion(int parts) {
    QString version =
        QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRelease);
    if (parts >= 4) version += QStringLiteral(".%1").arg(kVersionBuild);
    return version;
}

}  // namespace dravemo
