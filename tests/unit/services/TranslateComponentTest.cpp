// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "services/TranslateComponent.h"
#include "services/Translation.h"
#include "tests/support/TestApplication.h"
#include "tests/unit/services/ShippedCatalogue.h"

namespace dravemo {
namespace {

// A small window written in Korean, as the program builds its windows. The pop-up menu's
// "quit" item belongs to the window; the sub-menu and its "1 hour" item belong to no one and
// are reached only through the pop-up menu. Members go before the window that parents them.
struct KoreanWindow {
    KoreanWindow() {
        window.setWindowTitle("단축키 설정");
        combo.addItems({"전체화면 캡쳐", "영역화면 캡쳐", "드래그영역 캡쳐", "My preset"});
        combo.setCurrentIndex(1);
        popup.addAction(&quit);
        popup.addMenu(&limits);
        limits.addAction(&hour);
    }
    QWidget window;
    QLabel label{"캡쳐영역", &window};
    QLabel warning{"알수없는 프로그램이 단축키를 사용중입니다.\\n\\n단축키를 변경해주세요.",
                   &window};
    QPushButton button{"설정", &window};
    QGroupBox group{"녹화 설정", &window};
    QCheckBox check{"마우스 커서 포함", &group};
    QComboBox combo{&group};
    QAction quit{"종료하기", &window};
    QMenu popup{&window};
    QMenu limits{"최대 녹화시간"};
    QAction hour{"1시간"};
};

// What each caption of the window reads in one language.
struct Captions {
    QString Language, Title, Label, Button, Group, Check;
    QStringList Items;
    QString Quit, Limits, Hour, WarningStart;
};

Captions Read(const KoreanWindow& w) {
    QStringList items;
    for (int i = 0; i < w.combo.count(); ++i) items << w.combo.itemText(i);
    return {CurrentLanguage(),
            w.window.windowTitle(),
            w.label.text(),
            w.button.text(),
            w.group.title(),
            w.check.text(),
            items,
            w.quit.text(),
            w.limits.title(),
            w.hour.text(),
            w.warning.text().section(u'\n', 0, 0)};
}

// Compared as UTF-8 so that a failure shows the texts.
void ExpectCaptions(const Captions& actual, const Captions& expected) {
    const auto same = [&](const QString& a, const QString& e, const char* what) {
        EXPECT_EQ(a.toStdString(), e.toStdString())
            << what << " in " << expected.Language.toStdString();
    };
    same(actual.Language, expected.Language, "language");
    same(actual.Title, expected.Title, "window title");
    same(actual.Label, expected.Label, "label");
    same(actual.Button, expected.Button, "button");
    same(actual.Group, expected.Group, "group box");
    same(actual.Check, expected.Check, "check box");
    same(actual.Items.join(u'|'), expected.Items.join(u'|'), "combo box items");
    same(actual.Quit, expected.Quit, "menu item");
    same(actual.Limits, expected.Limits, "sub-menu");
    same(actual.Hour, expected.Hour, "sub-menu item");
    same(actual.WarningStart, expected.WarningStart, "multi-line label");
}

// In the Korean interface the window title is English; everything else stays Korean.
const Captions kKorean = {"ko",
                          "Hotkey setting",
                          "캡쳐영역",
                          "설정",
                          "녹화 설정",
                          "마우스 커서 포함",
                          {"전체화면 캡쳐", "영역화면 캡쳐", "드래그영역 캡쳐", "My preset"},
                          "종료하기",
                          "최대 녹화시간",
                          "1시간",
                          "알수없는 프로그램이 단축키를 사용중입니다."};
const Captions kEnglish = {"en",
                           "Hotkey setting",
                           "Capture",
                           "Setting",
                           "Recoder setting",
                           "Mouse cursor",
                           {"Full Screen", "Region", "Drag", "My preset"},
                           "Quit",
                           "Limit recording time",
                           "1 hour",
                           "An unknown program is using the shortcut key."};
const Captions kJapanese = {"ja",
                            "ショートカットキー設定",
                            "キャプチャー",
                            "設定",
                            "録画設定",
                            "マウスカーソル",
                            {"フルスクリーン", "領域", "ドラッグ", "My preset"},
                            "終了",
                            "最大録画時間",
                            "1時間",
                            "不明なプログラムがショートカットキーを使用中です。"};

class TranslateComponentTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadShippedCatalogue();
        SetCurrentLanguage(QStringLiteral("en"));
    }
    void TearDown() override {
        LoadShippedCatalogue();
        SetCurrentLanguage(QStringLiteral("en"));
    }
    QApplication& app = test::TestApplication();  // before any widget
    KoreanWindow w;
};

TEST_F(TranslateComponentTest, TranslatesEveryCaptionOfTheWindow) {
    for (const Captions* expected : {&kKorean, &kEnglish, &kJapanese}) {
        KoreanWindow fresh;
        TranslateComponent(&fresh.window, expected->Language);
        ExpectCaptions(Read(fresh), *expected);
        EXPECT_EQ(fresh.combo.currentIndex(), 1);
    }
}

// A translated window is translated again when the user picks another language.
TEST_F(TranslateComponentTest, TranslatesAnAlreadyTranslatedWindowIntoAnotherLanguage) {
    int indexChanges = 0;
    QObject::connect(&w.combo, &QComboBox::currentIndexChanged, [&] { ++indexChanges; });
    for (const Captions* expected : {&kJapanese, &kEnglish, &kKorean, &kJapanese, &kKorean}) {
        TranslateComponent(&w.window, expected->Language);
        ExpectCaptions(Read(w), *expected);
        EXPECT_EQ(w.combo.currentIndex(), 1);
    }
    EXPECT_EQ(indexChanges, 0);
    TranslateComponent(&w.window, QStringLiteral("fr"));
    EXPECT_EQ(w.window.windowTitle(), "Paramètres du raccourci");
    EXPECT_EQ(w.warning.text(),
              "Un programme inconnu utilise le raccourci.\n\nVeuillez changer le raccourci.");
    EXPECT_EQ(w.combo.currentText(), "Zone");
}

TEST_F(TranslateComponentTest, WithoutALanguageUsesAndKeepsTheCurrentOne) {
    SetCurrentLanguage(QStringLiteral("ja"));
    TranslateComponent(&w.window);
    EXPECT_EQ(CurrentLanguage(), "ja");
    ExpectCaptions(Read(w), kJapanese);
}

TEST_F(TranslateComponentTest, ParticularComponentsAreTranslatedAlone) {
    TranslateComponent(&w.popup, QStringLiteral("en"));
    EXPECT_EQ(w.quit.text(), "Quit");
    EXPECT_EQ(w.hour.text(), "1 hour");
    EXPECT_EQ(w.label.text(), "캡쳐영역");
    TranslateComponent(&w.combo);
    EXPECT_EQ(w.combo.currentText(), "Region");
    EXPECT_EQ(w.check.text(), "마우스 커서 포함");
    TranslateComponent(nullptr, QStringLiteral("it"));
    EXPECT_EQ(CurrentLanguage(), "it");
}

TEST_F(TranslateComponentTest, WithoutTheCatalogueEveryCaptionStays) {
    LoadTranslationCatalogue(QStringLiteral(":/no-such-resource"));
    TranslateComponent(&w.window, QStringLiteral("en"));
    Captions unchanged = kKorean;
    unchanged.Language = "en";
    unchanged.Title = "단축키 설정";
    ExpectCaptions(Read(w), unchanged);
}

}  // namespace
}  // namespace dravemo
