// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <stdexcept>
#include <utility>

#include "platform/Registry.h"

namespace dravemo {

// An in-memory hive; `FailWrites` makes every write and delete throw, as a locked-down
// registry would.
class FakeRegistry : public Registry {
public:
    std::optional<RegValue> Read(const QString& key, const QString& name) override {
        auto it = Values.find(Id(key, name));
        if (it == Values.end()) return std::nullopt;
        return it->second;
    }
    void Write(const QString& key, const QString& name, const RegValue& value) override {
        if (FailWrites) throw std::runtime_error("registry write refused");
        Values[Id(key, name)] = value;
    }
    void Delete(const QString& key, const QString& name) override {
        if (FailWrites) throw std::runtime_error("registry write refused");
        Values.erase(Id(key, name));
    }

    static std::pair<QString, QString> Id(const QString& key, const QString& name) {
        return {key.toLower(), name.toLower()};
    }
    std::map<std::pair<QString, QString>, RegValue> Values;
    bool FailWrites = false;
};

}  // namespace dravemo
