// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "services/TranslationCatalogue.h"

namespace dravemo {
namespace {

TEST(TranslationCatalogueLines, SkipTheByteOrderMarkAndEndAtCrLfOrEither) {
    struct Case {
        QByteArray Content;
        QStringList Lines;
    };
    const std::vector<Case> cases = {
        {"\xEF\xBB\xBFko=a\r\nen=b\r\n\r\nko=c\r\n\r\n", {"ko=a", "en=b", "", "ko=c", ""}},
        {"ko=a\nen=b\n\nko=c", {"ko=a", "en=b", "", "ko=c"}},
        {"ko=a\ren=b\r\rko=c\r", {"ko=a", "en=b", "", "ko=c"}},
        {"ko=a\n\r\nen=b", {"ko=a", "", "en=b"}},
        {"\xEF\xBB\xBF", {}},
        {"ko=\xEC\xBA\xA1\xEC\xB3\x90", {QStringLiteral("ko=캡쳐")}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TranslationCatalogue::FromUtf8(c.Content).Lines(), c.Lines)
            << c.Content.toStdString();
    }
}

// Two entries sharing their English text, one with an escape, and one without English.
const QByteArray kFixture =
    "ko=하나\r\nen=One\r\nja=a=b\r\nru=Один\r\nfr=Créé\r\n\r\n"
    "ko=둘\r\nen=Two\r\nfr=Deux\r\n\r\n"
    "ko=셋\r\nen=One\r\nfr=Trois\r\n\r\n"
    "ko=넷\\n줄\r\nen=Four\\nlines\r\nfr=Quatre\\n\\nlignes\r\n\r\n"
    "ko=다섯\r\nfr=Cinq\r\n\r\n";

TEST(TranslationCatalogueFind, FindsTheBlockFromAnyLanguageAndGivesTheRequestedOne) {
    const TranslationCatalogue catalogue = TranslationCatalogue::FromUtf8(kFixture);
    struct Case {
        QString Text;
        QString Language;
        std::optional<QString> Expected;
    };
    const std::vector<Case> cases = {
        {"하나", "fr", "Créé"},
        {"Créé", "ko", "하나"},
        {"Deux", "ko", "둘"},          // a match below the first line of its block
        {"Deux", "ru", "Two"},         // no Russian line: English
        {"Cinq", "ja", std::nullopt},  // neither the language nor English
        {"ONE", "ru", "Один"},         // ASCII letters ignore case
        {"créé", "ko", "하나"},
        {"CRÉÉ", "ko", std::nullopt},  // other letters must match exactly
        {"ОДИН", "ko", std::nullopt},
        {"One", "ko", "하나"},  // the first block with the text wins
        {"Trois", "ko", "셋"},
        {"하나", "FR", "One"},           // codes are compared exactly
        {"a=b", "ko", "하나"},           // the text runs from the first "="
        {"ja=a=b", "ko", std::nullopt},  // the code is not part of the text
        {"b", "ko", std::nullopt},
        {"Four\\nlines", "fr", "Quatre\n\nlignes"},  // escapes become line breaks
        {"Four\nlines", "ko", "넷\n줄"},             // an already translated multi-line text
        {"Four lines", "ko", std::nullopt},
        {"", "en", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(catalogue.Find(c.Text, c.Language), c.Expected)
            << c.Text.toStdString() << " -> " << c.Language.toStdString();
    }
}

TEST(TranslationCatalogueFind, AnEmptyCatalogueFindsNothing) {
    EXPECT_EQ(TranslationCatalogue().Find("하나", "en"), std::nullopt);
    EXPECT_EQ(TranslationCatalogue::FromUtf8({}).Find("하나", "en"), std::nullopt);
}

}  // namespace
}  // namespace dravemo
