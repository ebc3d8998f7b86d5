// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <QRegularExpression>

#include "tests/unit/app/MainWindowFixture.h"

namespace dravemo::test {
namespace {

using LoadConfig = MainWindowFixture;

QStringList Checked(TFrmDravemo& w, const QStringList& names) {
    QStringList checked;
    for (const QString& name : names) {
        if (w.MenuItem(name)->isChecked()) checked << name;
    }
    return checked;
}

const QStringList kAppend = {"ChkAppend1", "ChkAppend2", "ChkAppend3"};
const QStringList kSound = {"ChkSound1", "ChkSound2", "ChkSound3"};
const QStringList kLimit = {"ChkRecLimit0", "ChkRecLimit30", "ChkRecLimit60", "ChkRecLimit120",
                            "ChkRecLimit240"};
const QStringList kLanguages = {"ChkLangKo", "ChkLangEn", "ChkLangJa", "ChkLangRu",
                                "ChkLangIt", "ChkLangFr", "ChkLangZh"};

TEST_F(LoadConfig, AFirstStartHasEveryDefault) {
    desktop.Language = "ko";
    auto w = Create();
    EXPECT_EQ(w->Language, "ko");
    EXPECT_EQ(w->SavePath, desktop.Folder);
    EXPECT_FALSE(w->ChkAudio->isChecked());
    EXPECT_TRUE(w->ChkMouse->isChecked());
    EXPECT_FALSE(w->ChkLog->isChecked());
    EXPECT_FALSE(w->ChkRegStart->isChecked());
    EXPECT_EQ(w->ChkArea->currentIndex(), 0);
    EXPECT_EQ(w->ChkSaveTo->currentIndex(), 0);
    EXPECT_EQ(w->ChkJPEG_qual->currentText(), "90");
    EXPECT_EQ(w->ChkWebp_qual->currentText(), "90");
    EXPECT_EQ(Checked(*w, kAppend), QStringList{"ChkAppend1"});
    EXPECT_EQ(Checked(*w, kSound), QStringList{"ChkSound2"});
    EXPECT_EQ(Checked(*w, kLimit), QStringList{"ChkRecLimit0"});
    EXPECT_EQ(Checked(*w, kLanguages), QStringList{"ChkLangKo"});
    EXPECT_EQ(w->ChkArea->currentText(), "전체화면 캡쳐");
}

TEST_F(LoadConfig, TheLanguageComesFromTheLocaleOrIsEnglish) {
    const std::pair<QString, QString> cases[] = {
        {"ja", "ja"}, {"de", "en"}, {"", "en"}, {"kok", "en"}, {"zh", "zh"}};
    for (const auto& [locale, expected] : cases) {
        desktop.Language = locale;
        auto w = Create();
        EXPECT_EQ(w->Language, expected) << locale.toStdString();
    }
    desktop.Language = "ko";
    Store("language", RegValue::String("EN"));
    EXPECT_EQ(Create()->Language, "en");
    Store("language", RegValue::String("fr"));
    auto w = Create();
    EXPECT_EQ(w->Language, "fr");
    EXPECT_EQ(w->ChkArea->currentText(), "Plein écran");
    EXPECT_EQ(w->LblCopyright->text(), "Créé par Ebrun");
    EXPECT_EQ(Checked(*w, kLanguages), QStringList{"ChkLangFr"});
}

TEST_F(LoadConfig, StoredValuesOutsideTheirGroupsCheckNothing) {
    Store("append", RegValue::Dword(7));
    Store("sound", RegValue::Dword(0));
    Store("record_limit", RegValue::Dword(45));
    Store("jpeg_quality", RegValue::Dword(9));
    Store("area", RegValue::Dword(12));
    auto w = Create();
    EXPECT_TRUE(Checked(*w, kAppend).isEmpty());
    EXPECT_TRUE(Checked(*w, kSound).isEmpty());
    EXPECT_EQ(w->SoundChoice(), 0);
    EXPECT_TRUE(Checked(*w, kLimit).isEmpty());
    EXPECT_EQ(w->ChkJPEG_qual->currentIndex(), -1);
    EXPECT_EQ(QualityFromText(w->JpegQualityText()), 90);
    EXPECT_EQ(w->ChkArea->currentIndex(), -1);
    // No naming item checked: time-stamp names.
    const QString name = w->NewFilename("png");
    EXPECT_TRUE(QRegularExpression("/D-\\d{8}-\\d{9}\\.png$").match(name).hasMatch())
        << name.toStdString();
}

TEST_F(LoadConfig, StoredChoicesAreRestored) {
    Store("path", RegValue::String("/srv/shots"));
    Store("audio", RegValue::Dword(1));
    Store("mouse", RegValue::Dword(0));
    Store("ffmpeg_log", RegValue::Dword(5));
    Store("area", RegValue::Dword(3));
    Store("saveto", RegValue::Dword(9));
    Store("webp_quality", RegValue::Dword(4));
    Store("append", RegValue::Dword(3));
    Store("sound", RegValue::Dword(3));
    Store("record_limit", RegValue::Dword(240));
    autostart.Entries["Dravemo"] = {"/old/dravemo", {"/start"}};
    auto w = Create();
    EXPECT_EQ(w->SavePath, "/srv/shots");
    EXPECT_TRUE(w->ChkAudio->isChecked());
    EXPECT_FALSE(w->IncludeCursor());
    EXPECT_TRUE(w->ChkLog->isChecked());
    EXPECT_TRUE(w->ChkRegStart->isChecked());
    EXPECT_NE(autostart.Entries["Dravemo"].Program, "/old/dravemo") << "refreshed at load";
    EXPECT_EQ(w->SelectedMode(), 3);
    EXPECT_EQ(w->SelectedTarget(), 9);
    EXPECT_EQ(w->WebpQualityText(), "60");
    EXPECT_EQ(Checked(*w, kAppend), QStringList{"ChkAppend3"});
    EXPECT_EQ(w->SoundChoice(), 3);
    EXPECT_EQ(Checked(*w, kLimit), QStringList{"ChkRecLimit240"});
}

TEST_F(LoadConfig, ATextWhereANumberBelongsCountsAsAbsent) {
    Store("area", RegValue::String("3"));
    Store("mouse", RegValue::String("0"));
    Store("path", RegValue::Dword(1));
    auto w = Create();
    EXPECT_EQ(w->SelectedMode(), 0);
    EXPECT_TRUE(w->IncludeCursor());
    EXPECT_EQ(w->SavePath, desktop.Folder);
}

TEST_F(LoadConfig, DeletingTheSettingsRestoresTheDefaults) {
    Store("saveto", RegValue::Dword(3));
    Store("sound", RegValue::Dword(1));
    std::filesystem::remove(home / "registry.reg");
    auto w = Create();
    EXPECT_EQ(w->SelectedTarget(), 0);
    EXPECT_EQ(w->SoundChoice(), 2);
}

TEST_F(LoadConfig, RecognitionLanguagesFillTheirListAndAFailingRecogniserIsNoError) {
    ocr.Languages = {{"eng", "English"}, {"kor", "Korean"}};
    Store("language_ocr", RegValue::Dword(1));
    auto w = Create();
    ASSERT_EQ(w->ChkOCR_lang->count(), 2);
    EXPECT_EQ(w->ChkOCR_lang->currentText(), "Korean");
    EXPECT_EQ(w->Languages.size(), 2u);
    ocr.Fails = true;
    auto again = Create();
    EXPECT_EQ(again->ChkOCR_lang->count(), 0);
    EXPECT_TRUE(boxes.Boxes.empty());
}

}  // namespace
}  // namespace dravemo::test
