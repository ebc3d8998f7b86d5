// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "app/CommandLineHelp.h"

#include "services/ServiceAddresses.h"

namespace dravemo {

std::optional<int> AnswerInformationSwitch(const QString& argument, const HelpLocations& where,
                                           std::ostream& out) {
    if (argument == QStringLiteral("--version")) {
        out << "dravemo " << FileVersion(3).toStdString() << "\n";
        return 0;
    }
    if (argument != QStringLiteral("--help") && argument != QStringLiteral("-h")) {
        return std::nullopt;
    }
    out << "Usage: dravemo [SWITCH]\n"
           "A screen-capture tool: the capture key (Print Screen) turns the screen into the\n"
           "output chosen in its window. Only the first argument counts.\n"
           "\n"
           "  (none)      start, or bring the running Dravemo's window to the front\n"
           "  /start      start hidden in the notification area; nothing when one runs\n"
           "  /inst       start with the login session from now on, then start\n"
           "  /uninst     ask the running Dravemo to quit\n"
           "  /capture    ask the running Dravemo to capture now (also --capture); exits 0\n"
           "              when it captured, 1 when it did not, 2 when none runs\n"
           "  -h, --help  show this text\n"
           "  --version   show the version\n"
           "\n"
           "A running Dravemo that does not answer within 5 seconds is reported on standard\n"
           "error, with exit code 3.\n"
           "\n"
           "Settings:        "
        << where.SettingsFile
        << "\n"
           "Message socket:  "
        << where.MessageSocket << "\n";
    return 0;
}

}  // namespace dravemo
