// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/CommandLineSplit.h"

namespace dravemo {

QStringList SplitCommandLine(const QString& commandLine) {
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool inQuotes = false;
    const qsizetype n = commandLine.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = commandLine[i];
        if ((c == u' ' || c == u'\t') && !inQuotes) {
            if (inArgument) arguments.push_back(std::exchange(current, QString()));
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == u'\\') {
            qsizetype backslashes = 0;
            while (i < n && commandLine[i] == u'\\') {
                ++backslashes;
                ++i;
            }
            if (i < n && commandLine[i] == u'"') {
                current.append(QString(backslashes / 2, u'\\'));
                if (backslashes % 2 == 1)
                    current.append(u'"');
                else
                    inQuotes = !inQuotes;
                ++i;
            } else {
                current.append(QString(backslashes, u'\\'));
            }
            continue;
        }
        if (c == u'"')
            inQuotes = !inQuotes;
        else
            current.append(c);
        ++i;
    }
    if (inArgument) arguments.push_back(current);
    return arguments;
}

}  // namespace dravemo
