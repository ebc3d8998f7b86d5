// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace dravemo {

class Desktop;

// Reads the catalogue once at start-up, before any window exists. A missing or unreadable
// resource leaves the catalogue empty: every text is then shown as written.
void LoadTranslationCatalogue(const QString& resource = QStringLiteral(":/translate"));

// Start-up of the translation unit: loads the catalogue and makes the user's language
// (SystemLanguage) the current language.
void StartTranslation(Desktop& desktop);

// Shut-down: releases the catalogue and clears the current language.
void ReleaseTranslationCatalogue();

// The language code used when a caller gives none. May be read on any thread.
QString CurrentLanguage();
void SetCurrentLanguage(const QString& language);

// The language name of the user's locale ("ko"), "en" when the locale names none.
QString SystemLanguage(Desktop& desktop);

// Translates a text of the program (written in Korean, or already translated into one of the
// seven languages) into `language`, or into the current language when none is given; falls
// back to English, then to the text as written. Escapes \n become line breaks either way.
QString TranslateText(const QString& text, const QString& language = QString());

}  // namespace dravemo
