// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace dravemo {

// The translation catalogue: blocks of "code=text" lines, one block per program text, blocks
// separated by an empty line. Lookups are linear scans over the lines; the catalogue never
// changes once built, so a copy may be read on any thread.
class TranslationCatalogue {
public:
    TranslationCatalogue() = default;
    explicit TranslationCatalogue(QStringList lines) : FLines(std::move(lines)) {}

    // Splits UTF-8 content into lines: a leading byte-order mark is skipped; a line ends at CR,
    // LF or CR LF. A final line end does not start another (empty) line.
    static TranslationCatalogue FromUtf8(const QByteArray& content);

    // The text of `language` (then of "en") in the block of the first line whose text equals
    // `text`, letters A-Z compared without regard to case, whatever that line's language.
    // Escapes \n in the result become line breaks. Nothing when no block has the text or the
    // block has neither language.
    std::optional<QString> Find(const QString& text, const QString& language) const;

    const QStringList& Lines() const { return FLines; }

private:
    int FindLine(const QString& text) const;
    int BlockStart(int line) const;
    std::optional<QString> TextOf(int blockStart, const QString& code) const;

    QStringList FLines;
};

// `text` with every two-character escape \n (backslash, n) turned into a line break.
QString ExpandLineBreaks(QString text);

}  // namespace dravemo
