// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <mutex>

namespace dravemo {

// The text buffer through which the pipe reader hands decoded output to the worker; every
// operation takes the buffer's own lock.
class TSyncString {
public:
    void Add(const QString& text);
    // Removes `count` characters from `position` (clipped to the text).
    void Delete(qsizetype position, qsizetype count);
    qsizetype Length() const;
    QString Value() const;
    void SetValue(const QString& value);

private:
    mutable std::mutex FLock;
    QString FValue;
};

}  // namespace dravemo
