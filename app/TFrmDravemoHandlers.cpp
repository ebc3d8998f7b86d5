// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// What the main window's controls and menu items do.
#include <QApplication>

#include "app/MenuGroups.h"
#include "app/TFrmDravemo.h"
#include "capture/TFrmArea.h"
#include "capture/TFrmHotKey.h"
#include "output/WebPWriter.h"
#include "recording/EncoderLocation.h"
#include "services/AutoStart.h"
#include "services/ServiceAddresses.h"
#include "services/TranslateComponent.h"
#include "services/Translation.h"

namespace dravemo {

using namespace menu_groups;

namespace {
constexpr uint32_t kInformation = mb::ICONINFORMATION | mb::SETFOREGROUND | mb::TOPMOST;
constexpr uint32_t kError = mb::ICONERROR | mb::SETFOREGROUND | mb::TOPMOST;
}  // namespace

void TFrmDravemo::ChkAreaChange() {
    ChkArea->setEnabled(false);
    PnlMain->setCurrentIndex(0);
    if (FrmArea() && FrmArea()->isVisible()) FrmArea()->close();
    // The pick window and the web page window arrive with their modes.
    const int mode = ChkArea->currentIndex();
    if (mode == cmRegion && FrmArea()) FrmArea()->show();
    if (mode == cmColorPicker) PnlMain->setCurrentIndex(1);
    if (PnlMain->currentIndex() == 1) {
        TmrColor->start();
    } else {
        TmrColor->stop();
    }
    SaveConfig(QStringLiteral("area"), mode >= 0 && mode <= 3 ? mode : 0);
    ChkArea->setEnabled(true);
}

void TFrmDravemo::ShowMissingComponent(const QString& file, const QString& helpQuery) {
    ShowBox(TranslateText(QStringLiteral("\"%s\" 파일이 없습니다."))
                .replace(QStringLiteral("%s"), file),
            kInformation);
    FPorts.Shell.OpenUrl(HelpPageUrl() + u'/' + helpQuery);
}

void TFrmDravemo::ChkSaveToChange() {
    const int target = ChkSaveTo->currentIndex();
    auto layout = [this](int width, QComboBox* shown) {
        ChkSaveTo->resize(Scaled(width), ChkSaveTo->height());
        for (QComboBox* option : {ChkJPEG_qual, ChkWebp_qual, ChkOCR_lang}) {
            option->setVisible(option == shown);
        }
    };
    switch (target) {
        case stJPG:
            layout(82, ChkJPEG_qual);
            break;
        case stWebP:
            layout(82, ChkWebp_qual);
            if (!FPorts.HasWebPLibrary()) {
                ShowMissingComponent(QStringLiteral("libwebp.so.7"),
                                     QStringLiteral("?app=dravemo&msg=webpnotfound"));
                ChkSaveTo->setCurrentIndex(0);
                layout(145, nullptr);
            }
            break;
        case stMP4:
            layout(145, nullptr);
            if (!FPorts.HasEncoder()) {
                ChkSaveTo->setCurrentIndex(0);
                ShowMissingComponent(kEncoderName,
                                     QStringLiteral("?app=dravemo&msg=ffmpegnotfound"));
            }
            break;
        case stTXT:
            layout(72, ChkOCR_lang);
            if (ChkOCR_lang->count() == 0) {
                layout(145, nullptr);
                ChkSaveTo->setCurrentIndex(0);
                ShowBox(QStringLiteral("OCR 을 지원하지 않는 윈도우 환경입니다."), kInformation);
            }
            break;
        default:
            layout(145, nullptr);
            break;
    }
    SaveConfig(QStringLiteral("saveto"), ChkSaveTo->currentIndex());
}

void TFrmDravemo::ChkAppend1Click(QAction* item) {
    const int value = item->objectName().right(1).toInt();
    CheckOnly(kAppendItems, QStringLiteral("ChkAppend%1").arg(value));
    SaveConfig(QStringLiteral("append"), value);
}

void TFrmDravemo::ChkSound1Click(QAction* item) {
    const int value = item->objectName().right(1).toInt();
    CheckOnly(kSoundItems, QStringLiteral("ChkSound%1").arg(value));
    SaveConfig(QStringLiteral("sound"), value);
}

void TFrmDravemo::ChkRecLimit0Click(QAction* item) {
    // "ChkRecLimit240" carries 240 from its twelfth character on.
    const int value = item->objectName().mid(11).toInt();
    CheckOnly(kLimitItems, QStringLiteral("ChkRecLimit%1").arg(value));
    SaveConfig(QStringLiteral("record_limit"), value);
}

void TFrmDravemo::TranslateWindows() {
    TranslateComponent(this, Language);
    TranslateComponent(FrmArea());
    TranslateComponent(FrmHotKey);
    TranslateComponent(FrmSize());
    TranslateComponent(ChkArea);
    TranslateComponent(ChkSaveTo);
}

void TFrmDravemo::ChkLangClick(QAction* item) {
    Language = item->objectName().mid(7).toLower();
    CheckOnly(kLanguageItems, kLanguageItems.value(kLanguageCodes.indexOf(Language)));
    TranslateWindows();
    TrayIcon->SetHint(TranslateText(windowTitle()) + u' ' + FileVersion(4));
    setWindowTitle(TranslateText(windowTitle()));
    SaveConfig(QStringLiteral("language"), Language);
}

void TFrmDravemo::ChkToggleClick(QAction* item, const QString& setting) {
    // The menu has already inverted the check mark.
    SaveConfig(setting, item->isChecked());
}

void TFrmDravemo::ChkRegStartClick() {
    if (!SetAutoStart(FPorts.Autostart, QStringLiteral("Dravemo"), ChkRegStart->isChecked())) {
        ShowBox(QStringLiteral("잘못된 백신 또는 악성 프로그램이 부팅시 실행을 차단하였습니다."),
                kError);
        ChkRegStart->setChecked(false);
    }
}

void TFrmDravemo::N1Click() {
    if (!FrmHotKey) return;
    if (FrmHotKey->isVisible()) {
        ForceForegroundWindow(FrmHotKey);
    } else {
        FrmHotKey->exec();
    }
}

void TFrmDravemo::N4Click() {
    QString folder = SavePath;
    if (FPorts.SelectFolder(folder)) {
        SavePath = folder;
        SaveConfig(QStringLiteral("path"), SavePath);
    }
}

void TFrmDravemo::N10Click() {
    const int answer =
        ShowBox(TranslateText(QStringLiteral("정말 종료하시겠습니까?")),
                mb::YESNO | mb::ICONQUESTION | mb::DEFBUTTON2 | mb::SETFOREGROUND | mb::TOPMOST);
    if (answer == mb::IDYES) {
        FCanClose = true;
        close();
    }
}

void TFrmDravemo::BtnOpenDirClick() { FPorts.Shell.OpenFolder(SavePath); }

void TFrmDravemo::LblCopyrightClick() {
    FPorts.Shell.OpenUrl(HomePageUrl() + QStringLiteral("/dravemo?v=") + FileVersion(4));
}

}  // namespace dravemo
