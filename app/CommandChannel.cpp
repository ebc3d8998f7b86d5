// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "app/CommandChannel.h"

#include <nlohmann/json.hpp>

namespace dravemo {

namespace {

// The UTF-16LE text of the block up to its first NUL, never past the block's size.
QString BlockText(const QByteArray& block) {
    const qsizetype units = block.size() / 2;
    QString text;
    text.reserve(units);
    const auto* bytes = reinterpret_cast<const unsigned char*>(block.constData());
    for (qsizetype i = 0; i < units; ++i) {
        const char16_t unit = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (unit == 0) break;
        text += QChar(unit);
    }
    return text;
}

}  // namespace

QByteArray CopyDataBlock(const QString& text) {
    QByteArray block;
    block.reserve((text.size() + 1) * 2);
    for (QChar c : text) {
        block.append(static_cast<char>(c.unicode() & 0xFF));
        block.append(static_cast<char>(c.unicode() >> 8));
    }
    block.append(2, '\0');
    return block;
}

bool ReadJsonText(const nlohmann::json& object, const std::string& path, QString& text) {
    text.clear();
    const nlohmann::json* node = &object;
    size_t start = 0;
    while (true) {
        const size_t dot = path.find('.', start);
        const std::string name = path.substr(start, dot == std::string::npos ? dot : dot - start);
        if (!node->is_object()) return false;
        const auto it = node->find(name);
        if (it == node->end()) return false;
        node = &*it;
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    if (node->is_string()) {
        text = QString::fromStdString(node->get<std::string>());
        return true;
    }
    if (node->is_number() || node->is_boolean()) {
        text = QString::fromStdString(node->dump());
        return true;
    }
    return false;
}

int32_t HandleCopyData(uint32_t dwData, const QByteArray& block, const CommandActions& actions) {
    if (dwData != 1) return 0;
    const QByteArray utf8 = BlockText(block).toUtf8();
    const nlohmann::json object = nlohmann::json::parse(utf8.begin(), utf8.end(), nullptr, false);
    if (object.is_discarded() || !object.is_object()) return 0;
    QString command;
    if (!ReadJsonText(object, "command", command)) return 0;
    if (command == QStringLiteral("about")) {
        if (actions.About) actions.About();
        return 1;
    }
    if (command == QStringLiteral("capture")) {
        if (actions.Capture) actions.Capture();
        return 1;
    }
    return 0;
}

}  // namespace dravemo
