// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace dravemo {

// Programs that the user's login session starts by itself, one entry per name.
class LoginAutostart {
public:
    virtual ~LoginAutostart() = default;
    // Whether an entry of that name exists and the session starts it; false when it cannot be
    // read or the desktop's start-up settings switched it off.
    virtual bool Exists(const QString& name) = 0;
    // Creates or replaces the entry so that it starts `program` with `arguments`; throws
    // std::runtime_error when it cannot be written.
    virtual void Write(const QString& name, const QString& program,
                       const QStringList& arguments) = 0;
    // Removes the entry; an absent entry is not an error. Throws std::runtime_error on failure.
    virtual void Remove(const QString& name) = 0;
};

}  // namespace dravemo
