// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "services/TranslationCatalogue.h"

namespace dravemo {
namespace {

constexpr QLatin1StringView kEscape("\\n");
constexpr QChar kLineBreak = u'\n';

// Equal when of the same length and equal character by character, with ASCII letters compared
// without regard to case; every other character (accented, Cyrillic, ...) must match exactly.
bool SameTextAsciiCase(QStringView a, QStringView b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'A' && x <= u'Z') x += u'a' - u'A';
        if (y >= u'A' && y <= u'Z') y += u'a' - u'A';
        if (x != y) return false;
    }
    return true;
}

}  // namespace

QString ExpandLineBreaks(QString text) { return text.replace(kEscape, QString(kLineBreak)); }

TranslationCatalogue TranslationCatalogue::FromUtf8(const QByteArray& content) {
    QByteArrayView bytes(content);
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
    const QString text = QString::fromUtf8(bytes);
    QStringList lines;
    qsizetype begin = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') continue;
        lines << text.mid(begin, i - begin);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        begin = i + 1;
    }
    if (begin < text.size()) lines << text.mid(begin);
    return TranslationCatalogue(std::move(lines));
}

std::optional<QString> TranslationCatalogue::Find(const QString& text,
                                                  const QString& language) const {
    if (text.isEmpty()) return std::nullopt;
    const int line = FindLine(text);
    if (line < 0) return std::nullopt;
    const int start = BlockStart(line);
    if (auto found = TextOf(start, language)) return found;
    return TextOf(start, QStringLiteral("en"));
}

// A caption that already went through translation holds real line breaks where the catalogue
// stores the escape; it is looked up in the stored form, so that multi-line texts can be
// translated again into another language.
int TranslationCatalogue::FindLine(const QString& text) const {
    QString key = text;
    key.replace(kLineBreak, kEscape);
    for (int i = 0; i < FLines.size(); ++i) {
        const QString& line = FLines[i];
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && SameTextAsciiCase(QStringView(line).sliced(equals + 1), key)) return i;
    }
    return -1;
}

// The first line of the block holding `line`: the nearest line, going up, that follows an empty
// line or the top of the catalogue.
int TranslationCatalogue::BlockStart(int line) const {
    while (line > 0 && !FLines[line - 1].isEmpty()) --line;
    return line;
}

std::optional<QString> TranslationCatalogue::TextOf(int blockStart, const QString& code) const {
    for (int i = blockStart; i < FLines.size() && !FLines[i].isEmpty(); ++i) {
        const QString& line = FLines[i];
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && QStringView(line).first(equals) == code) {
            return ExpandLineBreaks(line.sliced(equals + 1));
        }
    }
    return std::nullopt;
}

}  // namespace dravemo
