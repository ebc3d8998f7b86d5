// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace dravemo {

// Cuts one command-line text into its arguments the way console programs have always read
// their command line: spaces and tabs separate arguments, double quotes group them, and
// backslashes are literal except before a double quote, where 2n backslashes give n and the
// quote groups, and 2n + 1 backslashes give n and a literal quote.
QStringList SplitCommandLine(const QString& commandLine);

}  // namespace dravemo
