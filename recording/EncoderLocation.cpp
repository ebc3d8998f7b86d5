// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "recording/EncoderLocation.h"

#include <QFileInfo>
#include <QStandardPaths>

#include "platform/ProgramFiles.h"

namespace dravemo {

QString EncoderPath() {
    const QString dir = ExecutableDir();
    if (!dir.isEmpty()) {
        const QFileInfo beside(dir + u'/' + kEncoderName);
        if (beside.isFile() && beside.isExecutable()) return beside.filePath();
    }
    return QStandardPaths::findExecutable(kEncoderName);
}

}  // namespace dravemo
