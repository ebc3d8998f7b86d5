// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace dravemo {

// One stored registry value: a 32-bit number (REG_DWORD), a text (REG_SZ), or a value of
// another type kept as its raw stored form.
struct RegValue {
    enum class Type { Dword, String, Other };
    Type Kind = Type::String;
    int32_t Number = 0;
    QString Text;  // the text of a String; the raw data after '=' of an Other value

    static RegValue Dword(int32_t n) { return {Type::Dword, n, {}}; }
    static RegValue String(const QString& s) { return {Type::String, 0, s}; }
    bool operator==(const RegValue&) const = default;
};

// The current user's registry hive. Keys are paths below HKEY_CURRENT_USER such as
// "Software\\Orvantel\\Dravemo"; keys and value names compare without regard to case.
// Nothing is cached: every operation sees what the previous one of any writer stored.
class Registry {
public:
    virtual ~Registry() = default;
    // The value, or nullopt when it or its key is absent or the hive cannot be read.
    virtual std::optional<RegValue> Read(const QString& key, const QString& name) = 0;
    // Stores the value, creating the key when missing; throws std::runtime_error on failure.
    virtual void Write(const QString& key, const QString& name, const RegValue& value) = 0;
    // Removes the value; an absent value is not an error. Throws std::runtime_error on failure.
    virtual void Delete(const QString& key, const QString& name) = 0;
};

}  // namespace dravemo
