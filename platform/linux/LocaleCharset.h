// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <string>

namespace dravemo {

// Converts console text between the program's text and one character set: by default the
// locale's (nl_langinfo(CODESET)), through iconv unless it is UTF-8.
class LocaleCharset {
public:
    LocaleCharset();
    // A named character set as iconv knows it ("ISO-8859-1", "ASCII", ...).
    explicit LocaleCharset(std::string codeset);

    // Invalid or cut-off byte sequences become U+FFFD.
    QString Decode(const QByteArray& bytes) const;
    // Characters the set cannot hold become '?'.
    QByteArray Encode(const QString& text) const;
    const std::string& Codeset() const { return FCodeset; }

private:
    std::string FCodeset;
    bool FUtf8 = false;
};

}  // namespace dravemo
