// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>
#include <ostream>
#include <string>

namespace dravemo {

// Where the running program keeps its files, as the help text names them.
struct HelpLocations {
    std::string SettingsFile;
    std::string MessageSocket;
};

// The switches that only inform: "--help" and "-h" write the usage, "--version" the version.
// Gives the exit code (0) for those and nullopt for every other argument, which then starts or
// contacts the program as usual.
std::optional<int> AnswerInformationSwitch(const QString& argument, const HelpLocations& where,
                                           std::ostream& out);

}  // namespace dravemo
