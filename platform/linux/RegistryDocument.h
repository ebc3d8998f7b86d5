// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "platform/Registry.h"

namespace dravemo {

// The text of an emulated HKEY_CURRENT_USER hive in the regedit layout ("REGEDIT4", [key]
// sections, "name"=value lines). Lines it does not understand are kept in place, so that a
// rewrite loses nothing.
class RegistryDocument {
public:
    // Parses the file content; nullopt when it is not a registry file at all (no header,
    // not UTF-8). Empty content is an empty hive.
    static std::optional<RegistryDocument> Parse(const QByteArray& content);
    // The file content, lines ending in CR LF.
    QByteArray Serialize() const;

    std::optional<RegValue> Read(const QString& key, const QString& name) const;
    // Throws std::invalid_argument for a text that cannot be stored on one line.
    void Write(const QString& key, const QString& name, const RegValue& value);
    void Delete(const QString& key, const QString& name);

private:
    struct Line {
        bool IsValue = false;
        QString Name;    // value name, "" for the default value
        RegValue Value;  // for a value line
        QString Raw;     // the original text of a line kept as read
    };
    struct Section {
        QString Header;  // the text between the brackets
        std::vector<Line> Lines;
    };

    Section* FindSection(const QString& key);
    const Section* FindSection(const QString& key) const;
    static QString KeyOf(const QString& header);

    std::vector<QString> FPreamble;
    std::vector<Section> FSections;
};

}  // namespace dravemo
