// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>

#include "platform/ConsoleProcesses.h"

namespace dravemo {

// The queue of lines waiting to be written to the child: the main thread adds, the worker
// takes them from the front. Each operation takes the queue's own lock; adding sets Event.
class TInputLines {
public:
    // Throws std::system_error when its event cannot be made.
    explicit TInputLines(ConsoleProcesses& processes) : FEvent(processes.CreateEvent(false)) {}

    // Appends under the lock, then sets Event once the lock is released.
    void Add(const QString& line);
    int Count() const;
    QString Strings(int index) const;
    void SetStrings(int index, const QString& line);
    void Delete(int index);
    // Auto-reset; set when a line is waiting.
    WakeEvent& Event() { return *FEvent; }

private:
    mutable std::mutex FLock;
    QStringList FList;
    std::unique_ptr<WakeEvent> FEvent;
};

}  // namespace dravemo
