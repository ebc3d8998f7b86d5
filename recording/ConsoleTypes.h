// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <cstdint>
#include <exception>
#include <functional>

namespace dravemo {

// What an output notification carries: a complete line, or the beginning received so far of a
// line whose end has not arrived yet.
enum TOutputType : int { otEntireLine = 0, otBeginningOfLine = 1 };

// How a run of the console runner ended (esStill_Active while it runs, esNone before the first).
enum TEndStatus : int {
    esStop = 0,
    esProcess = 1,
    esStill_Active = 2,
    esNone = 3,
    esError = 4,
    esTime = 5
};

// The exit code a child reports while it still runs.
constexpr uint32_t kStillActive = 259;

class TConsoleRunner;

// The runner's notifications, all called on the thread that owns the runner.
using TNewLineEvent = std::function<void(TConsoleRunner&, const QString&, TOutputType)>;
using TNewCharEvent = std::function<void(TConsoleRunner&, QChar)>;
using TNotifyEvent = std::function<void(TConsoleRunner&)>;
// Told of a worker's error; setting `handled` keeps the default error report away.
using TErrorEvent = std::function<void(TConsoleRunner&, const std::exception&, bool& handled)>;
// Told just before a child that still runs is killed (it cannot hold the kill back).
using TTerminateProcessEvent = std::function<void(TConsoleRunner&, bool& canTerminate)>;
// Replace the default conversion of the child's output and input; called on the runner's
// reader and worker threads.
using TCharDecoding = std::function<QString(TConsoleRunner&, const QByteArray&)>;
using TCharEncoding = std::function<QByteArray(TConsoleRunner&, const QString&)>;

}  // namespace dravemo
