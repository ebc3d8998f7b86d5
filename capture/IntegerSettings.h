// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace dravemo {

// The whole-number settings the capture windows keep in the program's settings: read with a
// default for an absent value, written at once; a value that cannot be written is lost
// quietly.
class IntegerSettings {
public:
    virtual ~IntegerSettings() = default;
    virtual int ReadInteger(const QString& name, int defaultValue) const = 0;
    virtual void WriteInteger(const QString& name, int value) = 0;
};

}  // namespace dravemo
