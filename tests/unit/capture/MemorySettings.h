// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>
#include <map>

#include "capture/IntegerSettings.h"

namespace dravemo::test {

// Settings held in memory that remember which names were read and written, in order.
class MemorySettings : public IntegerSettings {
public:
    int ReadInteger(const QString& name, int defaultValue) const override {
        Reads << name;
        const auto it = Values.find(name);
        return it == Values.end() ? defaultValue : it->second;
    }
    void WriteInteger(const QString& name, int value) override {
        Writes << name;
        Values[name] = value;
    }
    int Value(const QString& name) const {
        const auto it = Values.find(name);
        return it == Values.end() ? -1 : it->second;
    }
    bool Has(const QString& name) const { return Values.count(name) != 0; }

    std::map<QString, int> Values;
    mutable QStringList Reads;
    QStringList Writes;
};

}  // namespace dravemo::test
