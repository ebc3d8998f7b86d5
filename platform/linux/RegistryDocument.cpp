// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "platform/linux/RegistryDocument.h"

#include <QStringConverter>
#include <QStringDecoder>
#include <QStringList>
#include <stdexcept>

namespace dravemo {

namespace {

const QString kHivePrefix = QStringLiteral("HKEY_CURRENT_USER\\");

QString Escape(const QString& s) {
    QString out;
    out.reserve(s.size() + 2);
    for (QChar c : s) {
        if (c == u'\\' || c == u'"') out += u'\\';
        out += c;
    }
    return out;
}

// Reads a quoted text starting at `pos` (which holds the opening quote); on success moves
// `pos` past the closing quote.
std::optional<QString> ReadQuoted(const QString& line, qsizetype& pos) {
    if (pos >= line.size() || line[pos] != u'"') return std::nullopt;
    QString out;
    for (qsizetype i = pos + 1; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'\\' && i + 1 < line.size()) {
            out += line[++i];
        } else if (c == u'"') {
            pos = i + 1;
            return out;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

void SkipSpaces(const QString& line, qsizetype& pos) {
    while (pos < line.size() && (line[pos] == u' ' || line[pos] == u'\t')) ++pos;
}

struct ParsedValue {
    QString Name;
    QString Data;                   // the text after '='
    std::optional<RegValue> Value;  // nullopt: a value of a kind kept raw
};

// Parses one "name"=data line; nullopt when the line is not a value line.
std::optional<ParsedValue> ParseValueLine(const QString& line) {
    qsizetype pos = 0;
    ParsedValue parsed;
    if (line.startsWith(u'@')) {
        pos = 1;
    } else {
        auto name = ReadQuoted(line, pos);
        if (!name) return std::nullopt;
        parsed.Name = *name;
    }
    SkipSpaces(line, pos);
    if (pos >= line.size() || line[pos] != u'=') return std::nullopt;
    ++pos;
    SkipSpaces(line, pos);
    const QString data = line.mid(pos).trimmed();
    parsed.Data = data;
    if (data.startsWith(u'"')) {
        qsizetype p = 0;
        auto text = ReadQuoted(data, p);
        if (!text || p != data.size()) return std::nullopt;
        parsed.Value = RegValue::String(*text);
    } else if (data.startsWith(QStringLiteral("dword:"), Qt::CaseInsensitive)) {
        const QString hex = data.mid(6).trimmed();
        bool ok = false;
        const uint number = hex.toUInt(&ok, 16);
        if (!ok || hex.isEmpty() || hex.size() > 8) return std::nullopt;
        parsed.Value = RegValue::Dword(static_cast<int32_t>(number));
    } else if (data.isEmpty()) {
        return std::nullopt;
    }
    return parsed;
}

bool IsHeader(const QString& line) {
    return line == QStringLiteral("REGEDIT4") ||
           line == QStringLiteral("Windows Registry Editor Version 5.00");
}

}  // namespace

QString RegistryDocument::KeyOf(const QString& header) {
    if (!header.startsWith(kHivePrefix, Qt::CaseInsensitive)) return {};
    return header.mid(kHivePrefix.size());
}

std::optional<RegistryDocument> RegistryDocument::Parse(const QByteArray& content) {
    RegistryDocument doc;
    QStringDecoder decoder(QStringConverter::Utf8);
    QString text = decoder(content);
    if (decoder.hasError()) return std::nullopt;
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    const QStringList lines = text.split(u'\n');
    bool seenHeader = false;
    Section* section = nullptr;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        if (!seenHeader) {
            if (!IsHeader(line.trimmed())) return std::nullopt;
            seenHeader = true;
            continue;
        }
        if (line.startsWith(u'[') && line.trimmed().endsWith(u']')) {
            const QString t = line.trimmed();
            doc.FSections.push_back({t.mid(1, t.size() - 2), {}});
            section = &doc.FSections.back();
            continue;
        }
        // Join continuation lines (long hex data ends each part with a backslash).
        QString raw = line;
        while (raw.endsWith(u'\\') && i + 1 < lines.size()) {
            QString next = lines[++i];
            if (next.endsWith(u'\r')) next.chop(1);
            raw += QStringLiteral("\r\n") + next;
        }
        if (!section) {
            doc.FPreamble.push_back(raw);
            continue;
        }
        Line entry;
        entry.Raw = raw;
        if (auto parsed = ParseValueLine(raw); parsed && parsed->Value) {
            entry.IsValue = true;
            entry.Name = parsed->Name;
            entry.Value = *parsed->Value;
        } else if (parsed) {
            // A value of another type: kept as read, but known by its name.
            entry.IsValue = true;
            entry.Name = parsed->Name;
            entry.Value = RegValue{RegValue::Type::Other, 0, parsed->Data};
        }
        section->Lines.push_back(std::move(entry));
    }
    if (!seenHeader && !text.trimmed().isEmpty()) return std::nullopt;
    return doc;
}

QByteArray RegistryDocument::Serialize() const {
    QString out = QStringLiteral("REGEDIT4\r\n\r\n");
    for (const QString& line : FPreamble) out += line + QStringLiteral("\r\n");
    if (!FPreamble.empty()) out += QStringLiteral("\r\n");
    for (const Section& section : FSections) {
        out += u'[' + section.Header + QStringLiteral("]\r\n");
        for (const Line& line : section.Lines) out += line.Raw + QStringLiteral("\r\n");
        out += QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

const RegistryDocument::Section* RegistryDocument::FindSection(const QString& key) const {
    for (const Section& section : FSections) {
        const QString k = KeyOf(section.Header);
        if (!k.isEmpty() && k.compare(key, Qt::CaseInsensitive) == 0) return &section;
    }
    return nullptr;
}

RegistryDocument::Section* RegistryDocument::FindSection(const QString& key) {
    return const_cast<Section*>(std::as_const(*this).FindSection(key));
}

std::optional<RegValue> RegistryDocument::Read(const QString& key, const QString& name) const {
    const Section* section = FindSection(key);
    if (!section) return std::nullopt;
    // The last line of a name wins, as when the file is imported.
    std::optional<RegValue> found;
    for (const Line& line : section->Lines) {
        if (line.IsValue && line.Name.compare(name, Qt::CaseInsensitive) == 0) found = line.Value;
    }
    return found;
}

void RegistryDocument::Write(const QString& key, const QString& name, const RegValue& value) {
    QString data;
    switch (value.Kind) {
        case RegValue::Type::Dword:
            data = QStringLiteral("dword:%1")
                       .arg(static_cast<uint32_t>(value.Number), 8, 16, QChar(u'0'));
            break;
        case RegValue::Type::String:
            if (value.Text.contains(u'\n') || value.Text.contains(u'\r')) {
                throw std::invalid_argument("A registry text cannot hold a line break");
            }
            data = u'"' + Escape(value.Text) + u'"';
            break;
        case RegValue::Type::Other:
            data = value.Text;
            break;
    }
    if (name.contains(u'\n') || name.contains(u'\r')) {
        throw std::invalid_argument("A registry value name cannot hold a line break");
    }
    Line line;
    line.IsValue = true;
    line.Name = name;
    line.Value = value;
    line.Raw = (name.isEmpty() ? QStringLiteral("@") : u'"' + Escape(name) + u'"') + u'=' + data;

    Section* section = FindSection(key);
    if (!section) {
        FSections.push_back({kHivePrefix + key, {}});
        section = &FSections.back();
    }
    bool replaced = false;
    for (auto it = section->Lines.begin(); it != section->Lines.end();) {
        if (it->IsValue && it->Name.compare(name, Qt::CaseInsensitive) == 0) {
            if (!replaced) {
                *it = line;
                replaced = true;
                ++it;
            } else {
                it = section->Lines.erase(it);
            }
        } else {
            ++it;
        }
    }
    if (!replaced) section->Lines.push_back(line);
}

void RegistryDocument::Delete(const QString& key, const QString& name) {
    Section* section = FindSection(key);
    if (!section) return;
    std::erase_if(section->Lines, [&](const Line& line) {
        return line.IsValue && line.Name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

}  // namespace dravemo
