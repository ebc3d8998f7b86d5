// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
// The main window's settings: reading them all at start-up and writing one at a time.
#include <QApplication>
#include <QDir>

#include "app/MenuGroups.h"
#include "app/TFrmDravemo.h"
#include "services/AutoStart.h"
#include "services/TConfig.h"
#include "services/TranslateComponent.h"
#include "services/Translation.h"

namespace dravemo {

using namespace menu_groups;

namespace {
void SelectIndex(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}
}  // namespace

void TFrmDravemo::CheckOnly(const QStringList& group, const QString& checked) {
    for (const QString& name : group) MenuItem(name)->setChecked(name == checked);
}

void TFrmDravemo::LoadConfig() {
    TConfig config(FPorts.Reg, kSettingsPath);
    // The recognition languages the system offers; a failing recogniser offers none.
    try {
        Languages = FPorts.Ocr.AvailableLanguages();
        for (const auto& language : Languages) ChkOCR_lang->addItem(language.DisplayName);
        const int index = config.ReadInteger(QStringLiteral("language_ocr"), 0);
        if (index >= 0 && index < ChkOCR_lang->count()) ChkOCR_lang->setCurrentIndex(index);
    } catch (const std::exception&) {
        Languages.clear();
        ChkOCR_lang->clear();
    }
    // The whole locale language: a three-letter one ("kok") must not pass for a two-letter one.
    Language = config.ReadString(QStringLiteral("language"), SystemLanguage(FPorts.Shell));
    if (!kLanguageCodes.contains(Language)) Language = QStringLiteral("en");
    const QString desktop = FPorts.Shell.DesktopFolder();
    FDesktopFolder = QDir::cleanPath(desktop);
    SavePath = config.ReadString(QStringLiteral("path"), desktop);
    ChkAudio->setChecked(config.ReadBoolean(QStringLiteral("audio"), false));
    ChkMouse->setChecked(config.ReadBoolean(QStringLiteral("mouse"), true));
    ChkRegStart->setChecked(AutoStartExists(FPorts.Autostart, QStringLiteral("Dravemo")));
    ChkLog->setChecked(config.ReadBoolean(QStringLiteral("ffmpeg_log"), false));
    ChkArea->setCurrentIndex(0);
    SelectIndex(ChkArea, config.ReadInteger(QStringLiteral("area"), 0));
    SelectIndex(ChkSaveTo, config.ReadInteger(QStringLiteral("saveto"), 0));
    SelectIndex(ChkJPEG_qual, config.ReadInteger(QStringLiteral("jpeg_quality"), 1));
    SelectIndex(ChkWebp_qual, config.ReadInteger(QStringLiteral("webp_quality"), 1));
    const int append = config.ReadInteger(QStringLiteral("append"), 1);
    CheckOnly(kAppendItems, QStringLiteral("ChkAppend%1").arg(append));
    const int sound = config.ReadInteger(QStringLiteral("sound"), 2);
    CheckOnly(kSoundItems, QStringLiteral("ChkSound%1").arg(sound));
    CheckOnly(kLanguageItems, kLanguageItems[kLanguageCodes.indexOf(Language)]);
    const int limit = config.ReadInteger(QStringLiteral("record_limit"), 0);
    CheckOnly(kLimitItems, QStringLiteral("ChkRecLimit%1").arg(limit));

    TranslateComponent(this, Language);
    TranslateComponent(ChkArea);
    TranslateComponent(ChkSaveTo);
    setWindowTitle(TranslateText(windowTitle()));
    // The start-up announcement check arrives with the update service.
}

void TFrmDravemo::SaveConfig(const QString& name, int value) {
    TConfig(FPorts.Reg, kSettingsPath).WriteInteger(name, value);
}

void TFrmDravemo::SaveConfig(const QString& name, bool value) {
    TConfig(FPorts.Reg, kSettingsPath).WriteBoolean(name, value);
}

void TFrmDravemo::SaveConfig(const QString& name, const QString& value) {
    TConfig(FPorts.Reg, kSettingsPath).WriteString(name, value);
}

}  // namespace dravemo
