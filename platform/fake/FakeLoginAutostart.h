// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QMap>
#include <stdexcept>

#include "platform/LoginAutostart.h"

namespace dravemo {

// Autostart entries in memory; `FailWrites` acts as security software that blocks them.
class FakeLoginAutostart : public LoginAutostart {
public:
    struct Entry {
        QString Program;
        QStringList Arguments;
    };
    bool Exists(const QString& name) override { return Entries.contains(name); }
    void Write(const QString& name, const QString& program, const QStringList& arguments) override {
        if (FailWrites) throw std::runtime_error("autostart blocked");
        Entries[name] = {program, arguments};
    }
    void Remove(const QString& name) override {
        if (FailWrites) throw std::runtime_error("autostart blocked");
        Entries.remove(name);
    }
    QMap<QString, Entry> Entries;
    bool FailWrites = false;
};

}  // namespace dravemo
