// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "platform/fake/FakeDesktop.h"
#include "services/Translation.h"
#include "tests/unit/services/ShippedCatalogue.h"

namespace dravemo {
namespace {

// The program's own catalogue, with the current language restored after each test.
class TranslateTextTest : public ::testing::Test {
protected:
    void SetUp() override { LoadShippedCatalogue(); }
    void TearDown() override {
        LoadShippedCatalogue();
        SetCurrentLanguage(QStringLiteral("en"));
    }
};

const QString kEntry45 =
    QStringLiteral("알수없는 프로그램이 단축키를 사용중입니다.\\n\\n단축키를 변경해주세요.");

TEST_F(TranslateTextTest, TranslatesIntoTheGivenOrTheCurrentLanguage) {
    struct Case {
        QString Current;
        QString Text;
        QString Language;
        QString Expected;
    };
    const std::vector<Case> cases = {
        {"en", "캡쳐영역", "", "Capture"},
        {"en", "Capture", "", "Capture"},
        {"en", "capture", "", "Capture"},
        {"ja", "Full Screen", "", "フルスクリーン"},
        {"ja", "캡쳐영역", "ru", "Захватить"},  // a given language wins over the current
        {"ko", "Acquisire", "", "캡쳐영역"},
        {"ko", "Open Folder", "", "폴더열기"},  // entries 15 and 17: the first one
        {"zh", "\"%s\" 파일이 없습니다.", "", "\"文件 %s 未找到。"},
        {"de", "캡쳐영역", "", "Capture"},  // a language without lines: English
        {"", "캡쳐영역", "", "Capture"},
        {"en", "없는 글\\n둘째 줄", "", "없는 글\n둘째 줄"},  // not in the catalogue
        {"en", "", "", ""},
    };
    for (const Case& c : cases) {
        SetCurrentLanguage(c.Current);
        EXPECT_EQ(TranslateText(c.Text, c.Language), c.Expected)
            << c.Current.toStdString() << ": " << c.Text.toStdString();
    }
}

TEST_F(TranslateTextTest, StoredLineBreaksBecomeRealOnesAndTranslateAgain) {
    for (const QString language : {"ko", "en", "ja", "zh", "ru", "it", "fr"}) {
        const QString text = TranslateText(kEntry45, language);
        EXPECT_EQ(text.count(QStringLiteral("\n\n")), 1) << language.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("\\n")));
    }
    const QString japanese = TranslateText(kEntry45, QStringLiteral("ja"));
    EXPECT_EQ(TranslateText(japanese, QStringLiteral("fr")),
              "Un programme inconnu utilise le raccourci.\n\nVeuillez changer le raccourci.");
}

TEST_F(TranslateTextTest, WithoutTheResourceEveryTextComesBackAsWritten) {
    LoadTranslationCatalogue(QStringLiteral(":/no-such-resource"));
    SetCurrentLanguage(QStringLiteral("en"));
    EXPECT_EQ(TranslateText(QStringLiteral("캡쳐영역")), "캡쳐영역");
    EXPECT_EQ(TranslateText(kEntry45, QStringLiteral("ja")),
              "알수없는 프로그램이 단축키를 사용중입니다.\n\n단축키를 변경해주세요.");
}

TEST_F(TranslateTextTest, ShutDownReleasesTheCatalogueAndTheLanguage) {
    SetCurrentLanguage(QStringLiteral("ja"));
    ReleaseTranslationCatalogue();
    EXPECT_EQ(CurrentLanguage(), QString());
    EXPECT_EQ(TranslateText(QStringLiteral("캡쳐영역"), QStringLiteral("en")), "캡쳐영역");
}

TEST_F(TranslateTextTest, StartsInTheLanguageOfTheUsersLocale) {
    struct Case {
        QString Locale;
        QString Language;
        QString Capture;
    };
    const std::vector<Case> cases = {
        {"ja", "ja", "キャプチャー"},
        {"ko", "ko", "캡쳐영역"},
        {"", "en", "Capture"},      // no locale language: English
        {"kok", "kok", "Capture"},  // a three-letter code must not pass for "ko"
    };
    for (const Case& c : cases) {
        FakeDesktop desktop;
        desktop.Language = c.Locale;
        EXPECT_EQ(SystemLanguage(desktop), c.Language);
        ReleaseTranslationCatalogue();
        StartTranslation(desktop);
        EXPECT_EQ(CurrentLanguage(), c.Language);
        EXPECT_EQ(TranslateText(QStringLiteral("캡쳐영역")), c.Capture) << c.Locale.toStdString();
    }
}

}  // namespace
}  // namespace dravemo
