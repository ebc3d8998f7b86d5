// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "tests/unit/app/MainWindowFixture.h"

namespace dravemo::test {
namespace {

using Handlers = MainWindowFixture;

void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
}

TEST_F(Handlers, ListsWriteTheirSettings) {
    auto w = Create();
    for (const auto& [index, stored] :
         std::vector<std::pair<int, int>>{{2, 2}, {3, 3}, {4, 0}, {5, 0}, {1, 1}, {6, 0}, {0, 0}}) {
        Choose(w->ChkArea, index);
        EXPECT_EQ(Stored("area"), RegValue::Dword(stored)) << index;
    }
    Choose(w->ChkSaveTo, 3);
    EXPECT_EQ(Stored("saveto"), RegValue::Dword(3));
    Choose(w->ChkJPEG_qual, 4);
    EXPECT_EQ(Stored("jpeg_quality"), RegValue::Dword(4));
    Choose(w->ChkWebp_qual, 0);
    EXPECT_EQ(Stored("webp_quality"), RegValue::Dword(0));
}

TEST_F(Handlers, TheColourPickerShowsItsCardAndRunsItsTimer) {
    auto w = Create();
    Choose(w->ChkArea, 6);
    EXPECT_EQ(w->PnlMain->currentIndex(), 1);
    EXPECT_TRUE(w->TmrColor->isActive());
    Choose(w->ChkArea, 1);
    EXPECT_EQ(w->PnlMain->currentIndex(), 0);
    EXPECT_FALSE(w->TmrColor->isActive());
}

TEST_F(Handlers, TargetOptionsShareThePlaceBesideTheNarrowedList) {
    auto w = Create();
    w->show();
    struct Case {
        int target;
        int width;
        QComboBox* shown;
    };
    ocr.Languages = {{"eng", "English"}};
    auto withOcr = Create();
    withOcr->show();
    for (const Case& c : {Case{1, 82, withOcr->ChkJPEG_qual}, Case{4, 82, withOcr->ChkWebp_qual},
                          Case{6, 72, withOcr->ChkOCR_lang}, Case{0, 145, nullptr},
                          Case{5, 145, nullptr}, Case{10, 145, nullptr}}) {
        Choose(withOcr->ChkSaveTo, c.target);
        EXPECT_EQ(withOcr->ChkSaveTo->width(), c.width) << c.target;
        for (QComboBox* option :
             {withOcr->ChkJPEG_qual, withOcr->ChkWebp_qual, withOcr->ChkOCR_lang}) {
            EXPECT_EQ(option->isVisible(), option == c.shown) << c.target;
        }
        EXPECT_EQ(Stored("saveto"), RegValue::Dword(c.target));
    }
    EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(Handlers, WebPWithoutTheLibraryFallsBackToPngAlsoAfterARestart) {
    webp = false;
    {
        auto w = Create();
        Choose(w->ChkSaveTo, 4);
        ASSERT_EQ(boxes.Boxes.size(), 1u);
        EXPECT_EQ(boxes.Boxes[0].Text, "\"libwebp.so.7\" file not found.");
        EXPECT_EQ(boxes.Boxes[0].Title, "Dravemo");
        EXPECT_EQ(boxes.Boxes[0].Flags, 0x00050040u);
        EXPECT_EQ(desktop.OpenedUrls,
                  QStringList{"https://help.dravemo.example/?app=dravemo&msg=webpnotfound"});
        EXPECT_EQ(w->SelectedTarget(), 0);
        EXPECT_EQ(w->ChkSaveTo->width(), 145);
        EXPECT_FALSE(w->ChkWebp_qual->isVisibleTo(w.get()));
        EXPECT_EQ(Stored("saveto"), RegValue::Dword(0));
    }
    // A stored WebP choice is checked again at start-up.
    Store("saveto", RegValue::Dword(4));
    auto again = Create();
    EXPECT_EQ(again->SelectedTarget(), 0);
    EXPECT_EQ(Stored("saveto"), RegValue::Dword(0));
    EXPECT_EQ(boxes.Boxes.size(), 2u);
}

TEST_F(Handlers, RecordingWithoutTheEncoderAndTextWithoutRecognitionFallBack) {
    encoder = false;
    auto w = Create();
    Choose(w->ChkSaveTo, 5);
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Text, "\"ffmpeg\" file not found.");
    EXPECT_EQ(desktop.OpenedUrls.back(),
              "https://help.dravemo.example/?app=dravemo&msg=ffmpegnotfound");
    EXPECT_EQ(w->SelectedTarget(), 0);
    Choose(w->ChkSaveTo, 6);
    ASSERT_EQ(boxes.Boxes.size(), 2u);
    EXPECT_EQ(boxes.Boxes[1].Text, "OCR 을 지원하지 않는 윈도우 환경입니다.");
    EXPECT_EQ(w->SelectedTarget(), 0);
    EXPECT_EQ(Stored("saveto"), RegValue::Dword(0));
}

TEST_F(Handlers, RadioGroupsTakeTheirValueFromTheItemName) {
    auto w = Create();
    struct Case {
        const char* item;
        const char* setting;
        int value;
    };
    for (const Case& c :
         {Case{"ChkAppend3", "append", 3}, Case{"ChkAppend2", "append", 2},
          Case{"ChkSound1", "sound", 1}, Case{"ChkSound3", "sound", 3},
          Case{"ChkRecLimit240", "record_limit", 240}, Case{"ChkRecLimit0", "record_limit", 0},
          Case{"ChkRecLimit30", "record_limit", 30}}) {
        QAction* item = w->MenuItem(c.item);
        item->trigger();
        EXPECT_EQ(Stored(c.setting), RegValue::Dword(c.value)) << c.item;
        EXPECT_TRUE(item->isChecked()) << c.item;
        // Exactly one item of the group is checked.
        const QString prefix =
            QString(c.item).left(QString(c.item).size() - QString::number(c.value).size());
        int checked = 0;
        for (QAction* a : w->Menu->findChildren<QAction*>()) {
            if (a->objectName().startsWith(prefix) && a->isChecked()) ++checked;
        }
        EXPECT_EQ(checked, 1) << c.item;
    }
    EXPECT_EQ(w->SoundChoice(), 3);
}

TEST_F(Handlers, TogglesInvertAndStore) {
    auto w = Create();
    for (const auto& [item, setting, initial] :
         std::vector<std::tuple<QString, QString, bool>>{{"ChkAudio", "audio", false},
                                                         {"ChkLog", "ffmpeg_log", false},
                                                         {"ChkMouse", "mouse", true}}) {
        w->MenuItem(item)->trigger();
        EXPECT_EQ(Stored(setting), RegValue::Dword(initial ? 0 : 1)) << item.toStdString();
        w->MenuItem(item)->trigger();
        EXPECT_EQ(Stored(setting), RegValue::Dword(initial ? 1 : 0)) << item.toStdString();
    }
}

TEST_F(Handlers, StartWithTheSessionAndItsRefusal) {
    auto w = Create();
    w->ChkRegStart->trigger();
    EXPECT_TRUE(autostart.Entries.contains("Dravemo"));
    EXPECT_TRUE(w->ChkRegStart->isChecked());
    w->ChkRegStart->trigger();
    EXPECT_FALSE(autostart.Entries.contains("Dravemo"));
    autostart.FailWrites = true;
    w->ChkRegStart->trigger();
    EXPECT_FALSE(w->ChkRegStart->isChecked());
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Text,
              "잘못된 백신 또는 악성 프로그램이 부팅시 실행을 차단하였습니다.");
    EXPECT_EQ(boxes.Boxes[0].Flags, 0x00050010u);
}

TEST_F(Handlers, LanguageSwitchTranslatesAndStores) {
    auto w = Create();
    w->MenuItem("ChkLangJa")->trigger();
    EXPECT_EQ(w->Language, "ja");
    EXPECT_EQ(Stored("language"), RegValue::String("ja"));
    EXPECT_EQ(w->ChkArea->itemText(0), "フルスクリーン");
    EXPECT_EQ(w->MenuItem("N10")->text(), "終了");
    EXPECT_EQ(w->findChild<QMenu*>("N2")->title(), "ファイル名設定");
    EXPECT_EQ(tray->Hint(), "Dravemo 1.0.0.0");
    EXPECT_TRUE(w->MenuItem("ChkLangJa")->isChecked());
    EXPECT_FALSE(w->MenuItem("ChkLangEn")->isChecked());
    w->MenuItem("ChkLangRu")->trigger();
    EXPECT_EQ(w->BtnOpenDir->text(), "Открыть папку");
    EXPECT_EQ(w->LblArea->text(), "Захватить");
}

TEST_F(Handlers, FoldersAndPages) {
    auto w = Create();
    w->BtnOpenDir->click();
    w->MenuItem("N12")->trigger();
    EXPECT_EQ(desktop.OpenedFolders, QStringList({desktop.Folder, desktop.Folder}));
    chosenFolder = "/srv/captures";
    w->MenuItem("N4")->trigger();
    EXPECT_EQ(w->SavePath, "/srv/captures");
    EXPECT_EQ(Stored("path"), RegValue::String("/srv/captures"));
    chosenFolder.clear();
    w->MenuItem("N4")->trigger();
    EXPECT_EQ(w->SavePath, "/srv/captures") << "a cancelled choice changes nothing";
    w->MenuItem("N9")->trigger();
    EXPECT_EQ(desktop.OpenedUrls, QStringList{"https://home.dravemo.example/dravemo?v=1.0.0.0"});
}

TEST_F(Handlers, QuitAsksFirst) {
    auto w = Create();
    boxes.Answer = mb::IDNO;
    w->MenuItem("N10")->trigger();
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Text, "Are you sure you want to quit?");
    EXPECT_EQ(boxes.Boxes[0].Flags, 0x00050124u);
    EXPECT_FALSE(w->CanClose());
    EXPECT_FALSE(QuitRequested(200));
    boxes.Answer = mb::IDYES;
    w->MenuItem("N10")->trigger();
    EXPECT_TRUE(QuitRequested());
}

}  // namespace
}  // namespace dravemo::test
