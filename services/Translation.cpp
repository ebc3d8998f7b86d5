// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "services/Translation.h"

#include <QFile>
#include <mutex>

#include "platform/Desktop.h"
#include "services/TranslationCatalogue.h"

namespace dravemo {
namespace {

// The process-wide catalogue and current language. The catalogue is filled at start-up and
// then only read; the lock lets a worker thread read the language while the user-interface
// thread changes it. Readers take a copy (the lines are implicitly shared) and scan unlocked.
struct TranslationState {
    std::mutex Lock;
    TranslationCatalogue Catalogue;
    QString Language;
};

TranslationState& State() {
    static TranslationState state;
    return state;
}

TranslationCatalogue CatalogueCopy() {
    std::lock_guard lock(State().Lock);
    return State().Catalogue;
}

}  // namespace

void LoadTranslationCatalogue(const QString& resource) {
    TranslationCatalogue catalogue;
    QFile file(resource);
    if (file.open(QIODevice::ReadOnly)) catalogue = TranslationCatalogue::FromUtf8(file.readAll());
    std::lock_guard lock(State().Lock);
    State().Catalogue = std::move(catalogue);
}

// The language name is taken whole, not cut to two letters: a language that has only a
// three-letter code ("kok") must not pass for another one ("ko"); it falls back to English
// like any language the catalogue lacks.
void StartTranslation(Desktop& desktop) {
    LoadTranslationCatalogue();
    SetCurrentLanguage(SystemLanguage(desktop));
}

void ReleaseTranslationCatalogue() {
    std::lock_guard lock(State().Lock);
    State().Catalogue = TranslationCatalogue();
    State().Language.clear();
}

QString CurrentLanguage() {
    std::lock_guard lock(State().Lock);
    return State().Language;
}

void SetCurrentLanguage(const QString& language) {
    std::lock_guard lock(State().Lock);
    State().Language = language;
}

QString SystemLanguage(Desktop& desktop) {
    const QString name = desktop.LocaleLanguageName();
    return name.isEmpty() ? QStringLiteral("en") : name;
}

QString TranslateText(const QString& text, const QString& language) {
    if (text.isEmpty()) return text;
    const QString target = language.isEmpty() ? CurrentLanguage() : language;
    if (auto translated = CatalogueCopy().Find(text, target)) return *translated;
    return ExpandLineBreaks(text);
}

}  // namespace dravemo
