// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/QtMessageBoxes.h"

#include <QMessageBox>

namespace dravemo {

int QtMessageBoxes::Show(const QString& title, const QString& text, uint32_t flags) {
    QMessageBox box;
    box.setWindowTitle(title);
    // Message texts break lines with CR, CR LF or LF; Qt knows only LF.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    box.setText(shown);
    box.setTextFormat(Qt::PlainText);
    if (flags & mb::ICONERROR) {
        box.setIcon(QMessageBox::Critical);
    } else if (flags & mb::ICONQUESTION) {
        box.setIcon(QMessageBox::Question);
    } else if (flags & mb::ICONINFORMATION) {
        box.setIcon(QMessageBox::Information);
    }
    const bool yesNo = (flags & 0xF) == mb::YESNO;
    if (yesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton((flags & mb::DEFBUTTON2) ? QMessageBox::No : QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    if (flags & mb::TOPMOST) box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (flags & mb::SETFOREGROUND) {
        box.show();
        box.raise();
        box.activateWindow();
    }
    const int answer = box.exec();
    if (yesNo) return answer == QMessageBox::Yes ? mb::IDYES : mb::IDNO;
    return mb::IDOK;
}

}  // namespace dravemo
