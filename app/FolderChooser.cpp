// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "app/FolderChooser.h"

#include <QFileDialog>

#include "services/Translation.h"

namespace dravemo {

bool ChooseFolder(QString& folder) {
    QFileDialog dialog(nullptr, TranslateText(QStringLiteral("폴더 선택")), folder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setLabelText(QFileDialog::Accept, TranslateText(QStringLiteral("선택")));
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    folder = dialog.selectedFiles().front();
    return true;
}

}  // namespace dravemo
