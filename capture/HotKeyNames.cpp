// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "capture/HotKeyNames.h"

#include <vector>

namespace dravemo {

namespace {

struct NamedKey {
    int VirtualKey;
    QString Name;
};

constexpr int kSnapshot = 0x2C;
constexpr int kDelete = 0x2E;
constexpr int kF1 = 0x70;
const QString kPrintScreenName = QStringLiteral("Sys Req");
const QString kPrintScreenItem = QStringLiteral("PrintScreen");

// Letters 0x41..0x5A and digits 0x30..0x39 are named by their character, F1..F12 0x70..0x7B.
const std::vector<NamedKey>& KeyNames() {
    static const std::vector<NamedKey> names = [] {
        std::vector<NamedKey> table{{kSnapshot, kPrintScreenName},
                                    {kDelete, QStringLiteral("Del")}};
        for (char c = 'A'; c <= 'Z'; ++c) table.push_back({c, QString(QChar(c))});
        for (char c = '0'; c <= '9'; ++c) table.push_back({c, QString(QChar(c))});
        for (int f = 1; f <= 12; ++f) table.push_back({kF1 + f - 1, QStringLiteral("F%1").arg(f)});
        return table;
    }();
    return names;
}

}  // namespace

QString KeyName(int virtualKey) {
    for (const NamedKey& key : KeyNames()) {
        if (key.VirtualKey == virtualKey) return key.Name;
    }
    return {};
}

int KeyOfName(const QString& name) {
    for (const NamedKey& key : KeyNames()) {
        if (key.Name.compare(name, Qt::CaseInsensitive) == 0) return key.VirtualKey;
    }
    return 0;
}

const QStringList& HotKeyItems() {
    static const QStringList items = [] {
        QStringList list{kPrintScreenItem};
        for (char c = 'A'; c <= 'Z'; ++c) list << QString(QChar(c));
        for (char c = '1'; c <= '9'; ++c) list << QString(QChar(c));
        list << QStringLiteral("0");
        for (int f = 1; f <= 12; ++f) list << QStringLiteral("F%1").arg(f);
        list << QStringLiteral("DEL");
        return list;
    }();
    return items;
}

int ItemOfKey(int virtualKey) {
    QString name = KeyName(virtualKey);
    if (name.isEmpty()) return -1;
    if (name.compare(kPrintScreenName, Qt::CaseInsensitive) == 0) name = kPrintScreenItem;
    const QStringList& items = HotKeyItems();
    for (int i = 0; i < items.size(); ++i) {
        if (items[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

int KeyOfItem(const QString& item) {
    if (!HotKeyItems().contains(item, Qt::CaseInsensitive)) return 0;
    const bool printScreen = item.compare(kPrintScreenItem, Qt::CaseInsensitive) == 0;
    return KeyOfName(printScreen ? kPrintScreenName : item);
}

}  // namespace dravemo
